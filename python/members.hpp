// The kinds of member the classes are made of: fields of each value type,
// object fields, procedures, read-only and write-only members, and inserts.
#pragma once

#include <string>
#include <type_traits>
#include <utility>

#include "calls.hpp"
#include "in_use.hpp"
#include "values.hpp"

namespace velloran::python {

// A property's getter: get(self) converted back as Value converts it.
template <class Value, class C, class Get>
auto valueGetter(Get get) {
    return [get](py::handle self) { return Value::out(get(initialized<C>(self))); };
}

// A property's setter: the value converted as Value converts it (an error
// naming the member and the value), then set(self, value).
template <class Value, class C, class Set>
auto valueSetter(const Class<C>& cls, const char* name, Set set) {
    return [set, where = cls.name() + "." + name](py::handle self_, py::handle value) {
        C& self = initialized<C>(self_);
        auto converted = valueFor<Value>(where, value);
        waitFree({&self});
        set(self, std::move(converted));
    };
}

// A field: the setter stores the value unchanged, the getter returns it.
template <class Value, class C>
void field(Class<C>& cls, const char* name, std::type_identity_t<typename Value::type C::*> member,
           const std::string& doc) {
    property(
        cls, name, [member](py::handle self) { return Value::out(initialized<C>(self).*member); },
        valueSetter<Value>(cls, name, [member](C& self, typename Value::type v) { self.*member = std::move(v); }), doc);
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

// A pair of procedures: get(self) reads the value, set(self, value) stores
// it as the class converts it.
template <class Value, class C, class Get, class Set>
void procedures(Class<C>& cls, const char* name, Get get, Set set, const std::string& doc) {
    property(cls, name, valueGetter<Value, C>(std::move(get)), valueSetter<Value>(cls, name, std::move(set)), doc);
}

// A value the core holds as a field (field()), or reads and sets with
// procedures of the same name (procedures()), registered as a property.
// Value and C are types, which parentheses would not leave types.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define VELLORAN_VALUE(Value, C, Name, doc)                                                 \
    [&]<class X = C>() {                                                                    \
        if constexpr (requires(const X& x) { x.Name(); })                                   \
            procedures<Value>(                                                              \
                cls, #Name, [](const X& self) { return self.Name(); },                      \
                [](X& self, const typename Value::type& value) { self.Name(value); }, doc); \
        else field<Value>(cls, #Name, &X::Name, doc);                                       \
    }                                                                                       \
    ()
// NOLINTEND(bugprone-macro-parentheses)

// A read-only property: get(self) reads it.
template <class Value, class C, class Get>
void readOnly(Class<C>& cls, const char* name, Get get, const std::string& doc) {
    property(cls, name, valueGetter<Value, C>(std::move(get)), nullptr, doc);
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

// A write-only property of a value: set(self, value) takes it.
template <class Value, class C, class Set>
void writeOnlyValue(Class<C>& cls, const char* name, Set set, const std::string& doc) {
    writeOnly(cls, name, valueSetter<Value>(cls, name, std::move(set)), doc);
}

// A write-only property of an object: set(self, object) takes it, None too.
template <class T, class C, class Set>
void writeOnlyObject(Class<C>& cls, const char* name, Set set, const std::string& doc) {
    writeOnly(
        cls, name,
        [set](py::handle self_, py::handle value) {
            C& self = initialized<C>(self_);
            const std::shared_ptr<T>& object = toObject<T>(value);
            waitFree({&self});
            set(self, object);
        },
        doc);
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

// A section's header or footer page: never the page itself, nor one with a
// header or footer of its own, so pages never hold each other in a ring
// that would never be freed (error 5).
bool ringOfPages(const cPage& self, const cPage& page);

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
