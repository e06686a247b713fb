// Save with file names as long as the file system takes: the temporary file
// written beside the target must not need more room than the target's name.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support.hpp"

// The folders this test binary syncs, while a test listens: fsync is taken
// over here and passed on. Sanitizer runtimes take it over themselves.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define VELLORAN_LISTENS_TO_FSYNC 1
static std::vector<std::string>* syncedFolders = nullptr;

extern "C" int fsync(int fd) {
    static auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
    struct stat st;
    if (syncedFolders && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        std::error_code ignored;
        syncedFolders->push_back(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), ignored));
    }
    return real(fd);
}
#endif

namespace velloran {
namespace {

using test::errorOf;
using test::FixedClock;

class LongNameSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("velloran-long-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        longest_ = ::pathconf(folder_.c_str(), _PC_NAME_MAX);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    static std::string read(const std::string& file) { return test::fileContent(file); }
    // Whether the folder holds that one file and nothing else (no temporary file left).
    bool holdsOnly(const std::string& name) const {
        auto entries = std::filesystem::directory_iterator(folder_);
        return std::distance(begin(entries), end(entries)) == 1 && std::filesystem::exists(path(name));
    }
    bool empty() const { return std::filesystem::is_empty(folder_); }

    std::filesystem::path folder_;
    long longest_ = -1;
};

TEST_F(LongNameSaveTest, NamesUpToTheLongestTheFileSystemTakesSave) {
    if (longest_ < 255) GTEST_SKIP() << "the file system takes names of " << longest_ << " bytes only";
    FixedClock clock;
    cDocument doc;
    for (std::size_t length : {243u, 250u, 254u, 255u}) {
        SCOPED_TRACE(length);
        const std::string name = std::string(length - 4, 'n') + ".rtf";
        doc.Title = "new";
        EXPECT_EQ(doc.Save(path(name)), True);
        EXPECT_EQ(read(path(name)), doc.Rtf());
        doc.Title = "existing";
        EXPECT_EQ(doc.Save(path(name)), True);
        EXPECT_EQ(read(path(name)), doc.Rtf());
        EXPECT_TRUE(holdsOnly(name));
        std::filesystem::remove(path(name));
    }
}

TEST_F(LongNameSaveTest, ANameBeyondTheLimitIsABadFileNameAndLeavesNothing) {
    if (longest_ <= 0) GTEST_SKIP() << "no limit on the length of names";
    cDocument doc;
    EXPECT_EQ(errorOf([&] { doc.Save(path(std::string(static_cast<std::size_t>(longest_) + 1, 'n'))); }), 52);
    EXPECT_TRUE(empty());
}

// After the rename the folder is synced, or a power loss could lose the new name.
TEST_F(LongNameSaveTest, SyncsTheFolderAfterTheRename) {
#ifdef VELLORAN_LISTENS_TO_FSYNC
    std::vector<std::string> synced;
    syncedFolders = &synced;
    cDocument doc;
    EXPECT_EQ(doc.Save(path("synced.rtf")), True);
    syncedFolders = nullptr;
    EXPECT_EQ(synced, std::vector<std::string>{std::filesystem::canonical(folder_).string()});
#else
    GTEST_SKIP() << "the sanitizer runtime takes fsync over";
#endif
}

}  // namespace
}  // namespace velloran
