#include "values.hpp"

#include <cfloat>
#include <cstddef>
#include <cmath>
#include <stdexcept>

#include "objects.hpp"

namespace velloran::python {

namespace {

// _error_class(number): the Python class of an error number, from the
// module's errors; kept for the life of the process.
PyObject* errorClass = nullptr;

// A Python integer (or anything with __index__); bool counts as the
// automation Boolean, True being -1.
std::int64_t integer(py::handle value, const char* expected) {
    if (PyBool_Check(value.ptr())) return value.ptr() == Py_True ? -1 : 0;
    if (!PyIndex_Check(value.ptr())) wrongType(expected, value);
    auto number = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
    if (!number) throw py::error_already_set();
    int overflow = 0;
    long long n = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
    if (overflow != 0) throw Error(errors::Overflow);
    if (n == -1 && PyErr_Occurred()) throw py::error_already_set();
    return n;
}

// Set the error of its class made with these arguments; the error of
// making it when that fails.
void setError(int number, PyObject* arguments) {
    PyObject* type = arguments ? PyObject_CallFunction(errorClass, "i", number) : nullptr;
    PyObject* error = type ? PyObject_CallObject(type, arguments) : nullptr;
    if (error) PyErr_SetObject(type, error);
    Py_XDECREF(error);
    Py_XDECREF(type);
    Py_XDECREF(arguments);
}

}  // namespace

void useErrorClasses(py::handle errorClassOfNumber) { errorClass = errorClassOfNumber.inc_ref().ptr(); }

void raise(const Error& e, const std::string* file) {
    const int n = e.number();
    if (file && n >= 52 && n <= 76)
        setError(n,
                 Py_BuildValue("(isN)", n, e.what(),
                               PyUnicode_DecodeFSDefaultAndSize(file->data(), static_cast<Py_ssize_t>(file->size()))));
    else setError(n, Py_BuildValue("(is)", n, e.what()));
}

void raiseAt(int number, const std::string& where) {
    setError(number, Py_BuildValue("(is)", number, (std::string(Error::message(number)) + ": " + where).c_str()));
    throw py::error_already_set();
}

void setPythonError() {
    try {
        throw;
    } catch (py::error_already_set& e) {
        e.restore();
    } catch (const py::builtin_exception& e) {
        e.set_error();
    } catch (const Error& e) {
        raise(e, nullptr);
    } catch (const std::bad_alloc&) {
        PyErr_NoMemory();
    } catch (const std::out_of_range& e) {
        PyErr_SetString(PyExc_IndexError, e.what());
    } catch (const std::overflow_error& e) {
        PyErr_SetString(PyExc_OverflowError, e.what());
    } catch (const std::logic_error& e) {  // a length, domain or argument the standard library refuses
        PyErr_SetString(PyExc_ValueError, e.what());
    } catch (const std::exception& e) {
        PyErr_SetString(PyExc_RuntimeError, e.what());
    }
}

void wrongType(const char* expected, py::handle value) {
    throw py::type_error(std::string("expected ") + expected + ", got " + Py_TYPE(value.ptr())->tp_name);
}

int initFields(PyObject* self, PyObject* args, PyObject* keywords, PyObject* fields, const char* name) {
    if (PyTuple_GET_SIZE(args) != 0) {
        PyErr_Format(PyExc_TypeError, "%s() takes its fields as keywords only", name);
        return -1;
    }
    if (!keywords) return 0;
    PyObject* key = nullptr;
    PyObject* value = nullptr;
    for (Py_ssize_t at = 0; PyDict_Next(keywords, &at, &key, &value);) {
        const int known = PySet_Contains(fields, key);
        if (known < 0) return -1;
        if (known == 0) {
            PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'", name, key);
            return -1;
        }
    }
    for (Py_ssize_t at = 0; PyDict_Next(keywords, &at, &key, &value);)
        if (PyObject_SetAttr(self, key, value) < 0) return -1;
    return 0;
}

int setFields(PyObject* self, PyObject* const* values, PyObject* names, PyObject* fields, const char* name) {
    const Py_ssize_t n = PyTuple_GET_SIZE(names);
    for (Py_ssize_t i = 0; i < n; ++i) {
        PyObject* key = PyTuple_GET_ITEM(names, i);
        const int known = PySet_Contains(fields, key);
        if (known < 0) return -1;
        if (known == 0) {
            PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'", name, key);
            return -1;
        }
    }
    for (Py_ssize_t i = 0; i < n; ++i)
        if (PyObject_SetAttr(self, PyTuple_GET_ITEM(names, i), values[i]) < 0) return -1;
    return 0;
}

std::int32_t toLong(py::handle value) {
    std::int64_t n = integer(value, "int");
    if (n < INT32_MIN || n > INT32_MAX) throw Error(errors::Overflow);
    return static_cast<std::int32_t>(n);
}

Boolean BooleanValue::in(py::handle v) {
    std::int64_t n = integer(v, "bool or int");
    if (n < INT16_MIN || n > INT16_MAX) throw Error(errors::Overflow);
    return Boolean(static_cast<std::int16_t>(n));
}

py::object fromBoolean(Boolean value) {
    if (value == True) return py::bool_(true);
    if (value == False) return py::bool_(false);
    return py::int_(static_cast<int>(value));
}

std::string toString(py::handle value) {
    if (!PyUnicode_Check(value.ptr())) wrongType("str", value);
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(value.ptr(), &size);  // refuses lone surrogates
    if (!utf8) throw py::error_already_set();
    return std::string(utf8, static_cast<std::size_t>(size));
}

std::string toPath(py::handle value) {
    auto path = py::reinterpret_steal<py::object>(PyOS_FSPath(value.ptr()));
    if (!path) throw py::error_already_set();
    if (PyUnicode_Check(path.ptr())) path = py::reinterpret_steal<py::object>(PyUnicode_EncodeFSDefault(path.ptr()));
    if (!path) throw py::error_already_set();
    return std::string(PyBytes_AS_STRING(path.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(path.ptr())));
}

py::object PathValue::out(const type& v) {
    return py::reinterpret_steal<py::object>(
        PyUnicode_DecodeFSDefaultAndSize(v.data(), static_cast<Py_ssize_t>(v.size())));
}

float SingleValue::in(py::handle v) {
    PyObject* o = v.ptr();
    if (PyBool_Check(o)) return o == Py_True ? -1.0f : 0.0f;
    if (!PyFloat_Check(o) && !PyIndex_Check(o) && !(Py_TYPE(o)->tp_as_number && Py_TYPE(o)->tp_as_number->nb_float))
        wrongType("float", v);
    double d = PyFloat_AsDouble(o);
    if (d == -1.0 && PyErr_Occurred()) {
        if (PyErr_ExceptionMatches(PyExc_OverflowError)) {
            PyErr_Clear();
            throw Error(errors::Overflow);
        }
        throw py::error_already_set();
    }
    if (std::isfinite(d) && std::fabs(d) > FLT_MAX) throw Error(errors::Overflow);
    return static_cast<float>(d);
}

Enumeration& enumeration(Enum which) {
    static Enumeration all[static_cast<int>(Enum::Count)];
    return all[static_cast<int>(which)];
}

// Its repr, or its type's name where it has none (an integer of more
// digits than Python turns into text).
std::string shortRepr(py::handle value) {
    auto text = py::reinterpret_steal<py::object>(PyObject_Repr(value.ptr()));
    Py_ssize_t size = 0;
    const char* utf8 = text ? PyUnicode_AsUTF8AndSize(text.ptr(), &size) : nullptr;
    if (!utf8) {
        PyErr_Clear();
        return std::string("a ") + Py_TYPE(value.ptr())->tp_name;
    }
    std::string out(utf8, static_cast<std::size_t>(size));
    constexpr std::size_t Longest = 60;
    if (out.size() > Longest) out = out.substr(0, Longest) + "...";
    return out;
}

bool isSequence(py::handle value) {
    return PySequence_Check(value.ptr()) && !PyUnicode_Check(value.ptr()) && !PyBytes_Check(value.ptr()) &&
           !PyByteArray_Check(value.ptr());
}

namespace {

struct Method {
    PyObject_HEAD PyObject* function;
    vectorcallfunc call;
};

PyObject* callMethod(PyObject* self, PyObject* const* args, std::size_t nargsf, PyObject* names) {
    return PyObject_Vectorcall(reinterpret_cast<Method*>(self)->function, args, nargsf, names);
}

PyObject* getMethod(PyObject* self, PyObject* object, PyObject* /*type*/) {
    PyObject* function = reinterpret_cast<Method*>(self)->function;
    if (!object || object == Py_None) return Py_NewRef(function);
    return PyMethod_New(function, object);
}

void freeMethod(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    Py_XDECREF(reinterpret_cast<Method*>(self)->function);
    type->tp_free(self);
    Py_DECREF(type);
}

PyObject* methodDoc(PyObject* self, void* /*closure*/) {
    return PyObject_GetAttrString(reinterpret_cast<Method*>(self)->function, "__doc__");
}

PyTypeObject* methodType() {
    static PyTypeObject* const type = [] {
        static PyMemberDef members[] = {{"__vectorcalloffset__", T_PYSSIZET, offsetof(Method, call), READONLY, nullptr},
                                        // inspect.signature follows it to the function's signature.
                                        {"__wrapped__", T_OBJECT, offsetof(Method, function), READONLY, nullptr},
                                        {"__func__", T_OBJECT, offsetof(Method, function), READONLY, nullptr},
                                        {}};
        static PyGetSetDef getset[] = {{"__doc__", &methodDoc, nullptr, nullptr, nullptr}, {}};
        static PyType_Slot slots[] = {{Py_tp_call, reinterpret_cast<void*>(&PyVectorcall_Call)},
                                      {Py_tp_descr_get, reinterpret_cast<void*>(&getMethod)},
                                      {Py_tp_dealloc, reinterpret_cast<void*>(&freeMethod)},
                                      {Py_tp_members, members},
                                      {Py_tp_getset, getset},
                                      {0, nullptr}};
        static PyType_Spec layout{"velloran.method", static_cast<int>(sizeof(Method)), 0,
                                  Py_TPFLAGS_DEFAULT | Py_TPFLAGS_METHOD_DESCRIPTOR | Py_TPFLAGS_HAVE_VECTORCALL,
                                  slots};
        auto* made = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&layout));
        if (!made) throw py::error_already_set();
        return made;  // lives as long as the process
    }();
    return type;
}

}  // namespace

py::object methodOf(const py::object& function) {
    PyTypeObject* type = methodType();
    auto made = py::reinterpret_steal<py::object>(type->tp_alloc(type, 0));
    if (!made) throw py::error_already_set();
    auto* method = reinterpret_cast<Method*>(made.ptr());
    method->function = Py_NewRef(function.ptr());
    method->call = &callMethod;
    return made;
}

}  // namespace velloran::python
