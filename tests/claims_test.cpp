// What the reference pages claim about errors is what the members do: every
// error number a page lists for a member is raised through that member here.
// The claims are read from the pages; a claim without a way to raise it, or
// one that the member does not raise, fails.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "support.hpp"

namespace velloran {
namespace {

namespace fs = std::filesystem;
using test::errorOf;

// (class, member) -> the error numbers its page claims.
using Claims = std::map<std::pair<std::string, std::string>, std::set<int>>;

Claims claimsOfThePages() {
    static const std::set<int> numbers = {5, 6, 9, 13, 52, 53, 61, 70, 75, 76, 91};
    Claims claims;
    for (const auto& entry : fs::directory_iterator(fs::path(VELLORAN_DOCS_DIR) / "reference")) {
        std::string cls = entry.path().stem().string();
        if (cls.rfind('c', 0) != 0) continue;
        std::istringstream page(test::fileContent(entry.path()));
        std::vector<std::string> header;
        for (std::string line; std::getline(page, line);) {
            if (line.rfind('|', 0) != 0) {
                header.clear();
                continue;
            }
            std::vector<std::string> cells;
            std::string cell;
            for (std::size_t i = 1; i < line.size(); ++i) {
                if (line[i] == '|') {
                    cells.push_back(cell.substr(
                        cell.find_first_not_of(' ') == std::string::npos ? 0 : cell.find_first_not_of(' ')));
                    cell.clear();
                } else {
                    cell += line[i];
                }
            }
            if (!cells.empty() && (cells[0].rfind("Field", 0) == 0 || cells[0].rfind("Member", 0) == 0)) {
                header = cells;
                continue;
            }
            if (header.empty() || cells.empty() || cells[0].rfind("---", 0) == 0) continue;
            std::string member = std::regex_replace(cells[0], std::regex("^`([A-Za-z0-9]+).*"), "$1");
            for (std::size_t c = 0; c < header.size() && c < cells.size(); ++c) {
                if (header[c].rfind("Errors", 0) != 0) continue;
                // "a size whose double passes 32 bits is left out": no error number.
                std::regex number("(^|[ ;,(])([0-9]+)(?=[ ,;)]|$)");
                for (std::sregex_iterator it(cells[c].begin(), cells[c].end(), number), end; it != end; ++it) {
                    int n = std::stoi((*it)[2]);
                    if (numbers.count(n)) claims[{cls, member}].insert(n);
                }
            }
        }
    }
    return claims;
}

std::shared_ptr<cParagraph> paragraph(const std::string& text) {
    auto run = std::make_shared<cText>();
    run->Text(text);
    auto p = std::make_shared<cParagraph>();
    p->InsertText(run);
    return p;
}

std::shared_ptr<cCell> cell() {
    auto c = std::make_shared<cCell>();
    c->InsertParagraph(paragraph("x"));
    return c;
}

// A table of the cells given, one row.
int tableError(std::vector<std::shared_ptr<cCell>> row) {
    CellArray cells({{1, static_cast<std::int32_t>(row.size())}, {1, 1}});
    for (std::size_t c = 0; c < row.size(); ++c) cells.at({static_cast<std::int32_t>(c + 1), 1}) = row[c];
    cPage page;
    return errorOf([&] { page.InsertTable(cells); });
}

int saveError(const std::string& path) {
    cDocument doc;
    auto page = std::make_shared<cPage>();
    page->InsertParagraph(paragraph(std::string(100000, 'x')));
    doc.InsertPage(page);
    return errorOf([&] { doc.Save(path); });
}

using Trigger = std::function<int()>;

// The ways to raise each claim: (class, member, number) -> the number raised.
std::map<std::tuple<std::string, std::string, int>, std::vector<Trigger>> triggers(const fs::path& folder) {
    auto borderless = [] {
        auto c = cell();
        c->Border = nullptr;
        return c;
    };
    auto wide = [](std::int32_t width) {
        auto c = cell();
        c->Width = width;
        return c;
    };
    return {
        {{"cCell", "Border", 91}, {[=] { return tableError({borderless()}); }}},
        {{"cCell", "Border", 6}, {[] {
             auto c = cell();
             c->Border->TopWidth = 40000;
             return tableError({c});
         }}},
        {{"cCell", "BackColorIndex", 6}, {[] {
             auto c = cell();
             c->BackColorIndex = 40000;
             return tableError({c});
         }}},
        {{"cCell", "Width", 6}, {[=] {
             return tableError({wide(INT32_MAX), wide(1)});
         }}},
        {{"cCell", "InsertParagraph", 91}, {[] {
             auto p = paragraph("x");
             p->Border = nullptr;
             return errorOf([&] { cCell().InsertParagraph(p); });
         }}},
        {{"cPage", "InsertParagraph", 91}, {[] {
             auto p = paragraph("x");
             p->Border = nullptr;
             return errorOf([&] { cPage().InsertParagraph(p); });
         }}},
        {{"cPage", "InsertTable", 9},
         {[] { return errorOf([] {
                   cPage().InsertTable(CellArray({{1, 2}}));
               }); },
          [] { return errorOf([] {
                   cPage().InsertTable(CellArray({{2, 3}, {1, 1}}));
               }); }}},
        {{"cPage", "InsertTable", 91},
         {[] { return tableError({nullptr}); }, [=] { return tableError({borderless()}); }}},
        {{"cPage", "InsertTable", 6},
         {[] { return errorOf([] {
                   cPage().InsertTable(CellArray({{1, 40000}, {1, 1}}));
               }); },
          [=] {
              return tableError({wide(INT32_MAX), wide(1)});
          }}},
        {{"cParagraph", "Border", 91}, {[] {
             auto p = paragraph("x");
             p->Border = nullptr;
             return errorOf([&] { cPage().InsertParagraph(p); });
         }}},
        {{"cParagraph", "InsertText", 6}, {[] {
             auto run = std::make_shared<cText>();
             run->Text("x");
             run->Height = 1 << 30;
             return errorOf([&] { cParagraph().InsertText(run); });
         }}},
        {{"cParagraph", "InsertFootnote", 91}, {[] {
             auto note = paragraph("x");
             note->Border = nullptr;
             return errorOf([&] { cParagraph().InsertFootnote(note); });
         }}},
        {{"cParagraph", "InsertEndnote", 91}, {[] {
             auto note = paragraph("x");
             note->Border = nullptr;
             return errorOf([&] { cParagraph().InsertEndnote(note); });
         }}},
        {{"cParagraph", "ListStyle", 6}, {[] {
             auto p = paragraph("x");
             p->ListStyle = lNumber;
             p->ListId = 1 << 30;
             return errorOf([&] { cPage().InsertParagraph(p); });
         }}},
        {{"cParagraph", "LineSpacingMultiple", 6}, {[] {
             auto p = paragraph("x");
             p->LineSpacingMultiple = 1e10f;
             return errorOf([&] { cPage().InsertParagraph(p); });
         }}},
        {{"cCell", "WidthPercent", 5}, {[] {
             CellArray cells({{1, 1}, {1, 1}});
             cells.at({1, 1}) = std::make_shared<cCell>();
             cells.at({1, 1})->WidthPercent = 101;
             return errorOf([&] { cPage().InsertTable(cells); });
         }}},
        {{"cParagraph", "AddTabStop", 5}, {[] { return errorOf([] { cParagraph().AddTabStop(-1); }); }}},
        {{"cText", "RawRtf", 5}, {[] { return errorOf([] { cText().RawRtf("}"); }); }}},
        {{"cDocument", "StyleIndex", 5}, {[] { return errorOf([] { cDocument().StyleIndex(""); }); }}},
        {{"cDocument", "CreationTime", 5}, {[] { return errorOf([] { cDocument().CreationTime("today"); }); }}},
        {{"cPage", "AddTableColumn", 5}, {[] { return errorOf([] { cPage().AddTableColumn(0, tLeft, 16); }); }}},
        {{"cPage", "InsertRows", 5}, {[] { return errorOf([] {
                                               cPage().InsertRows({{"a"}, {}});
                                           }); }}},
        {{"cPage", "TableRowsPerPage", 5}, {[] {
             cPage page;
             page.TablePaginate = True, page.TableRowsPerPage = 0;
             return errorOf([&] { page.InsertRows({{"a"}}); });
         }}},
        {{"cPage", "InsertRows", 6}, {[] {
             cPage page;
             page.AddTableColumn(INT32_MAX);
             page.AddTableColumn(INT32_MAX);
             return errorOf([&] { page.InsertRows({{"a", "b"}}); });
         }}},
        {{"cText", "Height", 6}, {[] {
             auto run = std::make_shared<cText>();
             run->Text("x");
             run->Height = -(1 << 30) - 1;
             return errorOf([&] { cParagraph().InsertText(run); });
         }}},
        {{"cDocument", "InsertPage", 6}, {[] {
             cDocument doc;
             Access::pageCount(doc) = INT32_MAX;
             return errorOf([&] { doc.InsertPage(std::make_shared<cPage>()); });
         }}},
        {{"cDocument", "InsertDocument", 5}, {[] {
             auto doc = std::make_shared<cDocument>();
             doc->InsertPage(std::make_shared<cPage>());
             return errorOf([&] { doc->InsertDocument(doc); });
         }}},
        {{"cDocument", "InsertDocument", 6}, {[] {
             cDocument doc;
             Access::pageCount(doc) = INT32_MAX;
             auto part = std::make_shared<cDocument>();
             part->InsertPage(std::make_shared<cPage>());
             return errorOf([&] { doc.InsertDocument(part); });
         }}},
        {{"cDocument", "Save", 52}, {[=] { return saveError((folder / "bad").string() + std::string(1, '\0')); }}},
        {{"cDocument", "Save", 75}, {[=] { return saveError(folder.string()); }}},
        {{"cDocument", "Save", 76}, {[=] { return saveError((folder / "no" / "such" / "x.rtf").string()); }}},
        // The file system refuses more than a few bytes: a full disk.
        {{"cDocument", "Save", 61}, {[=] {
             return test::inChild([&] {
                 std::signal(SIGXFSZ, SIG_IGN);
                 rlimit limit{4096, 4096};
                 ::setrlimit(RLIMIT_FSIZE, &limit);
                 return saveError((folder / "full.rtf").string());
             });
         }}},
        // A folder that may not be written, by a user who is not its owner.
        {{"cDocument", "Save", 70}, {[=] {
             fs::create_directories(folder / "locked");
             fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
             return test::inChild([&] {
                 if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 200;
                 return saveError((folder / "locked" / "x.rtf").string());
             });
         }}},
    };
}

TEST(Claims, EveryErrorAReferencePageClaimsIsRaisedThroughItsMember) {
    const fs::path folder = test::testFolder("velloran-claims");
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::all);
    Claims claims = claimsOfThePages();
    ASSERT_GT(claims.size(), 10u) << "the pages' error columns were not found";
    auto ways = triggers(folder);
    for (const auto& [where, numbers] : claims) {
        for (int number : numbers) {
            auto way = ways.find({where.first, where.second, number});
            // 53 comes only from Windows' file system.
            if (way == ways.end() && number == 53) continue;
            if (way == ways.end()) {
                ADD_FAILURE() << where.first << "." << where.second << " claims error " << number
                              << ", and nothing here raises it";
                continue;
            }
            for (const auto& raise : way->second)
                EXPECT_EQ(raise(), number) << where.first << "." << where.second << " claims error " << number;
        }
    }
    fs::permissions(folder / "locked", fs::perms::all);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace velloran
