// cBorder and cText.
#include "members.hpp"
#include "members_cBorder.hpp"
#include "members_cText.hpp"

namespace velloran::python {

void registerBorder(py::module_& m) {
    // cBorder
    Class<cBorder> border(m, "cBorder",
                          "cBorder()\n\nThe four sides of a paragraph's, picture's or cell's frame. Its colour starts "
                          "as the thread's BlackColorIndex().");
    generatedMembers(border);
    border.finish();
}

void registerText(py::module_& m) {
    // cText
    Class<cText> text(m, "cText",
                      "cText()\n\nOne run of text with one set of character properties. Its colours start as the "
                      "thread's BlackColorIndex() and WhiteColorIndex().");
    generatedMembers(text);
    text.finish();
}

}  // namespace velloran::python
