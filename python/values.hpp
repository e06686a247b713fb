// Values across the boundary, the way an automation host passes them:
// Booleans are -1 and 0 (True stores -1; reading gives True, False or
// whatever other integer was stored), integers are 32-bit (beyond that is
// error 6, as in a script host), strings are str, and enumeration fields
// read back their members.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <pybind11/pybind11.h>

#include <velloran/velloran.hpp>

namespace velloran::python {

namespace py = pybind11;

// The module's _error_class(number), which the errors below are made by.
void useErrorClasses(py::handle errorClassOfNumber);

// The Python error of an automation error: its class by number (file errors
// are OSErrors too), with the file's name where one is known.
void raise(const Error& e, const std::string* file);

// Raise an automation error whose message says where it happened.
[[noreturn]] void raiseAt(int number, const std::string& where);

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

std::int32_t toLong(py::handle value);
std::string toString(py::handle value);
std::string toPath(py::handle value);  // str or any path-like object, in the file system's encoding
py::object fromBoolean(Boolean value);

// A value as a message shows it: its repr, cut short.
std::string shortRepr(py::handle value);

// The value type of each kind of field: in() converts from Python (raising
// TypeError or error 6), out() back.
struct LongValue {
    using type = std::int32_t;
    static type in(py::handle v) { return toLong(v); }
    static py::object out(type v) { return py::reinterpret_steal<py::object>(PyLong_FromLong(v)); }
};

struct BooleanValue {
    using type = Boolean;
    static type in(py::handle v);
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
    static py::object out(const type& v);
};

struct SingleValue {
    using type = float;
    static type in(py::handle v);
    static py::object out(type v) { return py::float_(v); }
};

// The members of the enumerations' Python types, made at import, by value.
struct Enumeration {
    std::vector<py::handle> members;  // from the lowest value on
    std::int32_t low = 0;
};
enum class Enum {
    Alignment,
    BorderType,
    Field,
    List,
    Orientation,
    Embedding,
    VerticalPosition,
    TabAlignment,
    TabLeader,
    VerticalAlignment,
    BorderStyle,
    Count
};
Enumeration& enumeration(Enum which);

// An enumeration field may hold any 32-bit value; members read back as members.
template <class E, Enum Which>
struct EnumValue {
    using type = E;
    static type in(py::handle v) { return static_cast<E>(toLong(v)); }
    static py::object out(type v) {
        const Enumeration& e = enumeration(Which);
        const auto n = static_cast<std::int64_t>(v) - e.low;
        if (n < 0 || n >= static_cast<std::int64_t>(e.members.size()))
            return LongValue::out(static_cast<std::int32_t>(v));
        return py::reinterpret_borrow<py::object>(e.members[static_cast<std::size_t>(n)]);
    }
};
using AlignmentValue = EnumValue<vlRTFAlignment, Enum::Alignment>;
using BorderTypeValue = EnumValue<vlRTFBorderType, Enum::BorderType>;
using FieldValue = EnumValue<vlRTFField, Enum::Field>;
using ListValue = EnumValue<vlRTFList, Enum::List>;
using OrientationValue = EnumValue<vlRTFOrientation, Enum::Orientation>;
using EmbeddingValue = EnumValue<vlRTFPictureEmbedding, Enum::Embedding>;
using VerticalPositionValue = EnumValue<vlRTFVerticalPosition, Enum::VerticalPosition>;
using TabAlignmentValue = EnumValue<vlRTFTabAlignment, Enum::TabAlignment>;
using TabLeaderValue = EnumValue<vlRTFTabLeader, Enum::TabLeader>;
using VerticalAlignmentValue = EnumValue<vlRTFVerticalAlignment, Enum::VerticalAlignment>;
using BorderStyleValue = EnumValue<vlRTFBorderStyle, Enum::BorderStyle>;

// A value for a field, its error naming the field and the value: "Overflow:
// cText.Height = 1099511627776".
template <class Value>
auto valueFor(const std::string& where, py::handle value) {
    try {
        return Value::in(value);
    } catch (const Error& e) {
        raiseAt(e.number(), where + " = " + shortRepr(value));
    } catch (const py::type_error& e) {
        throw py::type_error(where + ": " + e.what());
    }
}

bool isSequence(py::handle value);

}  // namespace velloran::python
