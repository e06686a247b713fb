// Calls from Python: each member is a builtin function that takes its
// arguments straight from Python's vectorcall and converts them itself.
// Methods are bound as instance methods; fields are properties over a
// getter and a setter function.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

#include <pybind11/pybind11.h>

#include "objects.hpp"

namespace velloran::python {

// A parameter: its Python name, the automation interface's name (which
// keyword callers may use too), and its default (none: required).
struct Parameter {
    const char* name;
    const char* automation = nullptr;
    py::object fallback = {};
};

// The name of the capsules that carry a call. pybind11 (2.10 and earlier)
// takes any capsule without a name for one of its own function records, so
// a call passed where it looks for one (a std::function argument of another
// module) would be read as such a record.
inline constexpr const char* capsuleName = "velloran.DirectCall";

template <class Result>
PyObject* toPython(Result&& value) {
    if constexpr (std::is_base_of_v<py::handle, std::decay_t<Result>>) return value.inc_ref().ptr();
    else return py::cast(std::forward<Result>(value)).release().ptr();
}

// f(self, value...) with N parameters after self, which goes by position only.
// A TypeError names the member (`where`, "cParagraph.AddTabStop"; empty:
// none).
template <class F, std::size_t N>
struct DirectCall {
    F f;
    std::string name;
    std::array<Parameter, N> parameters;
    std::string where;

    static PyObject* call(PyObject* capsule, PyObject* const* args, Py_ssize_t count, PyObject* keywords) {
        auto* self = static_cast<DirectCall*>(PyCapsule_GetPointer(capsule, capsuleName));
        std::array<PyObject*, N + 1> values{};
        if (!self->bind(args, count, keywords, values)) return nullptr;
        try {
            return self->invoke(values, std::make_index_sequence<N + 1>{});
        } catch (const py::type_error& e) {
            if (self->where.empty()) setPythonError();
            else py::type_error(self->where + ": " + e.what()).set_error();
        } catch (const std::exception&) {
            setPythonError();  // a cancelled thread's unwinding is no std::exception, and goes on
        }
        return nullptr;
    }

    // As a DirectSetter: f(self, value), the errors as call sets them.
    static int assign(void* call, PyObject* object, PyObject* value) {
        auto* self = static_cast<DirectCall*>(call);
        try {
            self->f(py::handle(object), py::handle(value));
            return 0;
        } catch (const py::type_error& e) {
            if (self->where.empty()) setPythonError();
            else py::type_error(self->where + ": " + e.what()).set_error();
        } catch (const std::exception&) {
            setPythonError();
        }
        return -1;
    }

private:
    template <std::size_t... I>
    PyObject* invoke(const std::array<PyObject*, N + 1>& values, std::index_sequence<I...>) {
        if constexpr (std::is_void_v<decltype(f(py::handle(values[I])...))>) {
            f(py::handle(values[I])...);
            Py_RETURN_NONE;
        } else {
            return toPython(f(py::handle(values[I])...));
        }
    }

    bool bind(PyObject* const* args, Py_ssize_t count, PyObject* keywords, std::array<PyObject*, N + 1>& values) const {
        if (count < 1)
            return refuse(PyErr_Format(PyExc_TypeError, "%s() needs the object it is called on", name.c_str()));
        if (count > static_cast<Py_ssize_t>(N) + 1)
            return refuse(PyErr_Format(PyExc_TypeError, "%s() takes at most %d argument(s) (%zd given)", name.c_str(),
                                       static_cast<int>(N), count - 1));
        for (Py_ssize_t i = 0; i < count; ++i) values[static_cast<std::size_t>(i)] = args[i];
        const Py_ssize_t named = keywords ? PyTuple_GET_SIZE(keywords) : 0;
        for (Py_ssize_t k = 0; k < named; ++k) {
            PyObject* keyword = PyTuple_GET_ITEM(keywords, k);
            std::size_t j = 0;
            while (j < N && !names(parameters[j], keyword)) ++j;
            if (j == N)
                return refuse(PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'",
                                           name.c_str(), keyword));
            if (values[j + 1])
                return refuse(
                    PyErr_Format(PyExc_TypeError, "%s() got multiple values for argument '%U'", name.c_str(), keyword));
            values[j + 1] = args[count + k];
        }
        for (std::size_t j = 0; j < N; ++j)
            if (!values[j + 1]) {
                if (!parameters[j].fallback)
                    return refuse(PyErr_Format(PyExc_TypeError, "%s() missing required argument '%s'", name.c_str(),
                                               parameters[j].name));
                values[j + 1] = parameters[j].fallback.ptr();
            }
        return true;
    }

    static bool names(const Parameter& p, PyObject* keyword) {
        return PyUnicode_CompareWithASCIIString(keyword, p.name) == 0 ||
               (p.automation && PyUnicode_CompareWithASCIIString(keyword, p.automation) == 0);
    }

    // The error is set; the call is refused.
    static bool refuse(PyObject* /*always null*/) { return false; }
};

// A builtin function calling f(self, value...); `doc` may start with the
// text signature ("name(self, /, value)\n--\n\n"). It lives as long as the
// process.
template <class F, std::size_t N>
py::object directFunction(DirectCall<F, N>* call, const std::string& doc) {
    auto* text = new std::string(doc);
    auto* def = new PyMethodDef{call->name.c_str(),
                                reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&DirectCall<F, N>::call)),
                                METH_FASTCALL | METH_KEYWORDS, text->c_str()};
    auto capsule = py::reinterpret_steal<py::object>(PyCapsule_New(call, capsuleName, nullptr));
    if (!capsule) throw py::error_already_set();
    static PyObject* const module = PyUnicode_InternFromString("velloran");
    auto function = py::reinterpret_steal<py::object>(PyCFunction_NewEx(def, capsule.ptr(), module));
    if (!function) throw py::error_already_set();
    return function;
}
template <class F, std::size_t N>
py::object directFunction(F f, const std::string& name, std::array<Parameter, N> parameters, const std::string& doc,
                          const std::string& where = "") {
    return directFunction(new DirectCall<F, N>{std::move(f), name, std::move(parameters), where}, doc);
}

// A property over a getter and a setter (none: read-only).
template <class C, class Getter, class Setter>
void property(Class<C>& cls, const char* name, Getter getter, Setter setter, const std::string& doc) {
    py::object get = directFunction(std::move(getter), name, std::array<Parameter, 0>{}, "");
    py::object set = py::none();
    if constexpr (!std::is_same_v<Setter, std::nullptr_t>) {
        auto* call = new DirectCall<Setter, 1>{std::move(setter), name, {Parameter{"value"}}, ""};
        set = directFunction(call, "");
        cls.addSetter(name, {call, &DirectCall<Setter, 1>::assign});
    }
    auto type = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyProperty_Type));
    cls.add(name, type(get, set, py::none(), py::str(doc)), !set.is_none());
}

// A builtin function as a method of a class: called with the object first
// straight from a call on the object (a method descriptor, as Python's own
// are, where an instancemethod makes a bound method at each call); read
// from an object, a bound method; from the class, the function.
py::object methodOf(const py::object& function);

// A method under its Python parameter names, which inspect.signature shows
// (textSignature, "(self, /, path)"), taking the automation interface's
// names too for keyword callers who use those.
template <class C, class F, std::size_t N>
void method(Class<C>& cls, const char* name, const std::string& textSignature, F f, std::array<Parameter, N> parameters,
            const std::string& doc) {
    py::object function = directFunction(std::move(f), name, std::move(parameters),
                                         std::string(name) + textSignature + "\n--\n\n" + doc, cls.name() + "." + name);
    cls.add(name, methodOf(function), false);
}

template <class C, class F>
void method(Class<C>& cls, const char* name, const std::string& textSignature, F f, const std::string& doc) {
    method(cls, name, textSignature, std::move(f), std::array<Parameter, 0>{}, doc);
}

}  // namespace velloran::python
