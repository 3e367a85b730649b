#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Names = std::vector<std::string>;

TEST(MatchesMask, IgnoresCaseLikeWindows) {
    EXPECT_TRUE(matchesMask("q2dm1.bsp", "*.bsp"));
    EXPECT_TRUE(matchesMask("Q2DM1.BSP", "*.bsp"));
    EXPECT_TRUE(matchesMask(".bsp", "*.bsp"));
    EXPECT_TRUE(matchesMask("a.bsp.bsp", "*.bsp"));
    EXPECT_FALSE(matchesMask("a.bsp.txt", "*.bsp"));
    EXPECT_FALSE(matchesMask("a.bs", "*.bsp"));
    EXPECT_TRUE(matchesMask("ab", "a?"));
    EXPECT_FALSE(matchesMask("abc", "a?"));
    EXPECT_TRUE(matchesMask("anything", "*"));
}

TEST(ListFiles, ListsMatchingFilesOrderedIgnoringCase) {
    test::TempDir dir;
    dir.write("b.cfg");
    dir.write("A.CFG");
    dir.write("c.txt");
    dir.write("C.cfg");
    dir.write("_x.cfg");  // '_' stands between the capitals and the small letters
    dir.mkdir("d.cfg");   // a directory is not a file
    EXPECT_EQ(listFiles(dir.str(), "*.cfg"), (Names{"_x.cfg", "A.CFG", "b.cfg", "C.cfg"}));
    EXPECT_EQ(listFiles(dir / "missing", "*.cfg"), Names{});
    EXPECT_EQ(listSubdirectories(dir.str()), Names{"d.cfg"});
}

// Read-only is the permission bits, so a test run by root sees it too.
TEST(IsReadOnlyFile, MeansNoWritePermissionBitAtAll) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    dir.write("a.wyn");
    dir.mkdir("d.wyn");
    EXPECT_FALSE(isReadOnlyFile(dir / "a.wyn"));
    fs::permissions(dir / "a.wyn", fs::perms::owner_read | fs::perms::group_write);
    EXPECT_FALSE(isReadOnlyFile(dir / "a.wyn"));  // the group may write
    fs::permissions(dir / "a.wyn", fs::perms::owner_read | fs::perms::others_read);
    EXPECT_TRUE(isReadOnlyFile(dir / "a.wyn"));
    EXPECT_FALSE(isReadOnlyFile(dir / "missing.wyn"));
    EXPECT_FALSE(isReadOnlyFile(dir / "d.wyn"));
}

}  // namespace
}  // namespace wyn
