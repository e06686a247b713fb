// The Python objects of the classes: a small CPython type per class whose
// instances hold the C++ object by shared_ptr, and the way between the two.
//
// A C++ object reached from Python twice (a paragraph's Border read twice,
// a cell stored in a CellArray and read back) is the same Python object
// while that object lives: an object that C++ holds as a field is entered
// in a registry by its address when it first crosses, and leaves it with
// its Python object.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include <pybind11/pybind11.h>
#include <structmember.h>

namespace velloran::python {

namespace py = pybind11;

// What every instance starts with; the held object follows it.
struct Head {
    PyObject_HEAD PyObject* weakrefs;
    bool registered;  // in the registry under its held object's address
};

template <class C>
struct Instance : Head {
    std::shared_ptr<C> held;  // empty until __init__ has run
};

// The type of each class and its name as messages give it, set once at import.
template <class C>
inline PyTypeObject* typeOf = nullptr;
template <class C>
inline const char* nameOf = "";
// The names of its fields, which its constructor takes as keywords.
template <class C>
inline PyObject* fieldsOf = nullptr;

// A field's setter, called straight from the class's __setattr__ without
// the property between: call is the setter's own record.
struct DirectSetter {
    void* call;
    int (*set)(void* call, PyObject* self, PyObject* value);  // 0, or -1 with the error set
};
// Each class's setters by the interned names its properties have: the names
// that code writes (`run.Bold = ...`, `cText(Bold=...)`) are those objects.
// A name is found by its address in a small open table (a std::unordered_map
// took a division a lookup, a twentieth of a run's time from Python).
class SetterTable {
public:
    void insert(PyObject* name, DirectSetter setter) {
        if ((count_ + 1) * 2 > slots_.size()) grow();
        place(name, setter);
    }
    const DirectSetter* find(PyObject* name) const noexcept {
        if (slots_.empty()) return nullptr;
        for (std::size_t i = slot(name);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i].first == name) return &slots_[i].second;
            if (!slots_[i].first) return nullptr;
        }
    }

private:
    std::size_t slot(PyObject* name) const noexcept {
        return (reinterpret_cast<std::uintptr_t>(name) >> 4) & (slots_.size() - 1);
    }
    void place(PyObject* name, DirectSetter setter) {
        std::size_t i = slot(name);
        while (slots_[i].first && slots_[i].first != name) i = (i + 1) & (slots_.size() - 1);
        if (!slots_[i].first) ++count_;
        slots_[i] = {name, setter};
    }
    void grow() {
        std::vector<std::pair<PyObject*, DirectSetter>> old(std::max<std::size_t>(16, slots_.size() * 2));
        old.swap(slots_);
        count_ = 0;
        for (const auto& [name, setter] : old)
            if (name) place(name, setter);
    }

    std::vector<std::pair<PyObject*, DirectSetter>> slots_;  // a power of two, at most half full
    std::size_t count_ = 0;
};
template <class C>
inline SetterTable* settersOf = nullptr;

// __setattr__ of the classes: a field of the class itself set by its setter
// at once; anything else, a subclass's object, a name built at run time or
// a deletion, as Python sets attributes (through the same properties).
template <class C>
int setAttribute(PyObject* self, PyObject* name, PyObject* value) {
    if (value && Py_TYPE(self) == typeOf<C>)
        if (const DirectSetter* setter = settersOf<C>->find(name)) return setter->set(setter->call, self, value);
    return PyObject_GenericSetAttr(self, name, value);
}

// The Python objects of C++ objects that C++ holds as fields; with the GIL.
inline std::unordered_map<const void*, PyObject*>& registry() {
    static auto* const objects = new std::unordered_map<const void*, PyObject*>;  // outlives every object at exit
    return *objects;
}

template <class C>
bool isInstance(py::handle value) {
    return PyObject_TypeCheck(value.ptr(), typeOf<C>) != 0;
}

template <class C>
Instance<C>& instanceOf(py::handle self) {
    if (!isInstance<C>(self))
        throw py::type_error(std::string("expected ") + nameOf<C> + ", got " + Py_TYPE(self.ptr())->tp_name);
    auto& instance = *reinterpret_cast<Instance<C>*>(self.ptr());
    if (!instance.held)
        throw py::type_error(std::string(Py_TYPE(self.ptr())->tp_name) +
                             " object is not initialized: it was made by __new__ without __init__, or its class's "
                             "__init__ did not call the __init__ it overrides");
    return instance;
}

// The C++ object behind a Python object of one of the classes.
template <class C>
C& initialized(py::handle self) {
    return *instanceOf<C>(self).held;
}

[[noreturn]] void wrongType(const char* expected, py::handle value);

// An object of one of the classes, or None for Nothing, for a call that
// reads it while the call lasts (the caller holds the Python object).
template <class T>
const std::shared_ptr<T>& toObject(py::handle value) {
    static const std::shared_ptr<T> nothing;
    if (value.is_none()) return nothing;
    if (!isInstance<T>(value)) wrongType((std::string(nameOf<T>) + " or None").c_str(), value);
    return instanceOf<T>(value).held;
}

// The same for an object that C++ keeps: reading it back gives this object.
template <class T>
std::shared_ptr<T> toStored(py::handle value) {
    const std::shared_ptr<T>& object = toObject<T>(value);
    auto& instance = *reinterpret_cast<Instance<T>*>(value.ptr());
    if (object && !instance.registered) {
        auto [at, entered] = registry().emplace(object.get(), value.ptr());
        instance.registered = entered;
    }
    return object;
}

// The Python object of a C++ object: the one it has, or a new one.
template <class C>
py::object wrap(const std::shared_ptr<C>& object) {
    if (!object) return py::none();
    auto& objects = registry();
    auto at = objects.find(object.get());
    // An object being freed (its weak references' callbacks, a subclass's
    // attributes going, may read the field meanwhile) is no longer its object.
    if (at != objects.end() && Py_REFCNT(at->second) > 0) return py::reinterpret_borrow<py::object>(at->second);
    auto made = py::reinterpret_steal<py::object>(typeOf<C>->tp_alloc(typeOf<C>, 0));
    if (!made) throw py::error_already_set();
    auto* instance = reinterpret_cast<Instance<C>*>(made.ptr());
    new (&instance->held) std::shared_ptr<C>(object);
    instance->weakrefs = nullptr;
    objects.insert_or_assign(object.get(), made.ptr());
    instance->registered = true;
    return made;
}

// The slots of every class's type.
template <class C>
PyObject* newInstance(PyTypeObject* type, PyObject* /*args*/, PyObject* /*keywords*/) {
    PyObject* self = type->tp_alloc(type, 0);
    if (!self) return nullptr;
    auto* instance = reinterpret_cast<Instance<C>*>(self);
    new (&instance->held) std::shared_ptr<C>();
    instance->weakrefs = nullptr;
    instance->registered = false;
    return self;
}

template <class C>
void deleteInstance(PyObject* self) {
    auto* instance = reinterpret_cast<Instance<C>*>(self);
    PyTypeObject* type = Py_TYPE(self);
    if (instance->registered) {
        auto at = registry().find(instance->held.get());
        if (at != registry().end() && at->second == self) registry().erase(at);
    }
    if (instance->weakrefs) PyObject_ClearWeakRefs(self);
    instance->held.~shared_ptr();
    type->tp_free(self);
    Py_DECREF(type);
}

// Set the Python error of the C++ exception being handled; inside a catch.
void setPythonError();

// __init__: the plain constructor, then the fields given as keywords, set
// as assignments set them, in the order given. A name that is no field of
// the class is a TypeError naming it, before anything is set.
int initFields(PyObject* self, PyObject* args, PyObject* keywords, PyObject* fields, const char* name);

// The same from a vectorcall's keyword names and values (values[i] for
// names[i]), without the dictionary a call through __init__ builds.
int setFields(PyObject* self, PyObject* const* values, PyObject* names, PyObject* fields, const char* name);

// The keywords of a call of the class, each by its setter when all are
// found by their interned names; else (a name built at run time, one that
// is no field) as setFields checks and sets them.
template <class C>
int setKeywords(PyObject* self, PyObject* const* values, PyObject* names) {
    constexpr Py_ssize_t Most = 16;
    const Py_ssize_t n = PyTuple_GET_SIZE(names);
    const DirectSetter* setters[Most];
    for (Py_ssize_t i = 0; i < n; ++i)
        if (i >= Most || !(setters[i] = settersOf<C>->find(PyTuple_GET_ITEM(names, i))))
            return setFields(self, values, names, fieldsOf<C>, nameOf<C>);
    for (Py_ssize_t i = 0; i < n; ++i)
        if (setters[i]->set(setters[i]->call, self, values[i]) < 0) return -1;
    return 0;
}

// Calling the class itself: new and __init__ in one step, its keywords read
// where the caller left them. A subclass, which may have an __init__ of its
// own, is called as Python calls types (a type's vectorcall is not inherited).
template <class C>
PyObject* makeInstance(PyObject* type, PyObject* const* args, std::size_t nargsf, PyObject* names) {
    if (PyVectorcall_NARGS(nargsf) != 0) {
        PyErr_Format(PyExc_TypeError, "%s() takes its fields as keywords only", nameOf<C>);
        return nullptr;
    }
    PyObject* self = newInstance<C>(reinterpret_cast<PyTypeObject*>(type), nullptr, nullptr);
    if (!self) return nullptr;
    try {
        reinterpret_cast<Instance<C>*>(self)->held = std::make_shared<C>();
    } catch (const std::exception&) {
        setPythonError();
        Py_DECREF(self);
        return nullptr;
    }
    if (names && setKeywords<C>(self, args, names) < 0) {
        Py_DECREF(self);
        return nullptr;
    }
    return self;
}

template <class C>
int initInstance(PyObject* self, PyObject* args, PyObject* keywords) {
    try {
        auto* instance = reinterpret_cast<Instance<C>*>(self);
        if (PyTuple_GET_SIZE(args) == 0 && !instance->held) instance->held = std::make_shared<C>();
        return initFields(self, args, keywords, fieldsOf<C>, nameOf<C>);
    } catch (const std::exception&) {
        setPythonError();
        return -1;
    }
}

// One class as it is registered: its members gathered, then its type made
// with a docstring that gives the keywords its constructor takes.
template <class C>
class Class {
public:
    using type = C;

    Class(py::module_& module, const char* name, const char* doc) : module_(module), name_(name), doc_(doc) {}

    const std::string& name() const { return name_; }

    void add(const char* name, py::object member, bool takenAsKeyword) {
        members_.emplace_back(name, std::move(member));
        if (takenAsKeyword) keywords_.emplace_back(name);
    }
    // A field's setter, besides its property.
    void addSetter(const char* name, DirectSetter setter) { setters_.emplace_back(name, setter); }

    // Make the type, with `init` for __init__ (the keyword constructor when
    // none) and `signature` for the constructor's text signature.
    void finish(initproc init = nullptr, std::string signature = {}) {
        if (signature.empty()) {
            signature = keywords_.empty() ? "()" : "(*";
            for (const std::string& keyword : keywords_) signature += ", " + keyword + "=...";
            if (!keywords_.empty()) signature += ")";
        }
        // The docstring may start with a line of its own for the constructor: the signature replaces it.
        std::string body = doc_;
        if (auto end = body.find("\n\n"); end != std::string::npos && body.compare(0, name_.size(), name_) == 0)
            body.erase(0, end + 2);
        const std::string doc = name_ + signature + "\n--\n\n" + body;
        static PyMemberDef weakrefs[] = {
            {"__weaklistoffset__", T_PYSSIZET, offsetof(Head, weakrefs), READONLY, nullptr}, {}};
        if constexpr (std::is_default_constructible_v<C>)
            if (!init) init = &initInstance<C>;
        PyType_Slot slots[] = {{Py_tp_new, reinterpret_cast<void*>(&newInstance<C>)},
                               {Py_tp_init, reinterpret_cast<void*>(init)},
                               {Py_tp_dealloc, reinterpret_cast<void*>(&deleteInstance<C>)},
                               {Py_tp_setattro, reinterpret_cast<void*>(&setAttribute<C>)},
                               {Py_tp_doc, const_cast<char*>(doc.c_str())},
                               {Py_tp_members, weakrefs},
                               {0, nullptr}};
        static const auto* const fullName = new std::string("velloran." + name_);  // kept by the type
        PyType_Spec layout{fullName->c_str(), static_cast<int>(sizeof(Instance<C>)), 0,
                           Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE, slots};
        auto made = py::reinterpret_steal<py::object>(PyType_FromSpec(&layout));
        if (!made) throw py::error_already_set();
        for (auto& [name, member] : members_) py::setattr(made, name.c_str(), member);
        settersOf<C> = new SetterTable;  // lives as long as the type
        for (auto& [name, setter] : setters_) {
            PyObject* interned = PyUnicode_InternFromString(name.c_str());  // kept by the map
            if (!interned) throw py::error_already_set();
            settersOf<C>->insert(interned, setter);
        }
        py::set keywords;
        for (const std::string& keyword : keywords_) keywords.add(py::str(keyword));
        fieldsOf<C> = keywords.release().ptr();
        typeOf<C> = reinterpret_cast<PyTypeObject*>(made.ptr());
        if constexpr (std::is_default_constructible_v<C>)
            if (init == &initInstance<C>) typeOf<C>->tp_vectorcall = &makeInstance<C>;
        nameOf<C> = fullName->c_str() + sizeof("velloran");
        module_.attr(nameOf<C>) = made;
        made.release();  // the type lives as long as the process
    }

private:
    py::module_& module_;
    std::string name_;
    std::string doc_;
    std::vector<std::pair<std::string, py::object>> members_;
    std::vector<std::string> keywords_;
    std::vector<std::pair<std::string, DirectSetter>> setters_;
};

}  // namespace velloran::python
