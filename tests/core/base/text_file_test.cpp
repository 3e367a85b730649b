#include <gtest/gtest.h>

#include <filesystem>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#endif

#include "base/errors.h"
#include "base/text_file.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("a"), Lines{"a"});
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(splitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(JoinLines, EndsEveryLineWithCrLf) {
    EXPECT_EQ(joinLines({}), "");
    EXPECT_EQ(joinLines({""}), "\r\n");
    EXPECT_EQ(joinLines({"a", "b"}), "a\r\nb\r\n");
}

TEST(TextFile, RoundTripKeepsBytes) {
    test::TempDir dir;
    const Lines lines{"first", "", "\xE9t\xE9", "last"};
    writeLines(dir / "f.txt", lines);
    EXPECT_EQ(dir.read("f.txt"), "first\r\n\r\n\xE9t\xE9\r\nlast\r\n");
    EXPECT_EQ(readLines(dir / "f.txt"), lines);
}

TEST(TextFile, MissingFileCannotBeOpened) {
    test::TempDir dir;
    const auto path = dir / "missing.txt";
    try {
        readLines(path);
        FAIL();
    } catch (const WynError& e) {
        EXPECT_EQ(e.what(), "Cannot open file " + path);
    }
    EXPECT_THROW(readLines(dir.str()), WynError);  // a directory is no file
}

TEST(TextFile, FailedWriteReportsAndLeavesTheOldFile) {
    test::TempDir dir;
    dir.write("sub/keep.txt", "old");
    dir.mkdir("adir");
    for (const auto& path : {dir / "nodir/x.txt", dir / "adir", dir.str()}) {
        try {
            writeLines(path, {"new"});
            FAIL() << path;
        } catch (const WynError& e) {
            EXPECT_EQ(e.what(), "Cannot create file " + path);
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "adir"));
    EXPECT_EQ(dir.read("sub/keep.txt"), "old");
    // Nothing is left behind beside the targets.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(TextFile, WriteReplacesWholeFile) {
    test::TempDir dir;
    dir.write("f.txt", "a much longer old content");
    writeLines(dir / "f.txt", {"x"});
    EXPECT_EQ(dir.read("f.txt"), "x\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

#if defined(__unix__) || defined(__APPLE__)

namespace fs = std::filesystem;

std::size_t entries(const fs::path& directory) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory), {}));
}

fs::perms permissionsOf(const std::string& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

void expectCannotCreate(const std::string& path) {
    try {
        writeLines(path, {"new"});
        FAIL() << path;
    } catch (const WynError& e) {
        EXPECT_EQ(e.what(), "Cannot create file " + path);
    }
}

// A roster shared by several installations is linked into each of them.
TEST(TextFileLinks, WriteThroughTheChainAndKeepTheLinks) {
    test::TempDir dir;
    dir.write("shared/bots.cfg", "old");
    dir.mkdir("q2a/vantor");
    dir.mkdir("q2b/vantor");
    fs::create_symlink("../../shared/bots.cfg", dir / "q2a/vantor/bots.cfg");
    // A chain of two: q2b -> q2a's link -> the file.
    fs::create_symlink(dir / "q2a/vantor/bots.cfg", dir / "q2b/vantor/bots.cfg");

    writeLines(dir / "q2a/vantor/bots.cfg", {"one"});
    EXPECT_EQ(dir.read("shared/bots.cfg"), "one\r\n");
    writeLines(dir / "q2b/vantor/bots.cfg", {"two"});
    EXPECT_EQ(dir.read("shared/bots.cfg"), "two\r\n");

    EXPECT_EQ(fs::read_symlink(dir / "q2a/vantor/bots.cfg"), "../../shared/bots.cfg");
    EXPECT_EQ(fs::read_symlink(dir / "q2b/vantor/bots.cfg"), dir / "q2a/vantor/bots.cfg");
    // The temporary file went beside the target and is gone.
    EXPECT_EQ(entries(dir / "shared"), 1u);
    EXPECT_EQ(entries(dir / "q2a/vantor"), 1u);
    EXPECT_EQ(entries(dir / "q2b/vantor"), 1u);
}

TEST(TextFileLinks, DanglingLinkCreatesTheFileItNames) {
    test::TempDir dir;
    fs::create_symlink("made.cfg", dir / "link.cfg");
    writeLines(dir / "link.cfg", {"x"});
    EXPECT_TRUE(fs::is_symlink(dir / "link.cfg"));
    EXPECT_EQ(dir.read("made.cfg"), "x\r\n");

    // Its directory is not made up, though.
    fs::create_symlink("nodir/made.cfg", dir / "nowhere.cfg");
    expectCannotCreate(dir / "nowhere.cfg");
    EXPECT_TRUE(fs::is_symlink(dir / "nowhere.cfg"));
    EXPECT_EQ(entries(dir.path()), 3u);
}

TEST(TextFileLinks, LoopFailsAndCreatesNothing) {
    test::TempDir dir;
    fs::create_symlink("b.cfg", dir / "a.cfg");
    fs::create_symlink("a.cfg", dir / "b.cfg");
    fs::create_symlink("self.cfg", dir / "self.cfg");
    for (const auto& path : {dir / "a.cfg", dir / "self.cfg"}) {
        expectCannotCreate(path);
    }
    EXPECT_EQ(fs::read_symlink(dir / "a.cfg"), "b.cfg");
    EXPECT_EQ(fs::read_symlink(dir / "b.cfg"), "a.cfg");
    EXPECT_EQ(entries(dir.path()), 3u);
}

TEST(TextFilePermissions, ExistingFileKeepsItsMode) {
    test::TempDir dir;
    for (const auto mode : {fs::perms(0640), fs::perms(0600), fs::perms(0604), fs::perms(0755)}) {
        const auto path = dir.write("f.cfg", "old");
        fs::permissions(path, mode);
        writeLines(path, {"new"});
        EXPECT_EQ(permissionsOf(path), mode) << std::oct << static_cast<int>(mode);
        EXPECT_EQ(dir.read("f.cfg"), "new\r\n");
        fs::remove(path);
    }
    // Through a link the target's mode counts, and the link's own is left alone.
    const auto target = dir.write("shared.cfg", "old");
    fs::permissions(target, fs::perms(0640));
    fs::create_symlink("shared.cfg", dir / "link.cfg");
    writeLines(dir / "link.cfg", {"new"});
    EXPECT_EQ(permissionsOf(target), fs::perms(0640));
}

TEST(TextFilePermissions, NewFileGetsTheUmasksMode) {
    test::TempDir dir;
    const mode_t saved = ::umask(022);
    writeLines(dir / "a.cfg", {"x"});
    ::umask(077);
    writeLines(dir / "b.cfg", {"x"});
    ::umask(saved);
    EXPECT_EQ(permissionsOf(dir / "a.cfg"), fs::perms(0644));
    EXPECT_EQ(permissionsOf(dir / "b.cfg"), fs::perms(0600));
}

// The failures below are ones the system's own rules make, so they hold for
// root too, who writes through any permission bits.

// A file size limit binds every user: the new text cannot all be written, as
// on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        // Going over the limit raises SIGXFSZ, which would end the test.
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

TEST(TextFileFailures, WriteThatCannotFinishKeepsTheOldFile) {
    test::TempDir dir;
    const auto path = dir.write("vantor/bots.cfg", "old");
    fs::create_symlink("vantor/bots.cfg", dir / "link.cfg");
    {
        const FileSizeLimit limit(1024);
        for (const auto& target : {path, dir / "link.cfg"}) {
            try {
                writeLines(target, {std::string(4096, 'n')});
                FAIL() << target;
            } catch (const WynError& e) {
                EXPECT_EQ(e.what(), "Cannot create file " + target);
            }
        }
    }
    EXPECT_EQ(dir.read("vantor/bots.cfg"), "old");
    EXPECT_EQ(entries(dir / "vantor"), 1u);  // no temporary file left behind
    EXPECT_TRUE(fs::is_symlink(dir / "link.cfg"));
}

TEST(TextFileFailures, PathsNoFileCanTakeFailAndChangeNothing) {
    test::TempDir dir;
    dir.write("plain", "keep");
    fs::create_symlink("plain/f.cfg", dir / "link.cfg");
    const std::string tooLong(NAME_MAX + 1, 'n');
    for (const auto& path :
         {dir / "plain/f.cfg", dir / "link.cfg", dir / tooLong, dir / "plain/sub/f.cfg"}) {
        expectCannotCreate(path);
    }
    EXPECT_EQ(dir.read("plain"), "keep");  // a file where a directory should be
    EXPECT_EQ(fs::read_symlink(dir / "link.cfg"), "plain/f.cfg");
    EXPECT_EQ(entries(dir.path()), 2u);
}

// A file without any write permission bit stays as it is, even for root and
// in a directory anyone may write.
TEST(TextFileFailures, AReadOnlyFileIsNotReplaced) {
    test::TempDir dir;
    const auto path = dir.write("locked.wyn", "keep");
    fs::permissions(path, fs::perms(0444));
    fs::create_symlink("locked.wyn", dir / "link.wyn");
    expectCannotCreate(path);
    expectCannotCreate(dir / "link.wyn");
    EXPECT_EQ(dir.read("locked.wyn"), "keep");
    EXPECT_EQ(entries(dir.path()), 2u);
}

#endif

}  // namespace
}  // namespace wyn
