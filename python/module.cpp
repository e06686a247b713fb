// The module velloran: its errors, enumerations and functions, and the
// registration of the classes.
#include <array>
#include <optional>

#ifndef _WIN32
#include <pthread.h>
#endif

#include <pybind11/eval.h>
#include <pybind11/stl.h>

#include "common/platform.hpp"
#include "errors_py.hpp"
#include "members.hpp"
#include "enumerations.hpp"

namespace velloran::python {

void registerErrors(py::module_& m) {
    m.def("_error_message", [](int number) { return Error::message(number); });
    py::exec(kErrorsSource, m.attr("__dict__"));
    useErrorClasses(m.attr("_error_class"));
    // The module's functions of pybind11 raise the core's errors as its classes.
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
        return type;
    };
    // Each member by value, for the fields that read them back.
    auto keep = [](Enum which, const py::object& type) {
        Enumeration& e = enumeration(which);
        for (py::handle member : type) e.members.push_back(member.inc_ref());
        e.low = e.members.empty() ? 0 : e.members.front().cast<std::int32_t>();
    };
    generatedEnumerations([&](Enum which, const char* name, std::initializer_list<std::pair<const char*, int>> members,
                              const char* doc) { keep(which, makeEnum(name, members, doc)); });

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

}  // namespace velloran::python

using namespace velloran::python;

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
}
