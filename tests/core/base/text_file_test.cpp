#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace wyn
