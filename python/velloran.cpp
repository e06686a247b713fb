// The Python module `velloran`: the fifteen classes of the core under their
// own names, fields as attributes, procedures and methods as methods.
//
// Values cross the boundary the way an automation host passes them: Booleans
// are -1 and 0 (True stores -1; reading gives True, False or whatever other
// integer was stored), integers are 32-bit (beyond that is error 6, as in a
// script host), strings are str, and object fields hold the very object.
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#ifndef _WIN32
#include <pthread.h>
#endif

#include <pybind11/eval.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <velloran/velloran.hpp>

#include "common/platform.hpp"

namespace py = pybind11;
using namespace velloran;

namespace {

// Python objects the module made at import; kept for the life of the process.
PyObject* errorType = nullptr;
PyObject* errorClass = nullptr;  // _error_class(number): the Python class of an error number
PyObject* alignmentType = nullptr;
PyObject* borderTypeType = nullptr;
PyObject* fieldType = nullptr;
PyObject* listType = nullptr;
PyObject* orientationType = nullptr;
PyObject* embeddingType = nullptr;
PyObject* verticalPositionType = nullptr;
PyObject* tabAlignmentType = nullptr;
PyObject* tabLeaderType = nullptr;
PyObject* verticalAlignmentType = nullptr;

// ---------------------------------------------------------------------------
// Objects in use by calls that run without the GIL.
//
// Save, Rtf and InsertPicture release the GIL, so another Python thread may
// reach the same objects while they work. Such a call marks the objects it
// uses, and any other call that uses a marked object waits until the mark
// goes, instead of racing the core. Marks are exclusive: even a rendering
// may finish the pieces of the text it reads.
class InUse {
public:
    // With the GIL held: wait until no call without the GIL uses any of these.
    // A waiting call holds back later calls on its objects, so a stream of
    // overlapping renderings cannot starve it.
    void waitFree(std::initializer_list<const void*> objects) {
        auto marked = [&] {
            return std::any_of(objects.begin(), objects.end(), [&](const void* o) { return marks_.count(o) != 0; });
        };
        if (marks_.empty() || !marked()) return;
        std::vector<const void*> counted(objects);
        count(waiting_, counted);
        struct Uncount {
            InUse& in;
            const std::vector<const void*>& objects;
            ~Uncount() {
                in.uncount(in.waiting_, objects);
                in.notify();
            }
        } uncount{*this, counted};
        while (marked()) wait();
    }

    // With the GIL held: mark the objects for one call without the GIL.
    // Which objects those are is asked again after every wait: while this
    // call waited, another thread may have changed an object field (a
    // document's Header) of an object it was not yet holding.
    template <class Objects>
    std::vector<const void*> acquire(Objects objectsNow) {
        for (;;) {
            std::vector<const void*> objects = objectsNow();
            if (std::none_of(objects.begin(), objects.end(),
                             [&](const void* o) { return marks_.count(o) != 0 || waiting_.count(o) != 0; })) {
                count(marks_, objects);
                return objects;
            }
            wait();
        }
    }

    void release(const std::vector<const void*>& objects) {
        uncount(marks_, objects);
        notify();
    }

private:
    using Counts = std::unordered_map<const void*, int>;

    // Count each object once more: all of them, or (out of memory part-way)
    // none.
    static void count(Counts& counts, const std::vector<const void*>& objects) {
        std::size_t done = 0;
        try {
            for (; done < objects.size(); ++done) ++counts[objects[done]];
        } catch (...) {
            uncount(counts, {objects.begin(), objects.begin() + static_cast<std::ptrdiff_t>(done)});
            throw;
        }
    }
    static void uncount(Counts& counts, const std::vector<const void*>& objects) noexcept {
        for (const void* o : objects) {
            auto at = counts.find(o);
            if (at != counts.end() && --at->second == 0) counts.erase(at);
        }
    }

    // The generation is read under the GIL and changed under the GIL and the
    // mutex, so a release between letting go of the GIL and waiting is seen.
    void wait() {
        const std::uint64_t seen = generation_;
        py::gil_scoped_release released;
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return generation_ != seen; });
    }

    void notify() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++generation_;
        }
        changed_.notify_all();
    }

    // Marks per object: one call may reach an object twice (a header that is
    // also the footer).
    Counts marks_;
    Counts waiting_;  // calls waiting for each object
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t generation_ = 0;
};

// Outlives every thread at exit. A child forked while other threads held
// marks (or the mutex) starts with a new one: those threads do not exist in
// it, and would hold their marks for ever.
InUse* inUseNow = new InUse;

InUse& inUse() { return *inUseNow; }

void forgetMarksInChild() { inUseNow = new InUse; }

// The marks of one call without the GIL, for its duration. `objects` gives
// the objects the call uses, null ones left out, as they are at the moment.
class Hold {
public:
    template <class Objects>
    explicit Hold(Objects objects)
        : objects_(inUse().acquire([&] {
              std::vector<const void*> now;
              for (const void* o : objects())
                  if (o) now.push_back(o);
              return now;
          })) {}
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    ~Hold() { inUse().release(objects_); }

private:
    std::vector<const void*> objects_;
};

void waitFree(std::initializer_list<const void*> objects) { inUse().waitFree(objects); }

// Run work without the GIL, holding the objects it uses against other
// threads: those `objects()` names once none of them is in use.
template <class Objects, class Work>
auto withoutGil(Objects objects, Work work) {
    Hold hold(objects);
    py::gil_scoped_release released;
    return work();
}

// Render a document without the GIL. Rendering reads the document, its
// header and footer and their borders, and nothing else that another
// thread can change: the pages are the document's own text.
//
// A thread that never created a document has colour indexes 0 for black and
// white, and a document rendered there would write them into its body
// defaults; every document's colour table holds black and white at 1 and 2,
// which a document's creation in this thread sets. So a document renders the
// same whichever Python thread saves it.
template <class Work>
auto render(const cDocument& document, Work work) {
    if (BlackColorIndex() == 0 || WhiteColorIndex() == 0) cDocument scratch;
    // The document first: once it is held, its Header and Footer wait, so
    // the paragraphs held next are the ones rendered.
    Hold held([&document] { return std::array<const void*, 1>{&document}; });
    auto objects = [&document] {
        const cParagraph* header = document.Header.get();
        const cParagraph* footer = document.Footer.get();
        return std::array<const void*, 4>{header, footer, header ? header->Border.get() : nullptr,
                                          footer ? footer->Border.get() : nullptr};
    };
    return withoutGil(objects, work);
}

// Set the Python exception of an error: its class by number (file errors
// are OSErrors too), with the file's name where one is known.
void raise(const Error& e, const std::string* file) {
    py::object type = py::reinterpret_borrow<py::object>(errorClass)(e.number());
    py::object error = file && e.number() >= 52 && e.number() <= 76
                           ? type(e.number(), e.what(),
                                  py::reinterpret_steal<py::object>(PyUnicode_DecodeFSDefaultAndSize(
                                      file->data(), static_cast<Py_ssize_t>(file->size()))))
                           : type(e.number(), e.what());
    PyErr_SetObject(type.ptr(), error.ptr());
}

// Raise an automation error whose message says where it happened.
[[noreturn]] void raiseAt(int number, const std::string& where) {
    py::object type = py::reinterpret_borrow<py::object>(errorClass)(number);
    py::object error = type(number, std::string(Error::message(number)) + ": " + where);
    PyErr_SetObject(type.ptr(), error.ptr());
    throw py::error_already_set();
}

// Work on a file: its errors name the file.
template <class Work>
auto withFileName(const std::string& file, Work work) {
    try {
        return work();
    } catch (const Error& e) {
        raise(e, &file);
        throw py::error_already_set();
    }
}

// ---------------------------------------------------------------------------
// Values.

[[noreturn]] void wrongType(const char* expected, py::handle value) {
    throw py::type_error(std::string("expected ") + expected + ", got " + Py_TYPE(value.ptr())->tp_name);
}

// The registration of one of the classes, looked up once: pybind11's own
// lookup hashes the type's name at every call, a sixth of a short call's time.
template <class C>
py::detail::type_info* typeInfo() {
    static py::detail::type_info* const info = py::detail::get_type_info(typeid(C), true);
    return info;
}

template <class C>
bool isInstance(py::handle value) {
    return PyObject_TypeCheck(value.ptr(), typeInfo<C>()->type) != 0;
}

// The value and holder behind an instance of C. An object made by __new__
// alone (its __init__ never ran) has none: TypeError.
template <class C>
py::detail::value_and_holder constructed(py::handle self) {
    auto* instance = reinterpret_cast<py::detail::instance*>(self.ptr());
    auto holder = instance->get_value_and_holder(typeInfo<C>());
    if (!holder || !holder.holder_constructed())
        throw py::type_error(std::string(Py_TYPE(self.ptr())->tp_name) +
                             " object is not initialized: it was made by __new__ without __init__");
    return holder;
}

// The C++ object behind a Python object of one of the classes.
template <class C>
C& initialized(py::handle self) {
    if (!isInstance<C>(self))
        throw py::type_error(std::string("expected ") +
                             py::type::of<C>().attr("__name__").template cast<std::string>() + ", got " +
                             Py_TYPE(self.ptr())->tp_name);
    return *static_cast<C*>(constructed<C>(self).value_ptr());
}

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

std::int32_t toLong(py::handle value) {
    std::int64_t n = integer(value, "int");
    if (n < INT32_MIN || n > INT32_MAX) throw Error(errors::Overflow);
    return static_cast<std::int32_t>(n);
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

// str or any path-like object, in the file system's encoding.
std::string toPath(py::handle value) {
    auto path = py::reinterpret_steal<py::object>(PyOS_FSPath(value.ptr()));
    if (!path) throw py::error_already_set();
    if (PyUnicode_Check(path.ptr())) path = py::reinterpret_steal<py::object>(PyUnicode_EncodeFSDefault(path.ptr()));
    if (!path) throw py::error_already_set();
    return std::string(PyBytes_AS_STRING(path.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(path.ptr())));
}

// An object of one of the classes, or None for Nothing.
template <class T>
std::shared_ptr<T> toObject(py::handle value) {
    if (value.is_none()) return nullptr;
    if (!isInstance<T>(value))
        wrongType((std::string(py::type::of<T>().attr("__name__").template cast<std::string>()) + " or None").c_str(),
                  value);
    return constructed<T>(value).template holder<std::shared_ptr<T>>();
}

// The value type of each kind of field: in() converts from Python (raising
// TypeError or error 6), out() back.
struct LongValue {
    using type = std::int32_t;
    static type in(py::handle v) { return toLong(v); }
    static py::object out(type v) { return py::int_(v); }
};

struct BooleanValue {
    using type = Boolean;
    static type in(py::handle v) {
        std::int64_t n = integer(v, "bool or int");
        if (n < INT16_MIN || n > INT16_MAX) throw Error(errors::Overflow);
        return Boolean(static_cast<std::int16_t>(n));
    }
    static py::object out(type v) { return fromBoolean(v); }
};

struct StringValue {
    using type = std::string;
    static type in(py::handle v) { return toString(v); }
    static py::object out(const type& v) { return py::str(v); }
};

// A path: str, bytes or any path-like object in; str out.
struct PathValue {
    using type = std::string;
    static type in(py::handle v) { return toPath(v); }
    static py::object out(const type& v) {
        return py::reinterpret_steal<py::object>(
            PyUnicode_DecodeFSDefaultAndSize(v.data(), static_cast<Py_ssize_t>(v.size())));
    }
};

struct SingleValue {
    using type = float;
    static type in(py::handle v) {
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
    static py::object out(type v) { return py::float_(v); }
};

// An enumeration field may hold any 32-bit value; members read back as members.
template <class Enum, PyObject** Type, std::int32_t Low, std::int32_t High>
struct EnumValue {
    using type = Enum;
    static type in(py::handle v) { return static_cast<Enum>(toLong(v)); }
    static py::object out(type v) {
        auto n = static_cast<std::int32_t>(v);
        if (n < Low || n > High) return py::int_(n);
        return py::reinterpret_borrow<py::object>(*Type)(n);
    }
};
using AlignmentValue = EnumValue<vlRTFAlignment, &alignmentType, aLeft, aJustified>;
using BorderTypeValue = EnumValue<vlRTFBorderType, &borderTypeType, bSingle, bHairline>;
using FieldValue = EnumValue<vlRTFField, &fieldType, fNone, fDate>;
using ListValue = EnumValue<vlRTFList, &listType, lNone, lNumber>;
using OrientationValue = EnumValue<vlRTFOrientation, &orientationType, oDocument, oLandscape>;
using EmbeddingValue = EnumValue<vlRTFPictureEmbedding, &embeddingType, eMetafile, eOriginalAndMetafile>;
using VerticalPositionValue = EnumValue<vlRTFVerticalPosition, &verticalPositionType, vNormal, vSubscript>;
using TabAlignmentValue = EnumValue<vlRTFTabAlignment, &tabAlignmentType, tLeft, tDecimal>;
using TabLeaderValue = EnumValue<vlRTFTabLeader, &tabLeaderType, tlNone, tlUnderline>;
using VerticalAlignmentValue = EnumValue<vlRTFVerticalAlignment, &verticalAlignmentType, vaTop, vaBottom>;

// ---------------------------------------------------------------------------
// Calls without pybind11's dispatcher.
//
// The members a host calls in its loops (the inserts, the setters) take one
// value and convert it themselves, so pybind11's general dispatch (argument
// vectors, a second overload for the automation names) was pure cost: a sixth
// of the time of 100,000 paragraphs built from Python. Such a call goes
// straight from Python's vectorcall to its function here, which keeps what
// the dispatcher did that matters: C++ exceptions become Python ones through
// the module's translators, and temporaries made while converting live until
// the call returns.

// Raise the C++ exception being handled as pybind11 would; inside a catch.
void raiseCurrent() {
    if (py::detail::apply_exception_translators(py::detail::get_local_internals().registered_exception_translators))
        return;
    if (py::detail::apply_exception_translators(py::detail::get_internals().registered_exception_translators)) return;
    PyErr_SetString(PyExc_SystemError, "Exception escaped from default exception translator!");
}

// A C++ result as a Python object.
template <class T>
py::object result(T&& value) {
    if constexpr (std::is_base_of_v<py::handle, std::decay_t<T>>) return py::reinterpret_borrow<py::object>(value);
    else return py::cast(std::forward<T>(value));
}

// The name of the capsules that carry a DirectCall. pybind11 (2.10 and
// earlier) takes any capsule without a name for one of its own function
// records, so a DirectCall passed where it looks for one (a std::function
// argument of another module) would be read as such a record.
constexpr const char* capsuleName = "velloran.DirectCall";

// A function of (self, value) with the names its one parameter may go by.
template <class F>
struct DirectCall {
    F f;
    std::string name;
    const char* parameter;
    const char* automationParameter;

    static PyObject* call(PyObject* capsule, PyObject* const* args, Py_ssize_t count, PyObject* keywords) {
        auto* self = static_cast<DirectCall*>(PyCapsule_GetPointer(capsule, capsuleName));
        // self by position only, the value by position or by one of its names.
        Py_ssize_t named = keywords ? PyTuple_GET_SIZE(keywords) : 0;
        if (count < 1 || count + named != 2 || (named == 1 && !self->named(PyTuple_GET_ITEM(keywords, 0)))) {
            PyErr_Format(PyExc_TypeError, "%s() takes one argument (%s)", self->name.c_str(), self->parameter);
            return nullptr;
        }
        try {
            py::detail::loader_life_support temporaries;
            if constexpr (std::is_void_v<std::invoke_result_t<F&, py::handle, py::handle>>) {
                self->f(py::handle(args[0]), py::handle(args[1]));
                Py_RETURN_NONE;
            } else {
                return result(self->f(py::handle(args[0]), py::handle(args[1]))).release().ptr();
            }
        } catch (py::error_already_set& e) {
            e.restore();
#ifdef __GLIBCXX__
        } catch (abi::__forced_unwind&) {
            throw;  // a cancelled thread must unwind on
#endif
        } catch (...) {
            raiseCurrent();
        }
        return nullptr;
    }

    bool named(PyObject* keyword) const {
        return PyUnicode_CompareWithASCIIString(keyword, parameter) == 0 ||
               (automationParameter && PyUnicode_CompareWithASCIIString(keyword, automationParameter) == 0);
    }
};

// A builtin function calling f(self, value); `doc` may start with the text
// signature ("name(self, /, value)\n--\n\n"). It lives as long as the process.
template <class F>
py::object directFunction(F f, const std::string& name, const char* parameter, const char* automationParameter,
                          const std::string& doc) {
    auto* call = new DirectCall<F>{std::move(f), name, parameter, automationParameter};
    auto* text = new std::string(doc);
    auto* def = new PyMethodDef{call->name.c_str(),
                                reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&DirectCall<F>::call)),
                                METH_FASTCALL | METH_KEYWORDS, text->c_str()};
    py::object capsule = py::reinterpret_steal<py::object>(PyCapsule_New(call, capsuleName, nullptr));
    if (!capsule) throw py::error_already_set();
    static PyObject* const module = PyUnicode_InternFromString("velloran");
    auto function = py::reinterpret_steal<py::object>(PyCFunction_NewEx(def, capsule.ptr(), module));
    if (!function) throw py::error_already_set();
    return function;
}

// ---------------------------------------------------------------------------
// Members.

template <class C>
using Class = py::class_<C, std::shared_ptr<C>>;

// A property: its getter an ordinary function, its setter called directly.
template <class C, class Getter, class Setter>
void property(Class<C>& cls, const char* name, Getter getter, Setter setter, const char* doc) {
    py::cpp_function get(std::move(getter), py::is_method(cls));
    py::object set = directFunction(std::move(setter), name, "value", nullptr, "");
    auto type = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyProperty_Type));
    cls.attr(name) = type(get, set, py::none(), py::str(doc ? doc : ""));
}

// A value as a message shows it: its repr, cut short; its type's name where
// it has none (an integer of more digits than Python turns into text).
std::string shortRepr(py::handle value) {
    auto text = py::reinterpret_steal<py::object>(PyObject_Repr(value.ptr()));
    if (!text) {
        PyErr_Clear();
        return std::string("a ") + Py_TYPE(value.ptr())->tp_name;
    }
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
    if (!utf8) {
        PyErr_Clear();
        return std::string("a ") + Py_TYPE(value.ptr())->tp_name;
    }
    std::string out(utf8, static_cast<std::size_t>(size));
    constexpr std::size_t Longest = 60;
    if (out.size() > Longest) out = out.substr(0, Longest) + "...";
    return out;
}

template <class C>
std::string className(Class<C>& cls) {
    return cls.attr("__name__").template cast<std::string>();
}

// A value for a field, its error naming the field and the value: "Overflow:
// cText.Height = 1099511627776".
template <class Value>
auto valueFor(const std::string& where, py::handle value) {
    try {
        return Value::in(value);
    } catch (const Error& e) {
        raiseAt(e.number(), where + " = " + shortRepr(value));
    }
}

// A field: the setter stores the value unchanged, the getter returns it.
template <class Value, class C>
void field(Class<C>& cls, const char* name, std::type_identity_t<typename Value::type C::*> member, const char* doc) {
    property(
        cls, name,
        [member](py::handle self_) {
            const C& self = initialized<C>(self_);
            return Value::out(self.*member);
        },
        [member, where = className(cls) + "." + name](py::handle self_, py::handle value) {
            C& self = initialized<C>(self_);
            auto converted = valueFor<Value>(where, value);
            waitFree({&self});
            self.*member = std::move(converted);
        },
        doc);
}

// An object field: holds the very object assigned, or None.
// An object field; refused(self, value), when given, refuses a value with
// error 5 before anything changes.
template <class T, class C>
void objectField(Class<C>& cls, const char* name, std::type_identity_t<std::shared_ptr<T> C::*> member, const char* doc,
                 bool (*refused)(const C&, const T&) = nullptr) {
    property(
        cls, name,
        [member](py::handle self_) {
            const C& self = initialized<C>(self_);
            return self.*member;
        },
        [member, refused](py::handle self_, py::handle value) {
            C& self = initialized<C>(self_);
            auto object = toObject<T>(value);
            waitFree({&self});
            if (refused && object && refused(self, *object)) throw Error(errors::InvalidArgument);
            self.*member = std::move(object);
        },
        doc);
}

// A write-only property (a put-only procedure of the interface).
template <class C, class Setter>
void writeOnly(Class<C>& cls, const char* name, Setter setter, const char* doc) {
    std::string message = std::string(name) + " is write-only";
    property(
        cls, name, [message](py::handle) -> py::object { throw py::attribute_error(message); }, setter, doc);
}

// A method under its Python parameter names, which inspect.signature shows
// (textSignature, "(self, /, path)"), and again under the automation
// interface's names for keyword callers who use those.
template <class C, class F, class... PythonArgs, class... AutomationArgs>
void method(Class<C>& cls, const char* name, const std::string& textSignature, F f,
            std::tuple<PythonArgs...> pythonArgs, std::tuple<AutomationArgs...> automationArgs,
            const std::string& doc) {
    const std::string signedDoc = std::string(name) + textSignature + "\n--\n\n" + doc;
    if constexpr (sizeof...(PythonArgs) == 1 && std::is_invocable_v<F&, py::handle, py::handle>) {
        // One value, no default: called directly, bound as pybind11 binds methods.
        py::object function = directFunction(std::move(f), name, std::get<0>(pythonArgs).name,
                                             std::get<0>(automationArgs).name, signedDoc);
        auto bound = py::reinterpret_steal<py::object>(PyInstanceMethod_New(function.ptr()));
        if (!bound) throw py::error_already_set();
        cls.attr(name) = bound;
    } else {
        // pybind11 may keep the pointer: the text lives as long as the process.
        auto* text = new std::string(signedDoc);
        std::apply([&](auto... a) { cls.def(name, f, a..., text->c_str()); }, pythonArgs);
        std::apply([&](auto... a) { cls.def(name, f, a..., ""); }, automationArgs);
    }
}

// An insert method taking one child object.
template <class C, class Child, class Method>
void insert(Class<C>& cls, const char* name, const char* arg, const char* automationArg, Method insertChild,
            const char* doc) {
    method(
        cls, name, std::string("(self, /, ") + arg + ")",
        [insertChild](py::handle self_, py::handle value) {
            C& self = initialized<C>(self_);
            auto child = toObject<Child>(value);
            waitFree({&self});
            return fromBoolean((self.*insertChild)(child));
        },
        std::make_tuple(py::arg(arg)), std::make_tuple(py::arg(automationArg)), doc);
}

constexpr const char* kPenWidth = "Pen width in twips (default 15).";
constexpr const char* kPenRGBColor = "Pen colour as an RGB value, red in the lowest byte (default 0, black).";

template <class C>
void fillAndPen(Class<C>& cls) {
    field<LongValue>(cls, "PenWidth", &C::PenWidth, kPenWidth);
    field<LongValue>(cls, "PenRGBColor", &C::PenRGBColor, kPenRGBColor);
    field<LongValue>(cls, "FillBackRGBColor", &C::FillBackRGBColor,
                     "Fill background colour as an RGB value (default 0xFFFFFF, white).");
    field<LongValue>(cls, "FillForeRGBColor", &C::FillForeRGBColor,
                     "Fill foreground colour as an RGB value (default 0, black).");
    field<LongValue>(cls, "FillPattern", &C::FillPattern,
                     "Fill pattern: 0 clear (default), 1 solid in the foreground colour, higher values shades.");
}

template <class C>
void boxFields(Class<C>& cls) {
    field<LongValue>(cls, "x", &C::x, "Left edge in twips from the drawing's anchor (default 0).");
    field<LongValue>(cls, "y", &C::y, "Top edge in twips from the drawing's anchor (default 0).");
    field<LongValue>(cls, "Width", &C::Width, "Width in twips, written unchanged, negative values included.");
    field<LongValue>(cls, "Height", &C::Height, "Height in twips, written unchanged, negative values included.");
    fillAndPen(cls);
}

constexpr const char* kBooleanNote =
    " Boolean: True stores -1 and False 0; reading gives True for -1, False for 0 and the stored integer otherwise.";

std::string booleanDoc(const char* text) { return std::string(text) + kBooleanNote; }

// ---------------------------------------------------------------------------
// Tables.

// The cell at one index per dimension; CellArray takes the indexes as a list.
std::shared_ptr<cCell>& cellAt(CellArray& cells, py::handle index) {
    std::vector<std::int32_t> i;
    if (PyTuple_Check(index.ptr())) {
        for (py::handle item : py::reinterpret_borrow<py::tuple>(index)) i.push_back(toLong(item));
    } else {
        i.push_back(toLong(index));
    }
    switch (i.size()) {
    case 1: return cells.at({i[0]});
    case 2: return cells.at({i[0], i[1]});
    case 3: return cells.at({i[0], i[1], i[2]});
    case 4: return cells.at({i[0], i[1], i[2], i[3]});
    default: throw Error(errors::SubscriptOutOfRange);
    }
}

std::shared_ptr<cCell> toCell(py::handle value, std::size_t row, std::size_t column) {
    if (value.is_none()) return nullptr;
    if (!isInstance<cCell>(value))
        throw py::type_error("row " + std::to_string(row) + ", column " + std::to_string(column) +
                             ": expected cCell or None, got " + Py_TYPE(value.ptr())->tp_name);
    return constructed<cCell>(value).holder<std::shared_ptr<cCell>>();
}

bool isSequence(py::handle value) {
    return PySequence_Check(value.ptr()) && !PyUnicode_Check(value.ptr()) && !PyBytes_Check(value.ptr()) &&
           !PyByteArray_Check(value.ptr());
}

// Raise error 91 naming the first place of a table of columns by rows (from
// 0) that no cell fills and no merged cell covers; nothing when every place
// is filled or covered. note(c, r) is said after the place.
template <class CellAt, class Note>
void nameMissingCell(std::size_t columns, std::size_t rows, CellAt cellAt, Note note) {
    std::vector<std::vector<bool>> covered(rows, std::vector<bool>(columns, false));
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < columns; ++c) {
            const cCell* cell = cellAt(c, r);
            if (!cell || (cell->ColumnSpan <= 1 && cell->RowSpan <= 1)) continue;
            const std::size_t across = static_cast<std::size_t>(std::max(cell->ColumnSpan, 1));
            const std::size_t down = static_cast<std::size_t>(std::max(cell->RowSpan, 1));
            for (std::size_t j = r; j < rows && j - r < down; ++j)
                for (std::size_t k = c; k < columns && k - c < across; ++k)
                    if (j != r || k != c) covered[j][k] = true;
        }
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < columns; ++c)
            if (!cellAt(c, r) && !covered[r][c])
                raiseAt(errors::ObjectNotSet, "row " + std::to_string(r + 1) + " has no cell in column " +
                                                  std::to_string(c + 1) + note(c, r));
}

// The number of elements of an array, and the elements in automation order:
// the first index runs fastest.
std::size_t elementCount(const CellArray& cells) {
    std::size_t count = cells.dimensions() == 0 ? 0 : 1;
    for (std::size_t d = 1; d <= cells.dimensions(); ++d)
        count *=
            static_cast<std::size_t>(std::max<std::int64_t>(0, std::int64_t{cells.ubound(d)} - cells.lbound(d) + 1));
    return count;
}

py::list elements(CellArray& cells) {
    py::list out;
    std::size_t n = cells.dimensions();
    if (n == 0 || n > 4 || elementCount(cells) == 0) return out;
    std::vector<std::int32_t> index(4, 0);
    for (std::size_t d = 0; d < n; ++d) index[d] = cells.lbound(d + 1);
    for (;;) {
        py::tuple key(n);
        for (std::size_t d = 0; d < n; ++d) key[d] = py::int_(index[d]);
        out.append(py::cast(cellAt(cells, key)));
        std::size_t d = 0;
        while (d < n && index[d] == cells.ubound(d + 1)) index[d] = cells.lbound(d + 1), ++d;
        if (d == n) return out;
        ++index[d];
    }
}

// A list of rows, each a list of cells or None: columns 1..n by rows 1..m,
// n being the longest row; a shorter row's missing cells are None.
CellArray tableOfRows(py::handle value) {
    auto rows = py::reinterpret_borrow<py::sequence>(value);
    std::vector<std::vector<std::shared_ptr<cCell>>> grid;
    std::size_t columns = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        py::object row = rows[r];
        if (!isSequence(row))
            throw py::type_error("row " + std::to_string(r + 1) + ": expected a list of cells, got " +
                                 Py_TYPE(row.ptr())->tp_name);
        auto cells = py::reinterpret_borrow<py::sequence>(row);
        auto& line = grid.emplace_back();
        for (std::size_t c = 0; c < cells.size(); ++c) line.push_back(toCell(cells[c], r + 1, c + 1));
        columns = std::max(columns, line.size());
    }
    if (columns > INT32_MAX || grid.size() > INT32_MAX) throw Error(errors::Overflow);
    const auto n = static_cast<std::int32_t>(columns), m = static_cast<std::int32_t>(grid.size());
    // Every cell must be there but where a merged cell covers it: name the
    // first one missing, as the table's insertion would fail on it with
    // error 91 without saying where.
    nameMissingCell(
        columns, grid.size(),
        [&](std::size_t c, std::size_t r) { return c < grid[r].size() ? grid[r][c].get() : nullptr; },
        [&](std::size_t c, std::size_t r) {
            return c >= grid[r].size() ? " (the row is shorter than the longest)" : "";
        });
    CellArray table({{1, n}, {1, m}});
    for (std::int32_t r = 1; r <= m; ++r)
        for (std::int32_t c = 1; c <= static_cast<std::int32_t>(grid[r - 1].size()); ++c)
            table.at({c, r}) = std::move(grid[r - 1][c - 1]);
    return table;
}

// ---------------------------------------------------------------------------

constexpr const char* kErrorClass = R"(
class Error(Exception):
    """An automation error of Velloran.

    number is the error number a script host would see in Err.Number: 5
    (invalid argument), 6 (overflow), 9 (subscript out of range), 91 (object
    not set) or a file error from 52 to 76; str(error) is its classic message.
    An invalid argument is also a ValueError, a subscript out of range an
    IndexError, and a file error an OSError (see FileError).
    """

    def __init__(self, number, message=None):
        if message is None:
            message = _error_message(number)
        super().__init__(number, message)
        self.number = number
        self.message = message

    def __str__(self):
        return self.message


class ArgumentError(Error, ValueError):
    """Error 5, invalid procedure call or argument: also a ValueError."""


class SubscriptError(Error, IndexError):
    """Error 9, subscript out of range: also an IndexError."""


class FileError(Error, OSError):
    """A file error (52 to 76), also an OSError with errno, strerror and filename:
    FileNotFound (53 file not found, 76 path not found) is a FileNotFoundError,
    PermissionDenied (70) a PermissionError."""

    def __init__(self, number, message=None, filename=None):
        import errno
        if message is None:
            message = _error_message(number)
        code = {52: errno.EINVAL, 53: errno.ENOENT, 61: errno.ENOSPC, 70: errno.EACCES,
                75: errno.EIO, 76: errno.ENOENT}.get(number, errno.EIO)
        if filename is None:
            OSError.__init__(self, code, message)
        else:
            OSError.__init__(self, code, message, filename)
        self.number = number
        self.message = message

    def __str__(self):
        return self.message if self.filename is None else "%s: %r" % (self.message, self.filename)


class FileNotFound(FileError, FileNotFoundError):
    """Error 53 (file not found) or 76 (path not found)."""


class PermissionDenied(FileError, PermissionError):
    """Error 70, permission denied."""


def _error_class(number):
    if number == 5:
        return ArgumentError
    if number == 9:
        return SubscriptError
    if number in (53, 76):
        return FileNotFound
    if number == 70:
        return PermissionDenied
    if 52 <= number <= 76:
        return FileError
    return Error
)";

// One function per class (as the COM server has one place per class), and
// the errors and enumerations.

void registerErrors(py::module_& m) {
    // Errors.
    m.def("_error_message", [](int number) { return Error::message(number); });
    py::exec(kErrorClass, m.attr("__dict__"));
    errorType = m.attr("Error").ptr();
    Py_INCREF(errorType);
    errorClass = m.attr("_error_class").ptr();
    Py_INCREF(errorClass);
    // NOLINTNEXTLINE(performance-unnecessary-value-param): the translator's type is pybind11's
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const Error& e) {
            raise(e, nullptr);
        }
    });
}

void registerEnumerations(py::module_& m) {
    // Enumerations, also re-exported at module level.
    auto intEnum = py::module_::import("enum").attr("IntEnum");
    auto makeEnum = [&](const char* name, std::initializer_list<std::pair<const char*, int>> members, const char* doc) {
        py::list items;
        for (auto [member, value] : members) items.append(py::make_tuple(member, value));
        py::object type = intEnum(name, items, py::arg("module") = "velloran");
        type.attr("__doc__") = doc;
        m.attr(name) = type;
        for (auto [member, value] : members) m.attr(member) = type.attr(member);
        return type.release().ptr();
    };
    alignmentType = makeEnum("vlRTFAlignment", {{"aLeft", 0}, {"aRight", 1}, {"aCenter", 2}, {"aJustified", 3}},
                             "Paragraph alignment.");
    borderTypeType =
        makeEnum("vlRTFBorderType",
                 {{"bSingle", 1}, {"bDouble", 2}, {"bThick", 3}, {"bShadow", 4}, {"bDot", 5}, {"bHairline", 6}},
                 "Line style of a paragraph's or picture's border.");
    fieldType = makeEnum("vlRTFField", {{"fNone", 0}, {"fPageNumber", 1}, {"fPageCount", 2}, {"fDate", 3}},
                         "A field a run shows, computed by the reader where the run stands.");
    listType = makeEnum("vlRTFList", {{"lNone", 0}, {"lBullet", 1}, {"lNumber", 2}},
                        "The kind of list a paragraph is an item of.");
    orientationType = makeEnum("vlRTFOrientation", {{"oDocument", 0}, {"oPortrait", 1}, {"oLandscape", 2}},
                               "The way a page is turned: as the document says, or on its own.");
    embeddingType = makeEnum("vlRTFPictureEmbedding", {{"eMetafile", 0}, {"eOriginal", 1}, {"eOriginalAndMetafile", 2}},
                             "How a picture is kept: as a metafile, as its PNG or JPEG file, or as both.");
    verticalPositionType = makeEnum("vlRTFVerticalPosition", {{"vNormal", 0}, {"vSuperscript", 1}, {"vSubscript", 2}},
                                    "Where a run stands against the line: on it, raised small or lowered small.");
    tabAlignmentType = makeEnum("vlRTFTabAlignment", {{"tLeft", 0}, {"tCenter", 1}, {"tRight", 2}, {"tDecimal", 3}},
                                "How the text after a tab lines up on its stop: its start, centre, end or decimal "
                                "point.");
    tabLeaderType = makeEnum("vlRTFTabLeader", {{"tlNone", 0}, {"tlDots", 1}, {"tlHyphens", 2}, {"tlUnderline", 3}},
                             "What fills the space before a tab stop: nothing, dots, hyphens or a line.");
    verticalAlignmentType = makeEnum("vlRTFVerticalAlignment", {{"vaTop", 0}, {"vaCenter", 1}, {"vaBottom", 2}},
                                     "Where a cell's text stands between its top and bottom.");

    m.def("BlackColorIndex", &BlackColorIndex,
          "BlackColorIndex()\n--\n\nBlackColorIndex() -> int\n\nColour index of black in this thread's documents: 0 "
          "until the thread's "
          "first cDocument, then 1.");
    m.def("WhiteColorIndex", &WhiteColorIndex,
          "WhiteColorIndex()\n--\n\nWhiteColorIndex() -> int\n\nColour index of white in this thread's documents: 0 "
          "until the thread's "
          "first cDocument, then 2.");
    m.def(
        "_set_fixed_clock",
        [](py::handle time) {
            if (time.is_none()) return platform::setFixedClock(std::nullopt);
            auto t = time.cast<std::array<int, 5>>();
            platform::setFixedClock(platform::LocalTime{t[0], t[1], t[2], t[3], t[4]});
        },
        "_set_fixed_clock(time)\n--\n\n_set_fixed_clock(time: tuple[int, int, int, int, int] | None) -> None\n\nTest "
        "seam: fix this thread's "
        "clock at (year, month, day, hour, minute) for the creation time of documents; None returns to the "
        "system clock.");
}

void registerBorder(py::module_& m) {
    // cBorder
    Class<cBorder> border(m, "cBorder",
                          "cBorder()\n\nThe four sides of a paragraph's, picture's or cell's frame. Its colour starts "
                          "as the thread's BlackColorIndex().");
    border.def(py::init<>());
    field<LongValue>(border, "TopWidth", &cBorder::TopWidth, "Width of the top side in twips (default 20).");
    field<LongValue>(border, "LeftWidth", &cBorder::LeftWidth, "Width of the left side in twips (default 20).");
    field<LongValue>(border, "BottomWidth", &cBorder::BottomWidth, "Width of the bottom side in twips (default 20).");
    field<LongValue>(border, "RightWidth", &cBorder::RightWidth, "Width of the right side in twips (default 20).");
    // Docstrings made at run time live as long as the process: pybind11 may keep the pointer.
    static const std::string visibleDoc =
        booleanDoc("Whether the side is drawn: only True (-1) draws it (default False).");
    for (auto [name, member] : {std::pair{"TopVisible", &cBorder::TopVisible},
                                {"LeftVisible", &cBorder::LeftVisible},
                                {"BottomVisible", &cBorder::BottomVisible},
                                {"RightVisible", &cBorder::RightVisible}})
        field<BooleanValue>(border, name, member, visibleDoc.c_str());
    field<BorderTypeValue>(border, "BorderType", &cBorder::BorderType,
                           "Line style, a vlRTFBorderType (default bSingle); any 32-bit value is kept.");
    field<LongValue>(border, "BorderColorIndex", &cBorder::BorderColorIndex, "Colour index from cDocument.ColorIndex.");
}

// cText's members of 1.3: position, capitals, highlight, spacing, bookmarks,
// contents and raw RTF.
void registerText13(Class<cText>& text) {
    field<VerticalPositionValue>(text, "VerticalPosition", &cText::VerticalPosition,
                                 "A vlRTFVerticalPosition: vSuperscript raises the run, vSubscript lowers it, both at "
                                 "the smaller size readers give them (default vNormal).");
    static const std::string smallCapsDoc = booleanDoc("Lower-case letters as small capitals (default False).");
    static const std::string allCapsDoc = booleanDoc("Every letter shown as a capital (default False).");
    static const std::string hiddenDoc = booleanDoc("Kept in the document, neither shown nor printed (default False).");
    field<BooleanValue>(text, "SmallCaps", &cText::SmallCaps, smallCapsDoc.c_str());
    field<BooleanValue>(text, "AllCaps", &cText::AllCaps, allCapsDoc.c_str());
    field<BooleanValue>(text, "Hidden", &cText::Hidden, hiddenDoc.c_str());
    field<LongValue>(text, "HighlightColorIndex", &cText::HighlightColorIndex,
                     "Colour index behind the text as a highlighter marks it; 0 for none (the default).");
    field<LongValue>(text, "CharacterSpacing", &cText::CharacterSpacing,
                     "Twips added between the letters, taken away when negative; 0 for none (the default).");
    field<StringValue>(text, "Bookmark", &cText::Bookmark,
                       "The run as the bookmark of this name, which links and contents lead to; empty for none.");
    field<StringValue>(text, "LinkToBookmark", &cText::LinkToBookmark,
                       "The bookmark the run links to, after Link's address when that is set; empty for none.");
    field<LongValue>(text, "ContentsLevels", &cText::ContentsLevels,
                     "1 to 9: the run holds a table of contents of headings of outline levels 1 to this, which "
                     "readers build when they update fields, showing the run's text until then; 0 for none.");
    property(
        text, "RawRtf", [](py::handle self_) { return py::str(initialized<cText>(self_).RawRtf()); },
        [](py::handle self_, py::handle value) {
            cText& self = initialized<cText>(self_);
            std::string s = toString(value);
            waitFree({&self});
            self.RawRtf(s);
        },
        "RTF written as it is after the run's text, in a group of its own. ArgumentError (5), the run unchanged, "
        "unless it is printable ASCII whose groups close where they open, without \\bin, the document's tables "
        "and destinations, or a table's or section's structure.");
}

void registerText(py::module_& m) {
    // cText
    Class<cText> text(m, "cText",
                      "cText()\n\nOne run of text with one set of character properties. Its colours start as the "
                      "thread's BlackColorIndex() and WhiteColorIndex().");
    text.def(py::init<>());
    field<LongValue>(text, "FontIndex", &cText::FontIndex, "Font index from cDocument.FontIndex (default 0).");
    field<LongValue>(text, "Height", &cText::Height, "Size in points (default 10); 0 writes no size.");
    static const std::string boldDoc = booleanDoc("Bold (default False)."),
                             italicDoc = booleanDoc("Italic (default False)."),
                             strikeDoc = booleanDoc("Struck through (default False).");
    field<BooleanValue>(text, "Bold", &cText::Bold, boldDoc.c_str());
    field<BooleanValue>(text, "Italic", &cText::Italic, italicDoc.c_str());
    field<BooleanValue>(text, "Strike", &cText::Strike, strikeDoc.c_str());
    field<LongValue>(text, "ForeColorIndex", &cText::ForeColorIndex, "Text colour index from cDocument.ColorIndex.");
    field<LongValue>(text, "BackColorIndex", &cText::BackColorIndex,
                     "Background colour index from cDocument.ColorIndex.");
    field<FieldValue>(text, "Field", &cText::Field,
                      "A vlRTFField the reader computes where the run stands (default fNone); the run's text, "
                      "which may be empty, is what readers that compute no fields show.");
    field<StringValue>(text, "Link", &cText::Link,
                       "The address the run links to, a URL or a file's path; empty for none (the default).");
    registerText13(text);
    using UnderlineGet = Boolean (cText::*)() const noexcept;
    using UnderlineSet = void (cText::*)(Boolean);
    struct Underline {
        const char* name;
        UnderlineGet get;
        UnderlineSet set;
        const char* doc;
    };
    static const std::string underlineDocs[] = {
        booleanDoc("Plain underline (default False). Setting True clears the other three kinds."),
        booleanDoc("Dotted underline (default False). Setting True clears plain and double underline."),
        booleanDoc("Double underline (default False). Setting True clears plain and dotted underline."),
        booleanDoc("Underline of words only (default False). Setting True clears plain underline."),
    };
    for (const Underline& u :
         {Underline{"Underline", &cText::Underline, &cText::Underline, underlineDocs[0].c_str()},
          Underline{"UnderlineDot", &cText::UnderlineDot, &cText::UnderlineDot, underlineDocs[1].c_str()},
          Underline{"UnderlineDouble", &cText::UnderlineDouble, &cText::UnderlineDouble, underlineDocs[2].c_str()},
          Underline{"UnderlineWords", &cText::UnderlineWords, &cText::UnderlineWords, underlineDocs[3].c_str()}}) {
        property(
            text, u.name,
            [get = u.get](py::handle self_) {
                const cText& self = initialized<cText>(self_);
                return fromBoolean((self.*get)());
            },
            [set = u.set](py::handle self_, py::handle value) {
                cText& self = initialized<cText>(self_);
                Boolean b = BooleanValue::in(value);
                waitFree({&self});
                (self.*set)(b);
            },
            u.doc);
    }
    writeOnly(
        text, "Text",
        [](py::handle self_, py::handle value) {
            cText& self = initialized<cText>(self_);
            std::string s = toString(value);
            waitFree({&self});
            self.Text(s);
        },
        "The text of the run (str, write-only), escaped for RTF at once.");
}

// cParagraph's members of 1.3: pagination, line spacing, outline, style and
// tab stops.
void registerParagraph13(Class<cParagraph>& paragraph) {
    static const std::string keepWithNextDoc =
        booleanDoc("Kept on the page of the paragraph after it (default False).");
    static const std::string keepTogetherDoc = booleanDoc("Its lines kept on one page (default False).");
    static const std::string breakBeforeDoc = booleanDoc("A new page before it (default False).");
    static const std::string widowDoc =
        booleanDoc("Widow and orphan control: other than True, a page may end on a lone line of it (default True).");
    field<BooleanValue>(paragraph, "KeepWithNext", &cParagraph::KeepWithNext, keepWithNextDoc.c_str());
    field<BooleanValue>(paragraph, "KeepTogether", &cParagraph::KeepTogether, keepTogetherDoc.c_str());
    field<BooleanValue>(paragraph, "PageBreakBefore", &cParagraph::PageBreakBefore, breakBeforeDoc.c_str());
    field<BooleanValue>(paragraph, "WidowControl", &cParagraph::WidowControl, widowDoc.c_str());
    field<SingleValue>(paragraph, "LineSpacingMultiple", &cParagraph::LineSpacingMultiple,
                       "Line spacing as a multiple of single spacing, a 32-bit float (1.5, 2 for double); not above 0 "
                       "(the default) leaves it to SpaceBetweenLines.");
    field<LongValue>(paragraph, "OutlineLevel", &cParagraph::OutlineLevel,
                     "A heading's level in the outline, 1 to 9; other values (the default 0) make no heading.");
    field<LongValue>(paragraph, "StyleIndex", &cParagraph::StyleIndex,
                     "The paragraph's style, an index from cDocument.StyleIndex; 0 (the default) is Normal.");
    method(
        paragraph, "AddTabStop", "(self, /, position, alignment=0, leader=0)",
        [](py::handle self_, py::handle position, py::handle alignment, py::handle leader) {
            cParagraph& self = initialized<cParagraph>(self_);
            std::int32_t p = toLong(position);
            vlRTFTabAlignment a = TabAlignmentValue::in(alignment);
            vlRTFTabLeader l = TabLeaderValue::in(leader);
            waitFree({&self});
            return fromBoolean(self.AddTabStop(p, a, l));
        },
        std::make_tuple(py::arg("position"), py::arg("alignment") = 0, py::arg("leader") = 0),
        std::make_tuple(py::arg("Position"), py::arg("Alignment") = 0, py::arg("Leader") = 0),
        "AddTabStop(position: int, alignment: vlRTFTabAlignment | int = tLeft, leader: vlRTFTabLeader | int = "
        "tlNone) -> bool\n\nAdd a tab stop position twips from the left margin for the text after a tab; stops "
        "are written in the order added. ArgumentError (5) for a negative position.");
    method(
        paragraph, "ClearTabStops", "(self, /)",
        [](py::handle self_) {
            cParagraph& self = initialized<cParagraph>(self_);
            waitFree({&self});
            return fromBoolean(self.ClearTabStops());
        },
        std::make_tuple(), std::make_tuple(), "ClearTabStops() -> bool\n\nRemove every tab stop added.");
}

void registerParagraph(py::module_& m) {
    // cParagraph
    Class<cParagraph> paragraph(m, "cParagraph",
                                "cParagraph()\n\nA paragraph of runs, drawings and pictures. Each insert renders the "
                                "child at once: changing the child later does not change the paragraph.");
    paragraph.def(py::init<>());
    field<AlignmentValue>(paragraph, "Align", &cParagraph::Align,
                          "Alignment, a vlRTFAlignment (default aLeft); any other 32-bit value is kept and writes "
                          "no paragraph wrapper.");
    objectField<cBorder>(paragraph, "Border", &cParagraph::Border,
                         "The paragraph's cBorder (a new one of its own at first); None fails the paragraph's "
                         "rendering with error 91.");
    field<LongValue>(paragraph, "IndentFirstLine", &cParagraph::IndentFirstLine, "First-line indent in twips.");
    field<LongValue>(paragraph, "IndentLeft", &cParagraph::IndentLeft, "Left indent in twips.");
    field<LongValue>(paragraph, "IndentRight", &cParagraph::IndentRight, "Right indent in twips.");
    field<LongValue>(paragraph, "SpaceBefore", &cParagraph::SpaceBefore, "Space before in twips.");
    field<LongValue>(paragraph, "SpaceAfter", &cParagraph::SpaceAfter, "Space after in twips.");
    field<LongValue>(paragraph, "SpaceBetweenLines", &cParagraph::SpaceBetweenLines, "Line spacing in twips.");
    field<ListValue>(paragraph, "ListStyle", &cParagraph::ListStyle,
                     "A vlRTFList: lBullet or lNumber make the paragraph a list item (default lNone).");
    field<LongValue>(paragraph, "ListLevel", &cParagraph::ListLevel,
                     "The item's level, 0 (the outermost, the default) to 8; values outside count as the nearest.");
    field<LongValue>(paragraph, "ListId", &cParagraph::ListId,
                     "The list the item belongs to (default 1): items of one kind with the same id number on "
                     "across the document, another id starts again at 1.");
    registerParagraph13(paragraph);
    method(
        paragraph, "InsertFootnote", "(self, /, note)",
        [](py::handle self_, py::handle value) {
            cParagraph& self = initialized<cParagraph>(self_);
            auto note = toObject<cParagraph>(value);
            // The note is rewrapped as a page takes a paragraph.
            waitFree({&self, note.get()});
            return fromBoolean(self.InsertFootnote(note));
        },
        std::make_tuple(py::arg("note")), std::make_tuple(py::arg("Note")),
        "InsertFootnote(note: cParagraph | None) -> bool\n\nAppend a footnote mark and the note paragraph as it "
        "is now; False for None or the paragraph itself. Error 91 when the note's Border is None.");
    insert<cParagraph, cText>(paragraph, "InsertText", "text", "Text", &cParagraph::InsertText,
                              "InsertText(text: cText | None) -> bool\n\nAppend the run as it is now. None or an "
                              "empty text appends nothing and still returns True. Error 6 when the size overflows.");
    insert<cParagraph, cDrawing>(paragraph, "InsertDrawing", "drawing", "Drawing", &cParagraph::InsertDrawing,
                                 "InsertDrawing(drawing: cDrawing | None) -> bool\n\nAppend the drawing group as it "
                                 "is now; False for None.");
    method(
        paragraph, "InsertPicture", "(self, /, picture)",
        [](py::handle self_, py::handle value) {
            cParagraph& self = initialized<cParagraph>(self_);
            auto picture = toObject<cPicture>(value);
            std::string file = picture ? picture->File : std::string();
            return fromBoolean(withFileName(file, [&] {
                auto objects = [&] {
                    return std::array<const void*, 3>{&self, picture.get(), picture ? picture->Border.get() : nullptr};
                };
                return withoutGil(objects, [&] { return self.InsertPicture(picture); });
            }));
        },
        std::make_tuple(py::arg("picture")), std::make_tuple(py::arg("Picture")),
        "InsertPicture(picture: cPicture | None) -> bool\n\nAppend the picture's file (BMP, PNG, JPEG, GIF or a "
        "placeable metafile) converted to a Windows metafile, or, as its Embedding says, a PNG or JPEG file as it "
        "is (alone or beside the metafile). False for None or a file that cannot be read. Other Python threads "
        "run meanwhile.");
}

void registerCell(py::module_& m) {
    // cCell
    Class<cCell> cell(m, "cCell",
                      "cCell()\n\nOne table cell: width, shading, borders and paragraphs. Its border starts with all "
                      "four sides visible; its shading as the thread's WhiteColorIndex(), which writes none.");
    cell.def(py::init<>());
    objectField<cBorder>(cell, "Border", &cCell::Border,
                         "The cell's cBorder; None fails the table's insertion with error 91.");
    field<LongValue>(cell, "BackColorIndex", &cCell::BackColorIndex, "Shading colour index from cDocument.ColorIndex.");
    field<LongValue>(cell, "Width", &cCell::Width, "Width in twips (default 720).");
    field<LongValue>(cell, "ColumnSpan", &cCell::ColumnSpan,
                     "Columns the cell covers from its place to the right (default 1); the cell is as wide as "
                     "its Width, and the cells it covers are not read.");
    field<LongValue>(cell, "RowSpan", &cCell::RowSpan, "Rows the cell covers from its place down (default 1).");
    field<VerticalAlignmentValue>(cell, "VerticalAlignment", &cCell::VerticalAlignment,
                                  "A vlRTFVerticalAlignment: the text at the cell's top (vaTop, the default), "
                                  "centre or bottom.");
    field<LongValue>(cell, "PaddingLeft", &cCell::PaddingLeft, "Twips between the left side and the text (0: none).");
    field<LongValue>(cell, "PaddingTop", &cCell::PaddingTop, "Twips between the top and the text (0: none).");
    field<LongValue>(cell, "PaddingRight", &cCell::PaddingRight,
                     "Twips between the right side and the text (0: none).");
    field<LongValue>(cell, "PaddingBottom", &cCell::PaddingBottom, "Twips between the bottom and the text (0: none).");
    field<SingleValue>(cell, "WidthPercent", &cCell::WidthPercent,
                       "Above 0: the width as this share in percent of the page's TableWidth, in place of Width "
                       "(default 0). ArgumentError (5) at InsertTable above 100 or below 0.");
    method(
        cell, "InsertParagraph", "(self, /, paragraph)",
        [](py::handle self_, py::handle value) {
            cCell& self = initialized<cCell>(self_);
            auto p = toObject<cParagraph>(value);
            waitFree({&self, p.get()});
            return fromBoolean(self.InsertParagraph(p));
        },
        std::make_tuple(py::arg("paragraph")), std::make_tuple(py::arg("Paragraph")),
        "InsertParagraph(paragraph: cParagraph | None) -> bool\n\nAppend the paragraph as it is now; False for None.");
}

void registerCellArray(py::module_& m) {
    // CellArray
    py::class_<CellArray> cellArray(
        m, "CellArray",
        "CellArray(bounds: Iterable[tuple[int, int]])\n\nAn array of cells with a lower and an upper bound per "
        "dimension, as an automation array: CellArray([(1, 3), (1, 2)]) has columns 1..3 and rows 1..2. Index it "
        "as cells[column, row]; an index outside its bounds is error 9, also an IndexError. Elements start as "
        "None. len() is the number of elements, and iterating gives them with the first index running fastest "
        "(a table row by row).");
    cellArray.def(py::init([](const py::iterable& bounds) {
                      std::vector<CellArray::Bounds> b;
                      for (py::handle pair : bounds) {
                          if (!isSequence(pair) || py::len(pair) != 2) wrongType("a (lower, upper) pair", pair);
                          auto s = py::reinterpret_borrow<py::sequence>(pair);
                          b.push_back({toLong(s[0]), toLong(s[1])});
                      }
                      return CellArray(std::move(b));
                  }),
                  py::arg("bounds"), "__init__(self, /, bounds)\n--\n\n");
    auto def = [&](const char* name, const std::string& signature, auto f, auto... args) {
        auto* doc = new std::string(std::string(name) + signature);
        cellArray.def(name, f, args..., doc->c_str());
    };
    def("dimensions", "(self, /)\n--\n\ndimensions() -> int\n\nThe number of dimensions.",
        [](py::handle self) { return initialized<CellArray>(self).dimensions(); });
    def(
        "lbound",
        "(self, /, dimension)\n--\n\nlbound(dimension: int) -> int\n\nLower bound of a dimension counted from 1; "
        "error 9 for one the array does not have.",
        [](py::handle self, py::handle d) {
            return initialized<CellArray>(self).lbound(static_cast<std::size_t>(toLong(d)));
        },
        py::arg("dimension"));
    def(
        "ubound",
        "(self, /, dimension)\n--\n\nubound(dimension: int) -> int\n\nUpper bound of a dimension counted from 1; "
        "error 9 for one the array does not have.",
        [](py::handle self, py::handle d) {
            return initialized<CellArray>(self).ubound(static_cast<std::size_t>(toLong(d)));
        },
        py::arg("dimension"));
    def("__getitem__",
        "(self, index, /)\n--\n\n__getitem__(index: int | tuple[int, ...]) -> cCell | None\n\nThe cell at one "
        "index per dimension.",
        [](py::handle self, py::handle index) { return cellAt(initialized<CellArray>(self), index); });
    def("__setitem__",
        "(self, index, cell, /)\n--\n\n__setitem__(index: int | tuple[int, ...], cell: cCell | None) -> None\n\n"
        "Store a cell at one index per dimension.",
        [](py::handle self, py::handle index, py::handle value) {
            auto c = toObject<cCell>(value);
            cellAt(initialized<CellArray>(self), index) = std::move(c);
        });
    def("__len__", "(self, /)\n--\n\n__len__() -> int\n\nThe number of elements.",
        [](py::handle self) { return elementCount(initialized<CellArray>(self)); });
    def("__iter__",
        "(self, /)\n--\n\n__iter__() -> Iterator[cCell | None]\n\nThe elements, the first index running fastest.",
        [](py::handle self) { return py::iter(elements(initialized<CellArray>(self))); });
}

// A section's header or footer page: never the page itself, nor one with a
// header or footer of its own, so pages never hold each other in a ring
// that would never be freed (error 5).
bool ringOfPages(const cPage& self, const cPage& page) { return &page == &self || page.PageHeader || page.PageFooter; }

// What a page asks of the section it starts.
void registerSectionFields(Class<cPage>& page) {
    objectField<cPage>(page, "PageHeader", &cPage::PageHeader,
                       "cPage heading the pages of the section this page starts, in place of the document's ordinary "
                       "header, taken as it is at InsertPage; None (the default) for the document's. ArgumentError (5) "
                       "for this page or a page with a header or footer of its own.",
                       ringOfPages);
    objectField<cPage>(page, "PageFooter", &cPage::PageFooter, "The same at the bottom of the section's pages.",
                       ringOfPages);
    field<LongValue>(page, "PageNumberStart", &cPage::PageNumberStart,
                     "Above 0: the section this page starts numbers its pages from this value again; 0 (the "
                     "default) goes on.");
    field<LongValue>(page, "PageWidth", &cPage::PageWidth,
                     "Above 0: the section's sheet width in portrait terms; 0 (the default) the document's.");
    field<LongValue>(page, "PageHeight", &cPage::PageHeight,
                     "Above 0: the section's sheet height in portrait terms; 0 (the default) the document's.");
    field<LongValue>(page, "PageMarginLeft", &cPage::PageMarginLeft,
                     "0 or more: the section's left margin; below 0 (the default -1) the document's.");
    field<LongValue>(page, "PageMarginRight", &cPage::PageMarginRight,
                     "0 or more: the section's right margin; below 0 (the default -1) the document's.");
    field<LongValue>(page, "PageMarginTop", &cPage::PageMarginTop,
                     "0 or more: the section's top margin; below 0 (the default -1) the document's.");
    field<LongValue>(page, "PageMarginBottom", &cPage::PageMarginBottom,
                     "0 or more: the section's bottom margin; below 0 (the default -1) the document's.");
}

void registerPage(py::module_& m) {
    // cPage
    Class<cPage> page(m, "cPage", "cPage()\n\nThe content of one page, ended by a page break.");
    page.def(py::init<>());
    field<LongValue>(page, "TableHeaderRows", &cPage::TableHeaderRows,
                     "Rows at the top of each table inserted from now on that repeat on every page the table "
                     "runs onto (default 0).");
    field<OrientationValue>(page, "Orientation", &cPage::Orientation,
                            "A vlRTFOrientation: oPortrait or oLandscape turn the page on its own (default "
                            "oDocument).");
    field<LongValue>(page, "TableRowHeight", &cPage::TableRowHeight,
                     "The least height in twips of the rows of each table inserted from now on; 0 (the default) "
                     "as high as their text.");
    static const std::string exactDoc =
        booleanDoc("The rows exactly TableRowHeight high, the text past it cut (default False).");
    static const std::string keepRowsDoc = booleanDoc("Each row kept whole on one page (default False).");
    field<BooleanValue>(page, "TableRowHeightExact", &cPage::TableRowHeightExact, exactDoc.c_str());
    field<AlignmentValue>(page, "TableAlign", &cPage::TableAlign,
                          "The tables' alignment on the page: aCenter or aRight; others (the default aLeft) at "
                          "the left.");
    field<LongValue>(page, "TableIndent", &cPage::TableIndent, "Twips from the left margin to the tables' left edge.");
    field<BooleanValue>(page, "TableKeepRowsTogether", &cPage::TableKeepRowsTogether, keepRowsDoc.c_str());
    field<LongValue>(page, "TableWidth", &cPage::TableWidth,
                     "Twips that cells' WidthPercent are shares of (default 9026, the text width of A4 with margins "
                     "of one inch).");
    registerSectionFields(page);
    method(
        page, "InsertParagraph", "(self, /, paragraph)",
        [](py::handle self_, py::handle value) {
            cPage& self = initialized<cPage>(self_);
            auto p = toObject<cParagraph>(value);
            waitFree({p.get()});
            return fromBoolean(self.InsertParagraph(p));
        },
        std::make_tuple(py::arg("paragraph")), std::make_tuple(py::arg("Paragraph")),
        "InsertParagraph(paragraph: cParagraph | None) -> bool\n\nAppend the paragraph as it is now; False for None.");
    method(
        page, "InsertTable", "(self, /, cells)",
        [](py::handle self_, py::handle cells) {
            cPage& self = initialized<cPage>(self_);
            if (isInstance<CellArray>(cells)) {
                const CellArray& array = initialized<CellArray>(cells);
                try {
                    return fromBoolean(self.InsertTable(array));
                } catch (const Error& e) {
                    // The core says only that a cell is missing: say where. A
                    // cell without a Border fails the same way, and then
                    // nothing is named.
                    if (e.number() != errors::ObjectNotSet || array.dimensions() != 2) throw;
                    for (std::int32_t c = array.lbound(1); c <= array.ubound(1); ++c)
                        for (std::int32_t r = array.lbound(2); r <= array.ubound(2); ++r) {
                            const auto& cell = array.at({c, r});
                            if (cell && !cell->Border) throw;
                        }
                    auto upper = [&](std::size_t d) { return static_cast<std::size_t>(std::max(array.ubound(d), 0)); };
                    nameMissingCell(
                        upper(1), upper(2),
                        [&](std::size_t c, std::size_t r) {
                            return array.at({static_cast<std::int32_t>(c + 1), static_cast<std::int32_t>(r + 1)}).get();
                        },
                        [](std::size_t, std::size_t) { return ""; });
                    throw;
                }
            }
            if (!isSequence(cells)) wrongType("CellArray or a list of rows", cells);
            CellArray table = tableOfRows(cells);
            return fromBoolean(self.InsertTable(table));
        },
        std::make_tuple(py::arg("cells")), std::make_tuple(py::arg("oCells")),
        "InsertTable(cells: CellArray | Sequence[Sequence[cCell | None]]) -> bool\n\nAppend a table. A CellArray "
        "is indexed [column, row] from 1 to its upper bounds; a list of rows, each a list of cells, becomes "
        "columns 1..n by rows 1..m, n being the longest row. False when there is no row or no column; error 9 "
        "for an array that is not two-dimensional or starts above 1, 91 for a missing cell or border, 6 for a "
        "value out of range. A failed call leaves the page unchanged.");
}

void registerDocumentMethods(Class<cDocument>& document);

void registerDocument(py::module_& m) {
    // cDocument
    Class<cDocument> document(
        m, "cDocument",
        "cDocument()\n\nThe root object: page set-up, fonts, colours, information and pages. Creating one enters "
        "black and white as colour indexes 1 and 2 and sets the thread's BlackColorIndex() and WhiteColorIndex().");
    document.def(py::init<>());
    field<StringValue>(document, "Author", &cDocument::Author, "Author of the document information.");
    field<StringValue>(document, "Operator", &cDocument::Operator, "Operator of the document information.");
    field<StringValue>(document, "Title", &cDocument::Title, "Title of the document information.");
    field<StringValue>(document, "Subject", &cDocument::Subject, "Subject of the document information.");
    field<LongValue>(document, "PageWidth", &cDocument::PageWidth, "Sheet width in twips, portrait (default 11906).");
    field<LongValue>(document, "PageHeight", &cDocument::PageHeight,
                     "Sheet height in twips, portrait (default 16837).");
    field<LongValue>(document, "PageMarginLeft", &cDocument::PageMarginLeft, "Left margin in twips (default 1440).");
    field<LongValue>(document, "PageMarginRight", &cDocument::PageMarginRight, "Right margin in twips (default 1440).");
    field<LongValue>(document, "PageMarginTop", &cDocument::PageMarginTop, "Top margin in twips (default 1440).");
    field<LongValue>(document, "PageMarginBottom", &cDocument::PageMarginBottom,
                     "Bottom margin in twips (default 1440).");
    static const std::string landscapeDoc = booleanDoc("Landscape sheet: any non-zero value turns it (default False).");
    static const std::string numbersDoc = booleanDoc("Page numbering: only True (-1) writes it (default False).");
    field<BooleanValue>(document, "PageLandscape", &cDocument::PageLandscape, landscapeDoc.c_str());
    field<BooleanValue>(document, "PageNumbersOn", &cDocument::PageNumbersOn, numbersDoc.c_str());
    field<LongValue>(document, "PageNumberStart", &cDocument::PageNumberStart, "First page number (default 1).");
    field<LongValue>(document, "PageNumberMarginRight", &cDocument::PageNumberMarginRight,
                     "Page number's distance from the right edge in twips (default 720).");
    field<LongValue>(document, "PageNumberMarginTop", &cDocument::PageNumberMarginTop,
                     "Page number's distance from the top edge in twips (default 720).");
    field<StringValue>(document, "FontDefaultName", &cDocument::FontDefaultName, "Default font (default \"Arial\").");
    field<LongValue>(document, "FontDefaultCharSet", &cDocument::FontDefaultCharSet,
                     "Character set of the default font (default 0).");
    field<LongValue>(document, "FontDefaultHeight", &cDocument::FontDefaultHeight,
                     "Default font size in points (default 10).");
    objectField<cParagraph>(document, "Header", &cDocument::Header,
                            "cParagraph repeated at the top of every page, read at every Rtf or Save; None for none.");
    objectField<cParagraph>(document, "Footer", &cDocument::Footer,
                            "cParagraph repeated at the bottom of every page, read at every Rtf or Save; None for "
                            "none.");
    objectField<cPage>(document, "PageHeader", &cDocument::PageHeader,
                       "cPage whose paragraphs, tables and pictures head every page after Header; None for none.");
    objectField<cPage>(document, "PageFooter", &cDocument::PageFooter,
                       "cPage whose content foots every page after Footer; None for none.");
    objectField<cPage>(document, "FirstPageHeader", &cDocument::FirstPageHeader,
                       "cPage heading the first page in place of the others (an empty cPage: none); None for none.");
    objectField<cPage>(document, "FirstPageFooter", &cDocument::FirstPageFooter,
                       "cPage footing the first page in place of the others; None for none.");
    objectField<cPage>(document, "EvenPageHeader", &cDocument::EvenPageHeader,
                       "cPage heading the even pages, with the page number when PageNumbersOn; None for none.");
    objectField<cPage>(document, "EvenPageFooter", &cDocument::EvenPageFooter,
                       "cPage footing the even pages; None for none.");
    registerDocumentMethods(document);
}

// cDocument's parts from other documents.
void registerAssembly(Class<cDocument>& document) {
    method(
        document, "InsertDocument", "(self, /, document, restart=False)",
        [](py::handle self_, py::handle value, py::handle restart) {
            cDocument& self = initialized<cDocument>(self_);
            auto d = toObject<cDocument>(value);
            Boolean r = BooleanValue::in(restart);
            waitFree({&self, d.get()});
            return fromBoolean(self.InsertDocument(d, r));
        },
        std::make_tuple(py::arg("document"), py::arg("restart") = false),
        std::make_tuple(py::arg("Document"), py::arg("RestartNumbering") = false),
        "InsertDocument(document: cDocument | None, restart: bool = False) -> bool\n\nAppend the document's "
        "pages as they are now as a section of this one, with its sheet, header, footer and sections; its fonts, "
        "colours and styles entered here, its lists its own. Page numbers go on, or start again at its "
        "PageNumberStart when restart. False for None or a document without pages; ArgumentError (5) for this "
        "document itself.");
}

// cDocument's pages, tables and renderings.
void registerDocumentMethods(Class<cDocument>& document) {
    document.def_property_readonly(
        "LastPage", [](py::handle self) { return initialized<cDocument>(self).LastPage(); },
        "Number of pages inserted so far (read-only).");
    method(
        document, "InsertPage", "(self, /, page)",
        [](py::handle self_, py::handle value) {
            cDocument& self = initialized<cDocument>(self_);
            auto p = toObject<cPage>(value);
            waitFree({&self});
            return fromBoolean(self.InsertPage(p));
        },
        std::make_tuple(py::arg("page")), std::make_tuple(py::arg("Page")),
        "InsertPage(page: cPage | None) -> bool\n\nAppend the page as it is now; False for None. Error 6 past "
        "2147483647 pages.");
    registerAssembly(document);
    method(
        document, "FontIndex", "(self, /, name, charset=-1)",
        [](py::handle self_, py::handle name, py::handle charSet) {
            cDocument& self = initialized<cDocument>(self_);
            std::string n = toString(name);
            std::int32_t c = toLong(charSet);
            waitFree({&self});
            return self.FontIndex(n, c);
        },
        std::make_tuple(py::arg("name"), py::arg("charset") = -1),
        std::make_tuple(py::arg("FontName"), py::arg("CharSet") = -1),
        "FontIndex(name: str, charset: int = -1) -> int\n\nThe index of a font in the font table, entering it "
        "when it is new. Names compare case-insensitively; an empty name and the default font's name give 0. "
        "charset -1 takes the current FontDefaultCharSet; an entered font keeps its character set.");
    method(
        document, "StyleIndex", "(self, /, name)",
        [](py::handle self_, py::handle name) {
            cDocument& self = initialized<cDocument>(self_);
            std::string n = toString(name);
            waitFree({&self});
            return self.StyleIndex(n);
        },
        std::make_tuple(py::arg("name")), std::make_tuple(py::arg("StyleName")),
        "StyleIndex(name: str) -> int\n\nThe index of a paragraph style in the style sheet, entering it when it "
        "is new (1 on; 0 is Normal). \"heading 1\" to \"heading 9\" are the built-in headings, entered with their "
        "outline level. ArgumentError (5) for an empty name.");
    method(
        document, "ColorIndex", "(self, /, rgb)",
        [](py::handle self_, py::handle rgb) {
            cDocument& self = initialized<cDocument>(self_);
            std::int32_t c = toLong(rgb);
            waitFree({&self});
            return self.ColorIndex(c);
        },
        std::make_tuple(py::arg("rgb")), std::make_tuple(py::arg("RGBColor")),
        "ColorIndex(rgb: int) -> int\n\nThe colour index of an RGB value (red in the lowest byte), entering it "
        "when it is new.");
    method(
        document, "Rtf", "(self, /)",
        [](py::handle self_) {
            const cDocument& self = initialized<cDocument>(self_);
            return py::str(render(self, [&] { return self.Rtf(); }));
        },
        std::make_tuple(), std::make_tuple(),
        "Rtf() -> str\n\nThe complete document, plain ASCII. Other Python threads run meanwhile.");
    method(
        document, "Save", "(self, /, path)",
        [](py::handle self_, py::handle file) {
            const cDocument& self = initialized<cDocument>(self_);
            std::string path = toPath(file);
            return fromBoolean(withFileName(path, [&] { return render(self, [&] { return self.Save(path); }); }));
        },
        std::make_tuple(py::arg("path")), std::make_tuple(py::arg("sRTFFile")),
        "Save(path: str | os.PathLike) -> bool\n\nWrite the document to a file: False for an empty path, "
        "otherwise True when the file exists afterwards and is not empty. An existing file is replaced only once "
        "the new text is complete. Errors 52, 53, 61, 70, 75 and 76 for file failures. Other Python threads run "
        "meanwhile.");
}

void registerPicture(py::module_& m) {
    // cPicture
    Class<cPicture> picture(
        m, "cPicture",
        "cPicture()\n\nA picture file to embed in a paragraph: as a Windows metafile, or a PNG or JPEG file as it is.");
    picture.def(py::init<>());
    field<PathValue>(picture, "File", &cPicture::File, "Path of the picture file: str or any path-like object.");
    field<LongValue>(picture, "Width", &cPicture::Width,
                     "Declared width in hundredths of a millimetre; 0 (default) follows the picture.");
    field<LongValue>(picture, "Height", &cPicture::Height,
                     "Declared height in hundredths of a millimetre; 0 (default) follows the picture.");
    field<SingleValue>(picture, "ScaleFactor", &cPicture::ScaleFactor,
                       "Factor on the picture's own size, a 32-bit float (default 1.0); not above 0 counts as 1.");
    objectField<cBorder>(picture, "Border", &cPicture::Border,
                         "The picture's cBorder (a new one of its own at first).");
    field<EmbeddingValue>(picture, "Embedding", &cPicture::Embedding,
                          "A vlRTFPictureEmbedding: eOriginal or eOriginalAndMetafile keep a PNG or JPEG file as "
                          "it is (default eMetafile).");
    field<LongValue>(picture, "WidthTwips", &cPicture::WidthTwips,
                     "Declared width in twips, before Width; not above 0 (default) leaves it to Width.");
    field<LongValue>(picture, "HeightTwips", &cPicture::HeightTwips,
                     "Declared height in twips, before Height; not above 0 (default) leaves it to Height.");
    field<BooleanValue>(picture, "UseFileResolution", &cPicture::UseFileResolution,
                        "True: the picture's own size follows from the resolution its file records; a file that "
                        "records none keeps 20 hundredths of a millimetre a pixel (default False).");
}

void registerShapes(py::module_& m) {
    // Shapes.
    Class<cPoint> point(m, "cPoint", "cPoint()\n\nA vertex of a polyline or polygon.");
    point.def(py::init<>());
    field<LongValue>(point, "x", &cPoint::x, "Horizontal position in twips (default 0).");
    field<LongValue>(point, "y", &cPoint::y, "Vertical position in twips (default 0).");

    Class<cLine> line(m, "cLine", "cLine()\n\nA straight line between two end points.");
    line.def(py::init<>());
    field<LongValue>(line, "x1", &cLine::x1, "First end point, horizontal, in twips.");
    field<LongValue>(line, "y1", &cLine::y1, "First end point, vertical, in twips.");
    field<LongValue>(line, "x2", &cLine::x2, "Second end point, horizontal, in twips.");
    field<LongValue>(line, "y2", &cLine::y2, "Second end point, vertical, in twips.");
    field<LongValue>(line, "PenWidth", &cLine::PenWidth, kPenWidth);
    field<LongValue>(line, "PenRGBColor", &cLine::PenRGBColor, kPenRGBColor);

    Class<cRect> rect(m, "cRect", "cRect()\n\nA rectangle.");
    rect.def(py::init<>());
    boxFields(rect);

    Class<cEllipse> ellipse(m, "cEllipse", "cEllipse()\n\nAn ellipse within its bounding rectangle.");
    ellipse.def(py::init<>());
    boxFields(ellipse);

    Class<cDrawingText> box(m, "cDrawingText", "cDrawingText()\n\nA text box holding one run as a single paragraph.");
    box.def(py::init<>());
    boxFields(box);
    writeOnly(
        box, "Text",
        [](py::handle self_, py::handle value) {
            cDrawingText& self = initialized<cDrawingText>(self_);
            auto run = toObject<cText>(value);
            waitFree({&self});
            self.Text(run);
        },
        "The cText of the box (write-only): the run is rendered when the box is inserted into a drawing; None "
        "clears it.");

    auto points = [](auto& cls) {
        using C = typename std::remove_reference_t<decltype(cls)>::type;
        cls.def(py::init<>());
        fillAndPen(cls);
        insert<C, cPoint>(
            cls, "InsertPoint", "point", "Point", &C::InsertPoint,
            "InsertPoint(point: cPoint | None) -> bool\n\nAppend the point as it is now; False for None.");
    };
    Class<cPolyline> polyline(m, "cPolyline", "cPolyline()\n\nAn open chain of line segments through its points.");
    points(polyline);
    Class<cPolygon> polygon(m, "cPolygon", "cPolygon()\n\nA closed outline through its points.");
    points(polygon);

    Class<cDrawing> drawing(m, "cDrawing",
                            "cDrawing()\n\nA group of shapes anchored in a paragraph. Each insert appends the shape "
                            "as it is now and widens the group's box; error 6 when a sum or the count overflows, "
                            "leaving the drawing as it was.");
    drawing.def(py::init<>());
    insert<cDrawing, cDrawingText>(
        drawing, "InsertText", "text", "Text", &cDrawing::InsertText,
        "InsertText(text: cDrawingText | None) -> bool\n\nAppend a text box; False for None.");
    insert<cDrawing, cEllipse>(drawing, "InsertEllipse", "ellipse", "Ellipse", &cDrawing::InsertEllipse,
                               "InsertEllipse(ellipse: cEllipse | None) -> bool\n\nAppend an ellipse; False for None.");
    insert<cDrawing, cPolygon>(drawing, "InsertPolygon", "polygon", "Polygon", &cDrawing::InsertPolygon,
                               "InsertPolygon(polygon: cPolygon | None) -> bool\n\nAppend a polygon; False for None.");
    insert<cDrawing, cPolyline>(drawing, "InsertPolyline", "polyline", "Polyline", &cDrawing::InsertPolyline,
                                "InsertPolyline(polyline: cPolyline | None) -> bool\n\nAppend a polyline; False for "
                                "None.");
    insert<cDrawing, cLine>(drawing, "InsertLine", "line", "Line", &cDrawing::InsertLine,
                            "InsertLine(line: cLine | None) -> bool\n\nAppend a line; False for None.");
    insert<cDrawing, cRect>(drawing, "InsertRect", "rect", "Rect", &cDrawing::InsertRect,
                            "InsertRect(rect: cRect | None) -> bool\n\nAppend a rectangle; False for None.");
}

}  // namespace

// Every class also takes its fields as keywords: cText(Text="Hello",
// Bold=True). Each is set as an assignment sets it, with the same checks
// and errors, in the order given; a name that is no field of the class is a
// TypeError naming it. Without keywords the plain constructor runs alone.
void keywordConstructor(py::module_& m, const char* name) {
    py::object cls = m.attr(name);
    auto property = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyProperty_Type));
    auto fields = std::make_shared<std::vector<std::string>>();
    for (py::handle base : cls.attr("__mro__"))
        for (auto item : base.attr("__dict__").attr("items")()) {
            auto pair = item.cast<py::tuple>();
            std::string field = pair[0].cast<std::string>();
            if (py::isinstance(pair[1], property) && !pair[1].attr("fset").is_none() &&
                std::find(fields->begin(), fields->end(), field) == fields->end())
                fields->push_back(field);
        }
    std::string signature = fields->empty() ? "__init__(self, /" : "__init__(self, /, *";
    for (const std::string& field : *fields) signature += ", " + field + "=...";
    signature += ")\n--\n\nA new object; fields given as keywords are set in the order given.";
    auto* doc = new std::string(signature);  // pybind11 may keep the pointer: it lives as long as the process
    std::string className = name;
    py::cpp_function init(
        [cls, fields, className](py::handle self, const py::kwargs& kwargs) {
            for (auto item : kwargs) {
                std::string field = py::str(item.first);
                if (std::find(fields->begin(), fields->end(), field) == fields->end()) {
                    std::string message = className;
                    message.append("() got an unexpected keyword argument '").append(field).append("'");
                    throw py::type_error(message);
                }
            }
            cls.attr("__init__")(self);
            for (auto item : kwargs) py::setattr(self, item.first, item.second);
        },
        py::name("__init__"), py::is_method(cls), py::sibling(py::getattr(cls, "__init__", py::none())), doc->c_str());
    py::setattr(cls, "__init__", init);
}

PYBIND11_MODULE(velloran, m) {
#ifndef _WIN32
    static const bool registered = ::pthread_atfork(nullptr, nullptr, forgetMarksInChild) == 0;
    (void)registered;
#endif
    py::options options;
    options.disable_function_signatures();  // each docstring starts with its own, in Python's terms

    m.doc() = "Write Rich Text Format documents: the fifteen classes of Velloran over its C++ core.";
    m.attr("__version__") = VELLORAN_VERSION_STRING;
    registerErrors(m);
    registerEnumerations(m);
    registerBorder(m);
    registerText(m);
    registerParagraph(m);
    registerCell(m);
    registerCellArray(m);
    registerPage(m);
    registerDocument(m);
    registerPicture(m);
    registerShapes(m);
    for (const char* name : {"cBorder", "cText", "cParagraph", "cCell", "cPage", "cDocument", "cPicture", "cPoint",
                             "cLine", "cRect", "cEllipse", "cDrawingText", "cPolyline", "cPolygon", "cDrawing"})
        keywordConstructor(m, name);
}
