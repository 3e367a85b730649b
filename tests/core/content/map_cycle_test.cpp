#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/errors.h"
#include "base/text_file.h"
#include "content/map_cycle.h"
#include "persistence_fixture.h"

namespace wyn {
namespace {

using Names = std::vector<std::string>;

class MapCycle : public ::testing::Test {
protected:
    test::GameDir game;
    const PlatformProfile& profile = PlatformProfile::native();
    test::FakePrompts prompts;
    MapCycleEditor editor{game.str(), profile, prompts};

    void SetUp() override { game.write("baseq2/pak1.pak"); }
    void openWith(std::string_view bytes) {
        game.write("vantor/maps.txt", bytes);
        editor.open();
    }
    const Names& current() const { return editor.current().items(); }
    const Names& available() const { return editor.available().items(); }
};

TEST_F(MapCycle, OnlyAFirstEmptyLineIsDropped) {
    openWith("\r\n\nQ2DM1\r\nq2dm1\rhangar1\n");
    EXPECT_EQ(current(), (Names{"", "Q2DM1", "q2dm1", "hangar1"}));
    EXPECT_EQ(available(), (Names{"q2dm2", "q2dm3", "q2dm4", "q2dm5", "q2dm6", "q2dm7", "q2dm8"}));
    editor.ok();
    EXPECT_EQ(game.read("vantor/maps.txt"), "\r\nQ2DM1\r\nq2dm1\r\nhangar1\r\n");
    EXPECT_TRUE(editor.isClosed());
}

TEST_F(MapCycle, NoticesSayWhichListChanged) {
    std::vector<MapCycleChange> heard;
    auto connection = editor.onChange([&](const MapCycleChange& c) { heard.push_back(c); });
    openWith("q2dm1\r\n");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].current.items);
    EXPECT_TRUE(heard[0].available.items);
    heard.clear();
    editor.selectAvailable(0);
    editor.selectAvailable(0);  // as it is: nothing to tell
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].available.selection);
    EXPECT_FALSE(heard[0].current.any());
    heard.clear();
    editor.add();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].current.items);
    EXPECT_TRUE(heard[0].available.items);
    EXPECT_FALSE(heard[0].result);
}

TEST_F(MapCycle, AvailableUsesTheCyclesOwnPakConditions) {
    game.write("baseq2/pak0.pak");
    game.write("ctf/pak0.pak");     // no copy in vantor: still offered here
    game.write("vantor/pak5.pak");  // no lmctf pak of its own: not offered
    game.write("baseq2/maps/Q2DM8.BSP");
    game.write("baseq2/maps/zzz.bsp");
    game.write("baseq2/maps/mine.bsp");
    openWith("MINTRO\r\nHangar1\r\nzzz\r\n");
    const auto& offered = available();
    EXPECT_EQ(offered.size(), 37u + 8u + 5u + 2u);
    for (const char* name : {"mintro", "hangar1", "zzz", "lmctf01"}) {
        EXPECT_EQ(std::count(offered.begin(), offered.end(), name), 0) << name;
    }
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "q2dm8"), 2);  // pak and loose
    EXPECT_EQ(offered[45], "q2ctf1");
    EXPECT_EQ(Names(offered.end() - 2, offered.end()), (Names{"mine", "q2dm8"}));
}

TEST_F(MapCycle, AddAndRemoveFollowTheSelections) {
    openWith("a\r\nb\r\n");
    editor.add();  // nothing selected: nothing moves
    EXPECT_EQ(current().size(), 2u);

    editor.selectAvailable(0);  // q2dm1
    editor.add();               // appended
    EXPECT_EQ(current(), (Names{"a", "b", "q2dm1"}));
    editor.selectCurrent(0);
    editor.selectAvailable(0);  // q2dm2
    editor.add();               // before the first entry
    EXPECT_EQ(current(), (Names{"q2dm2", "a", "b", "q2dm1"}));
    EXPECT_EQ(available().front(), "q2dm3");

    editor.selectCurrent(2);  // b
    editor.selectAvailable(1);
    editor.remove();
    EXPECT_EQ(current(), (Names{"q2dm2", "a", "q2dm1"}));
    EXPECT_EQ(available()[1], "b");
    editor.remove();  // the selection went with the entry
    EXPECT_EQ(current().size(), 3u);
}

TEST_F(MapCycle, MissingFileOpensEmptyAndOkWritesAnEmptyCycle) {
    editor.open();
    EXPECT_EQ(prompts.errors, Names{"Cannot open file " + editor.path()});
    EXPECT_TRUE(current().empty());
    EXPECT_TRUE(available().empty());
    editor.ok();
    EXPECT_EQ(game.read("vantor/maps.txt"), "");
    EXPECT_TRUE(std::filesystem::exists(game / "vantor/maps.txt"));
}

TEST_F(MapCycle, CancelEmptiesTheListsAndKeepsTheFile) {
    openWith("q2dm1\r\n");
    editor.selectCurrent(0);
    editor.remove();
    editor.cancel();
    EXPECT_TRUE(editor.isClosed());
    EXPECT_TRUE(current().empty());
    EXPECT_TRUE(available().empty());
    EXPECT_EQ(game.read("vantor/maps.txt"), "q2dm1\r\n");
}

TEST_F(MapCycle, FailedWriteKeepsTheEditorOpen) {
    std::filesystem::remove_all(game / "vantor");
    editor.open();
    try {
        editor.ok();
        ADD_FAILURE() << "the write should fail";
    } catch (const WynError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + editor.path());
    }
    EXPECT_FALSE(editor.isClosed());
}

TEST_F(MapCycle, UnreadableCycleIsNotReplacedByOk) {
    game.write("vantor/maps.txt", "q2dm1\r\n");
    std::filesystem::resize_file(game / "vantor/maps.txt", kMaxTextFileSize + 1);
    editor.open();
    EXPECT_EQ(prompts.errors.size(), 1u);
    editor.ok();
    EXPECT_TRUE(editor.isClosed());
    EXPECT_EQ(std::filesystem::file_size(game / "vantor/maps.txt"), kMaxTextFileSize + 1);
}

}  // namespace
}  // namespace wyn
