// Objects in use by calls that run without the GIL.
//
// Save, Rtf and InsertPicture release the GIL, so another Python thread may
// reach the same objects while they work. Such a call marks the objects it
// uses, and any other call that uses a marked object waits until the mark
// goes, instead of racing the core. Marks are exclusive: even a rendering
// may finish the pieces of the text it reads.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

#include <pybind11/pybind11.h>

#include <velloran/velloran.hpp>

namespace velloran::python {

namespace py = pybind11;

// With the GIL held: wait until no call without the GIL uses any of these.
void waitFree(std::initializer_list<const void*> objects);

// A child forked while other threads held marks starts with none.
void forgetMarksInChild();

// The marks of one call without the GIL, for its duration. `objects` gives
// the objects the call uses, null ones left out, as they are at the moment;
// it is asked again after every wait.
class Hold {
public:
    explicit Hold(const std::function<std::vector<const void*>()>& objects);
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    ~Hold();

private:
    std::vector<const void*> objects_;
};

// Run work without the GIL, holding the objects it uses against other
// threads: those `objects()` names once none of them is in use.
template <class Objects, class Work>
auto withoutGil(Objects objects, Work work) {
    Hold hold([&] {
        auto now = objects();
        return std::vector<const void*>(now.begin(), now.end());
    });
    py::gil_scoped_release released;
    return work();
}

// Render a document without the GIL. Rendering reads the document, its
// header and footer paragraphs and their borders, and its six header and
// footer pages, and nothing else that another thread can change: what its
// pages held at their insert is the document's own.
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
    Hold held([&document] { return std::vector<const void*>{&document}; });
    auto objects = [&document] {
        const cParagraph* header = document.Header.get();
        const cParagraph* footer = document.Footer.get();
        return std::array<const void*, 10>{header,
                                           footer,
                                           header ? header->Border.get() : nullptr,
                                           footer ? footer->Border.get() : nullptr,
                                           document.PageHeader.get(),
                                           document.PageFooter.get(),
                                           document.FirstPageHeader.get(),
                                           document.FirstPageFooter.get(),
                                           document.EvenPageHeader.get(),
                                           document.EvenPageFooter.get()};
    };
    return withoutGil(objects, work);
}

}  // namespace velloran::python
