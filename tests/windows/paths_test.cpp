// Paths as Windows has them: UTF-16 names reached from the core's UTF-8,
// drive letters, and names that compare without case.
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "base/file_system.h"
#include "base/text.h"
#include "base/text_file.h"
#include "platform/system_path.h"
#include "windows_test.h"

namespace wyn::test {
namespace {

TEST(WindowsPaths, AFolderNamedInUtf8IsTheOneWindowsShows) {
    const JoergsFolder folder;
    const std::string game = folder.game();
    EXPECT_TRUE(game.find("\\J\xc3\xb6rg's Spiele\\Quake II") != std::string::npos) << game;
    EXPECT_TRUE(directoryExists(game + "\\baseq2"));
    EXPECT_TRUE(QFileInfo(toSystemPath(game)).isDir());
    EXPECT_EQ(fromSystemPath(toSystemPath(game)), game);
    EXPECT_EQ(pathText(fileSystemPath(game)), game);

    // Written atomically twice (the second replaces the first), read back,
    // listed by mask ignoring case, found under another case.
    const std::string roster = game + "\\vantor\\bots.cfg";
    writeLines(roster, {"[J\xc3\xb6rg]"});
    writeLines(roster, {"[Orla]", "[J\xc3\xb6rg]"});
    EXPECT_EQ(readLines(roster), (std::vector<std::string>{"[Orla]", "[J\xc3\xb6rg]"}));
    EXPECT_TRUE(fileExists(game + "\\VANTOR\\Bots.CFG"));
    folder.write("Quake II\\baseq2\\maps\\Q2DM1.BSP", "");
    folder.write("Quake II\\baseq2\\maps\\h\xc3\xa4user.bsp", "");
    EXPECT_EQ(listFiles(game + "\\baseq2\\maps", "*.bsp"),
              (std::vector<std::string>{"h\xc3\xa4user.bsp", "Q2DM1.BSP"}));
    EXPECT_EQ(listSubdirectories(folder.path()), std::vector<std::string>{"Quake II"});
    EXPECT_TRUE(equalsIgnoringCase(realPath(game + "\\baseq2\\..\\vantor"), game + "\\vantor"));
    EXPECT_FALSE(isReadOnlyFile(roster));
}

}  // namespace
}  // namespace wyn::test
