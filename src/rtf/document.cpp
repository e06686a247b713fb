#include "rtf/document.hpp"

#include <velloran/paragraph.hpp>

#include "common/access.hpp"
#include "common/refs.hpp"
#include "rtf/furniture.hpp"
#include "rtf/header.hpp"
#include "rtf/section.hpp"

namespace velloran::rtf {

using detail::Cursor;
using detail::Part;
using detail::Section;

namespace {

// The paragraphs and pages a document writes in its header and footer
// groups (its sections' own among them) are walked for their lists.
void gatherFurniture(Walker& w, Gathered& g, const cDocument& doc, const detail::DocumentState& s) {
    for (const cParagraph* p : {doc.Header.get(), doc.Footer.get()}) {
        if (!p) continue;
        try {
            if (std::int32_t own = rtf::listNumber(*p)) g.lists.add(own);
        } catch (const Error&) {
            // Its rendering fails too, and writes nothing.
        }
        Cursor in(Access::text(*p).content);
        w.items(in);
    }
    auto page = [&](const cPage* p) {
        if (!p) return;
        Cursor in(Access::records(*p));
        w.blocks(in);
    };
    for (const cPage* p : {doc.PageHeader.get(), doc.PageFooter.get(), doc.FirstPageHeader.get(),
                           doc.FirstPageFooter.get(), doc.EvenPageHeader.get(), doc.EvenPageFooter.get()})
        page(p);
    for (const auto& entry : s.body) {
        if (const auto* section = std::get_if<Section>(&entry)) {
            page(section->header.get());
            page(section->footer.get());
        }
    }
}

// The lists of a document's records in its own numbering: its own, then
// each assembled document's moved above every list before it, by an even
// number so that a bulleted list stays bulleted.
detail::ListSet gatherDocument(Walker& w, Gathered& g, const cDocument& doc, const detail::DocumentState& s) {
    detail::ListSet outer;
    std::swap(outer, g.lists);
    w.setStyles(&s.styles);
    gatherFurniture(w, g, doc, s);
    struct Assembled {
        std::size_t slot;
        detail::ListSet lists;
    };
    std::vector<Assembled> parts;
    for (const auto& entry : s.body) {
        if (const auto* section = std::get_if<Section>(&entry)) {
            // Pages that hold nothing to gather are passed over.
            if (section->holds == 0) continue;
            w.setBody(true);
            Cursor in(section->pages);
            w.pages(in);
            w.setBody(false);
            continue;
        }
        const Part& part = std::get<Part>(entry);
        const std::size_t slot = g.listShifts.size();
        g.listShifts.push_back(0);
        detail::ListSet lists = gatherDocument(w, g, *part.document, Access::state(*part.document));
        parts.push_back({slot, std::move(lists)});
        w.setStyles(&s.styles);
    }
    detail::ListSet own;
    std::swap(own, g.lists);
    std::swap(outer, g.lists);
    for (const Assembled& part : parts) {
        const std::int64_t highest = own.highest();
        const std::int64_t shift = highest + highest % 2;
        g.listShifts[part.slot] = shift;
        for (std::int64_t n : part.lists.numbers()) own.add(n + shift);
    }
    return own;
}

// The words of the last section, said again after the pages: empty where
// the first section asked for nothing.
struct LastSection {
    std::string words;
    bool sheetless = false;
};

std::string partClosing(const Part& part);

LastSection lastSection(const detail::DocumentState& s) {
    if (s.body.empty()) return {};
    if (const auto* section = std::get_if<Section>(&s.body.back()))
        return section->turns ? LastSection{section->words, section->sheetless} : LastSection{};
    return {partClosing(std::get<Part>(s.body.back())), false};
}

// An assembled document's last section's words, with its document's sheet
// where they lean on it; those its first section began with, when that is
// its last.
std::string partClosing(const Part& part) {
    const cDocument& doc = *part.document;
    LastSection last = lastSection(Access::state(doc));
    if (last.words.empty()) return partFirstSectionWords(doc, part.restart ? True : False);
    if (last.sheetless) appendSectionSheet(sheetOf(doc), doc.PageLandscape != 0, last.words);
    return last.words;
}

// Writes the body's records, each with its indexes resolved for the
// document it belongs to.
class BodyWriter {
public:
    BodyWriter(const Gathered& gathered, Output& out) : g_(gathered), out_(out), walker_(gathered, out) {}

    void document(const cDocument& doc, const detail::DocumentState& s) {
        walker_.setStyles(&s.styles);
        const bool facing = facingPages(doc, s);
        for (const auto& entry : s.body) {
            if (const auto* section = std::get_if<Section>(&entry)) {
                walker_.word(section->before);
                // The first section's own header and footer are the document's groups.
                if (section->furniture && &entry != &s.body.front())
                    appendSectionFurniture(out_, doc, facing, section->header.get(), section->footer.get());
                pages(*section);
                continue;
            }
            part(std::get<Part>(entry), nullptr);
            walker_.setStyles(&s.styles);
        }
    }

private:
    void pages(const Section& section) {
        walker_.setBody(true);
        Cursor in(section.pages);
        walker_.pages(in);
        walker_.setBody(false);
    }

    // An assembled document: the words that start its first section, then
    // its sections with their sheets and headers and footers, all in its
    // own indexes mapped into the whole's (through those of the document it
    // is assembled into, outer, when that is itself a part).
    void part(const Part& p, const detail::IndexMaps* outer) {
        detail::IndexMaps maps = outer ? outer->after(p.maps) : p.maps;
        maps.listShift += g_.listShifts[parts_++];
        const cDocument& doc = *p.document;
        const detail::DocumentState& s = Access::state(doc);
        out_.setMaps(&maps);
        walker_.setStyles(&s.styles);
        walker_.word(partOpening(doc, p.later, p.restart ? True : False, p.facing));
        for (const auto& entry : s.body) {
            if (const auto* section = std::get_if<Section>(&entry)) {
                std::string words = section->before;
                if (section->sheetless) appendSectionSheet(sheetOf(doc), doc.PageLandscape != 0, words);
                walker_.word(words);
                if (section->furniture && &entry != &s.body.front())
                    appendSectionFurniture(out_, doc, p.facing, section->header.get(), section->footer.get());
                pages(*section);
                continue;
            }
            part(std::get<Part>(entry), &maps);
            walker_.setStyles(&s.styles);
        }
        // What is gathered is resolved while these maps are there.
        out_.setMaps(outer);
    }

    const Gathered& g_;
    Output& out_;
    Walker walker_;
    std::size_t parts_ = 0;
};

}  // namespace

std::size_t bodySize(const detail::DocumentState& state) noexcept {
    std::size_t size = 0;
    for (const auto& entry : state.body) {
        if (const auto* section = std::get_if<Section>(&entry)) size += section->pages.size();
        else size += bodySize(Access::state(*std::get<Part>(entry).document));
    }
    return size;
}

std::size_t furnitureSize(const cDocument& doc) noexcept {
    std::size_t size = 0;
    for (const cPage* p : {doc.PageHeader.get(), doc.PageFooter.get(), doc.FirstPageHeader.get(),
                           doc.FirstPageFooter.get(), doc.EvenPageHeader.get(), doc.EvenPageFooter.get()})
        if (p) size += Access::records(*p).size();
    for (const cParagraph* p : {doc.Header.get(), doc.Footer.get()})
        if (p) size += Access::text(*p).content.size();
    return size;
}

Gathered gather(const cDocument& doc, const detail::DocumentState& state) {
    Gathered g;
    Walker w(g);
    g.lists = gatherDocument(w, g, doc, state);
    g.nameBookmarks();
    return g;
}

void writeBody(const cDocument& doc, const detail::DocumentState& state, const Gathered& gathered, Output& out) {
    BodyWriter(gathered, out).document(doc, state);
    out.setMaps(nullptr);
    // LibreOffice takes the last section's properties from the top level of
    // the document, after the pages.
    const LastSection last = lastSection(state);
    if (!last.words.empty()) {
        out.append("}");
        out.append(last.words);
        out.append("}");
    } else {
        out.append("}}");
    }
    out.finish();
}

}  // namespace velloran::rtf
