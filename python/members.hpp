// The kinds of member the classes are made of: fields of each value type,
// object fields, write-only fields and inserts.
#pragma once

#include <string>
#include <type_traits>
#include <utility>

#include "calls.hpp"
#include "in_use.hpp"
#include "values.hpp"

namespace velloran::python {

// A field: the setter stores the value unchanged, the getter returns it.
template <class Value, class C>
void field(Class<C>& cls, const char* name, std::type_identity_t<typename Value::type C::*> member,
           const std::string& doc) {
    property(
        cls, name, [member](py::handle self) { return Value::out(initialized<C>(self).*member); },
        [member, where = cls.name() + "." + name](py::handle self_, py::handle value) {
            C& self = initialized<C>(self_);
            auto converted = valueFor<Value>(where, value);
            waitFree({&self});
            self.*member = std::move(converted);
        },
        doc);
}

// An object field: holds the very object assigned, or None. refused(self,
// value), when given, refuses a value with error 5 before anything changes.
template <class T, class C>
void objectField(Class<C>& cls, const char* name, std::type_identity_t<std::shared_ptr<T> C::*> member,
                 const std::string& doc, bool (*refused)(const C&, const T&) = nullptr) {
    property(
        cls, name, [member](py::handle self) { return wrap<T>(initialized<C>(self).*member); },
        [member, refused](py::handle self_, py::handle value) {
            C& self = initialized<C>(self_);
            const std::shared_ptr<T>& object = toObject<T>(value);
            waitFree({&self});
            if (refused && object && refused(self, *object)) throw Error(errors::InvalidArgument);
            self.*member = toStored<T>(value);
        },
        doc);
}

// A write-only property (a put-only procedure of the interface).
template <class C, class Setter>
void writeOnly(Class<C>& cls, const char* name, Setter setter, const std::string& doc) {
    property(
        cls, name,
        [message = std::string(name) + " is write-only"](py::handle) -> py::object {
            throw py::attribute_error(message);
        },
        std::move(setter), doc);
}

// An insert method taking one child object.
template <class C, class Child>
void insert(Class<C>& cls, const char* name, const char* arg, const char* automationArg,
            Boolean (C::*insertChild)(const std::shared_ptr<Child>&), const std::string& doc) {
    method(
        cls, name, std::string("(self, /, ") + arg + ")",
        [insertChild](py::handle self_, py::handle value) {
            C& self = initialized<C>(self_);
            const std::shared_ptr<Child>& child = toObject<Child>(value);
            waitFree({&self});
            return fromBoolean((self.*insertChild)(child));
        },
        std::array{Parameter{arg, automationArg}}, doc);
}

inline constexpr const char* kBooleanNote =
    " Boolean: True stores -1 and False 0; reading gives True for -1, False for 0 and the stored integer otherwise.";

inline std::string booleanDoc(const char* text) { return std::string(text) + kBooleanNote; }

inline constexpr const char* kPenWidth = "Pen width in twips (default 15).";
inline constexpr const char* kPenRGBColor = "Pen colour as an RGB value, red in the lowest byte (default 0, black).";

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

// Each room registers its classes.
void registerErrors(py::module_& m);
void registerEnumerations(py::module_& m);
void registerBorder(py::module_& m);
void registerText(py::module_& m);
void registerParagraph(py::module_& m);
void registerCell(py::module_& m);
void registerCellArray(py::module_& m);
void registerPage(py::module_& m);
void registerDocument(py::module_& m);
void registerPicture(py::module_& m);
void registerShapes(py::module_& m);

}  // namespace velloran::python
