// cDocument: the root object; produces the whole RTF document.
#pragma once

#include <memory>
#include <string>

#include <velloran/fwd.hpp>
#include <velloran/own_state.hpp>
#include <velloran/types.hpp>

namespace velloran {

class cDocument {
public:
    // A4 portrait, margins of one inch, Arial at 10 points. Enters black and
    // white into the colour table (indexes 1 and 2) and sets the thread's
    // BlackColorIndex and WhiteColorIndex to them.
    VELLORAN_API cDocument();
    // Copies are independent objects with the same content.
    VELLORAN_API cDocument(const cDocument& other);
    VELLORAN_API cDocument& operator=(const cDocument& other);
    VELLORAN_API cDocument(cDocument&& other) noexcept;
    VELLORAN_API cDocument& operator=(cDocument&& other) noexcept;
    VELLORAN_API ~cDocument();

    std::string Author;  // document information, UTF-8
    std::string Operator;
    std::string Title;
    std::string Subject;
    // The creation and revision time the document information says, as
    // "YYYY-MM-DD HH:MM" (a T may stand for the space, and seconds may
    // follow, which are not written), so that two runs write the same bytes.
    // Empty, the default: the SOURCE_DATE_EPOCH environment variable's time
    // (in UTC) when it is set, else the local time of each Rtf and Save.
    // Error 5 for any other text, the time unchanged.
    VELLORAN_API const std::string& CreationTime() const;
    VELLORAN_API void CreationTime(const std::string& value);
    std::int32_t PageWidth = 11906;  // twips, the sheet in portrait terms
    std::int32_t PageHeight = 16837;
    std::int32_t PageMarginLeft = 1440;
    std::int32_t PageMarginRight = 1440;
    std::int32_t PageMarginTop = 1440;
    std::int32_t PageMarginBottom = 1440;
    Boolean PageLandscape = False;  // any non-zero value turns the sheet
    Boolean PageNumbersOn = False;  // only True (-1) writes page numbering
    std::int32_t PageNumberStart = 1;
    std::int32_t PageNumberMarginRight = 720;
    std::int32_t PageNumberMarginTop = 720;
    std::string FontDefaultName = "Arial";
    std::int32_t FontDefaultCharSet = 0;
    std::int32_t FontDefaultHeight = 10;  // points
    std::shared_ptr<cParagraph> Header;   // repeated at the top of every page
    std::shared_ptr<cParagraph> Footer;   // repeated at the bottom of every page

    // Headers and footers that hold what a page holds (paragraphs, tables,
    // pictures), by reference and read at every Rtf and Save as Header and
    // Footer are. PageHeader and PageFooter stand on every page, after
    // Header's and Footer's paragraph. FirstPageHeader and FirstPageFooter
    // take their place on the first page (an empty cPage: none there), and
    // EvenPageHeader and EvenPageFooter on the even pages, which show the
    // page number when PageNumbersOn but not Header's or Footer's paragraph.
    std::shared_ptr<cPage> PageHeader;
    std::shared_ptr<cPage> PageFooter;
    std::shared_ptr<cPage> FirstPageHeader;
    std::shared_ptr<cPage> FirstPageFooter;
    std::shared_ptr<cPage> EvenPageHeader;
    std::shared_ptr<cPage> EvenPageFooter;

    // Number of pages inserted so far.
    VELLORAN_API std::int32_t LastPage() const noexcept;

    // Append the page's fragment; False for a null page. Error 6 past
    // 2147483647 pages.
    VELLORAN_API Boolean InsertPage(const std::shared_ptr<cPage>& Page);

    // Append another document's pages as a section of this one, as that
    // document is now: its sheet, header and footer, page numbers and
    // sections stay its own; its fonts, colours and styles are entered into
    // this document's tables (where this one has them, they are shared), and
    // its lists stay lists of their own. Page numbers go on from the pages
    // before, or start again at its PageNumberStart when RestartNumbering is
    // True; NUMPAGES counts the whole. False for a null document or one
    // without pages; error 5 for this document itself, 6 past 2147483647
    // pages. A failed call leaves this document as it was.
    VELLORAN_API Boolean InsertDocument(const std::shared_ptr<cDocument>& Document, Boolean RestartNumbering = False);

    // The complete document, plain ASCII.
    VELLORAN_API std::string Rtf() const;

    // Write the document to a file: False for an empty path; otherwise True
    // when the file exists afterwards and is not empty. A regular file is
    // replaced only once the new text is complete, so a failed save leaves
    // it as it was; one written where it is (other links, a folder that takes
    // no new file) is written whole into the temporary folder first and
    // copied in once its room is taken. A symbolic link to a file that does
    // not exist yet makes that file. A character device (/dev/null, a terminal) or a pipe
    // that a reader has open is written directly, True once it took
    // everything. A folder, and on POSIX systems a pipe nobody reads, a
    // socket or a block device, is refused at once with error 75, untouched. Errors 52, 53, 61, 70, 75 and 76 for file
    // failures.
    VELLORAN_API Boolean Save(const std::string& sRTFFile) const;

    // The index of a font name in the font table, entering it when it is new.
    // Names compare case-insensitively and otherwise exactly; an empty name
    // and the default font's name give 0. CharSet -1 takes the current
    // FontDefaultCharSet; the character set of an entered name never changes.
    VELLORAN_API std::int32_t FontIndex(const std::string& FontName, std::int32_t CharSet = -1);

    // The colour index of an RGB value (red in the lowest byte), entering it
    // when it is new; all 32 bits are compared.
    VELLORAN_API std::int32_t ColorIndex(std::int32_t RGBColor);

    // The index of a paragraph style in the style sheet, entering it when it
    // is new (1 on; 0 is Normal). Names compare exactly. "heading 1" to
    // "heading 9" (in any case) are the built-in headings readers know,
    // entered with their outline level. Error 5 for an empty name.
    VELLORAN_API std::int32_t StyleIndex(const std::string& StyleName);

private:
    friend struct Access;

    // The pages' text, the font and colour tables and their indexes, which
    // only the library reads.
    struct State;
    OwnState<State> state_;
    // A moved-from object has no state: reading it reads an empty one, and
    // changing it gives it a new one.
    State& state();
    const State& state() const;
};

}  // namespace velloran
