// Save while the write fails at every point: a file size limit at a spread
// of sizes, a full file system, a folder on a read-only file system. Each
// time the error is the right one, an earlier file is kept byte for byte and
// nothing is left in the folder.
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "support.hpp"

namespace velloran {
namespace {

using test::errorOf;
using test::inChild;
namespace fs = std::filesystem;

// A document of about 300 KB: its pages are held, and written, in several
// pieces, so failures fall inside pieces and between them.
std::shared_ptr<cDocument> largeDocument() {
    auto doc = std::make_shared<cDocument>();
    doc->Title = "Faults";
    auto page = std::make_shared<cPage>();
    for (int i = 0; i < 4000; ++i) {
        auto run = std::make_shared<cText>();
        run->Text("Line " + std::to_string(i) + " of a document that is saved while the disk fails.");
        auto paragraph = std::make_shared<cParagraph>();
        paragraph->InsertText(run);
        page->InsertParagraph(paragraph);
    }
    doc->InsertPage(page);
    return doc;
}

// Sizes from nothing to past the whole text: every sixteenth of it, and
// dense around the page size and the text's end.
std::vector<std::uint64_t> spread(std::uint64_t length) {
    std::set<std::uint64_t> sizes = {0, 1, 2, 100, 511, 512, 4095, 4096, 4097, 8192};
    for (std::uint64_t k = 1; k < 16; ++k) sizes.insert(length * k / 16);
    for (std::uint64_t back : {4097u, 4096u, 1u})
        if (length > back) sizes.insert(length - back);
    for (std::uint64_t ahead : {0u, 1u, 4096u}) sizes.insert(length + ahead);
    return {sizes.begin(), sizes.end()};
}

// The outcome of a save as a number: 0 saved, 1 returned False, else the error.
int saveOutcome(const cDocument& doc, const std::string& path) {
    int error = errorOf([&] {
        if (doc.Save(path) != True) throw Error(1);
    });
    return error == -1 ? 0 : error;
}

class SaveFault : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::testFolder("velloran-save-fault");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        doc_ = largeDocument();
        text_ = doc_->Rtf();
    }
    void TearDown() override {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
        fs::remove_all(folder_);
    }

    // A small tmpfs over the folder; false where this process may not mount.
    bool mountTmpfs(std::uint64_t bytes) {
        std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
        return mounted_;
    }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    static std::string read(const fs::path& file) { return test::fileContent(file); }
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_)) names.insert(e.path().filename());
        return names;
    }

    // The text is compared whole, times included: a run that crosses a
    // minute must not differ from the text taken before it.
    test::FixedClock clock_;
    fs::path folder_;
    bool mounted_ = false;
    std::shared_ptr<cDocument> doc_;
    std::string text_;
    const std::string old_ = "{\\rtf1 the earlier document}";
};

TEST_F(SaveFault, FileSizeLimitAtEveryPoint) {
    for (bool existing : {true, false}) {
        for (std::uint64_t limit : spread(text_.size())) {
            SCOPED_TRACE((existing ? "over a file, limit " : "new file, limit ") + std::to_string(limit) + " of " +
                         std::to_string(text_.size()));
            fs::remove(path("doc.rtf"));
            if (existing) std::ofstream(path("doc.rtf"), std::ios::binary) << old_;
            int outcome = inChild([&] {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit rl{limit, limit};
                if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) return 200;
                return saveOutcome(*doc_, path("doc.rtf"));
            });
            if (limit >= text_.size()) {
                EXPECT_EQ(outcome, 0);
                EXPECT_EQ(read(path("doc.rtf")), text_);
                EXPECT_EQ(entries(), std::set<std::string>{"doc.rtf"});
                continue;
            }
            EXPECT_EQ(outcome, errors::DiskFull);
            if (existing) {
                EXPECT_EQ(read(path("doc.rtf")), old_);
                EXPECT_EQ(entries(), std::set<std::string>{"doc.rtf"});
            } else {
                EXPECT_TRUE(entries().empty());
            }
        }
    }
}

// Fills the file system up to `free` bytes of room with a filler file.
void fillLeaving(const fs::path& folder, std::uint64_t free) {
    struct statvfs vfs;
    ASSERT_EQ(::statvfs(folder.c_str(), &vfs), 0);
    std::uint64_t available = static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
    ASSERT_GE(available, free);
    std::ofstream(folder / "filler", std::ios::binary) << std::string(available - free, 'f');
}

TEST_F(SaveFault, FullFileSystemAtEveryPoint) {
    const std::uint64_t room = 4 * text_.size() + (1u << 16);
    if (!mountTmpfs(room)) GTEST_SKIP() << "cannot mount a tmpfs here (needs root and CAP_SYS_ADMIN)";
    for (bool existing : {true, false}) {
        for (std::uint64_t pages = 0; pages * 4096 <= text_.size() + 8192; ++pages) {
            SCOPED_TRACE((existing ? "over a file, " : "new file, ") + std::to_string(pages) + " pages free");
            for (const auto& e : fs::directory_iterator(folder_)) fs::remove(e.path());
            if (existing) std::ofstream(path("doc.rtf"), std::ios::binary) << old_;
            fillLeaving(folder_, pages * 4096);
            int outcome = saveOutcome(*doc_, path("doc.rtf"));
            std::set<std::string> left = entries();
            left.erase("filler");
            if (outcome == 0) {
                EXPECT_GE(pages * 4096, text_.size());
                EXPECT_EQ(read(path("doc.rtf")), text_);
                EXPECT_EQ(left, std::set<std::string>{"doc.rtf"});
                continue;
            }
            EXPECT_EQ(outcome, errors::DiskFull);
            // The text takes whole pages: with a page to spare it must fit.
            EXPECT_LT(pages * 4096, text_.size() + 4096);
            if (existing) {
                EXPECT_EQ(read(path("doc.rtf")), old_);
                EXPECT_EQ(left, std::set<std::string>{"doc.rtf"});
            } else {
                EXPECT_TRUE(left.empty());
            }
        }
    }
}

TEST_F(SaveFault, FolderTurnedReadOnlyRaises70AndKeepsEverything) {
    if (!mountTmpfs(1u << 20)) GTEST_SKIP() << "cannot mount a tmpfs here (needs root and CAP_SYS_ADMIN)";
    std::ofstream(path("doc.rtf"), std::ios::binary) << old_;
    ASSERT_EQ(::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_EQ(saveOutcome(*doc_, path("doc.rtf")), errors::PermissionDenied);
    EXPECT_EQ(saveOutcome(*doc_, path("new.rtf")), errors::PermissionDenied);
    EXPECT_EQ(read(path("doc.rtf")), old_);
    EXPECT_EQ(entries(), std::set<std::string>{"doc.rtf"});
}

}  // namespace
}  // namespace velloran
