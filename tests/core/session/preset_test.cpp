#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text_file.h"
#include "base/value_store.h"
#include "session/preset_file.h"
#include "session/session_settings.h"
#include "session_fixture.h"
#include "store/recent_files.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using F = Field;
using Names = std::vector<std::string>;

class Preset : public ::testing::Test {
protected:
    test::GameDir game;
    SessionSettings s{PlatformProfile::native()};
    test::FakePrompts prompts;

    void SetUp() override {
        game.write("baseq2/pak1.pak");
        game.write("baseq2/maps/mine.bsp");
        game.write("vantor/bots.cfg",
                   "[bots]\n\"A\" \"/\" 3 3 3 5 0 0 100\n\"B\" \"/\" 3 3 3 5 0 0 100\n"
                   "[teams]\n\"T1\" \"\" \"\" [\"A\"]\n\"T2\" \"\" \"\" [\"B\"]\n");
        s.setDirectoryPrompt(&prompts);
        s.setText(F::DirectoryEdit, game.str());
        s.resetToNew();
    }

    std::string writePreset(const std::vector<std::string>& lines) {
        writeLines(game / "p.wyn", lines);
        return game / "p.wyn";
    }
};

TEST_F(Preset, SaveAndLoadRestoresEveryFieldButTheExecutable) {
    // Change every field away from its File > New value.
    for (const auto& info : allFields()) {
        if (info.field == F::DirectoryEdit || info.field == F::FilenameEdit) {
            continue;
        }
        if (info.kind == FieldKind::CheckBox) {
            s.setChecked(info.field, !s.checked(info.field));
        } else if (info.kind != FieldKind::Radio) {
            s.setText(info.field, info.field == F::LagEdit ? "250" : "7");
        }
    }
    s.chooseRadio(F::ExternalMapsRadio);
    s.chooseRadio(F::RandomRadio);
    s.selectMap(MapType::General, 3);
    s.selectMap(MapType::External, 0);
    s.setBotChecked(1, true);
    s.setBotTeamChecked(0, true);
    s.setBotTeamChecked(1, true);
    s.setText(F::YourTeamComboBox, "T2");
    // The values as they were saved.
    std::vector<bool> savedChecks;
    std::vector<std::string> savedTexts;
    for (const auto& info : allFields()) {
        savedChecks.push_back(s.checked(info.field));
        savedTexts.push_back(s.text(info.field));
    }
    SavePreset(s, game / "all.wyn");
    EXPECT_EQ(s.caption(), "Vantor Frontend - all.wyn");
    EXPECT_EQ(readLines(game / "all.wyn").size(), 63u);

    s.resetToNew();
    s.setText(F::FilenameEdit, "keepme");
    RecentFiles recent;
    LoadPreset(s, game / "all.wyn", &recent);
    EXPECT_EQ(recent.paths(), Names{game / "all.wyn"});
    EXPECT_EQ(s.currentPresetName(), game / "all.wyn");
    for (const auto& info : allFields()) {
        if (info.field == F::FilenameEdit) {
            EXPECT_EQ(s.text(info.field), "keepme");
        } else if (isBoolean(info.field)) {
            EXPECT_EQ(s.checked(info.field), savedChecks[static_cast<std::size_t>(info.field)])
                << info.name;
        } else {
            EXPECT_EQ(s.text(info.field), savedTexts[static_cast<std::size_t>(info.field)])
                << info.name;
        }
    }
    EXPECT_EQ(s.mapList(MapType::General).selected(), 3);
    EXPECT_EQ(s.mapList(MapType::External).selected(), 0);
    EXPECT_FALSE(s.mapList(MapType::CTF).hasSelection());
    EXPECT_EQ(s.bots().checkedNames(), Names{"B"});
    EXPECT_EQ(s.botTeams().checkedNames(), (Names{"T1", "T2"}));
    EXPECT_NE(s.commandLine().find(" +map mine +cmd lag 250"), std::string::npos);
}

TEST_F(Preset, NewSessionFileLayout) {
    SavePreset(s, game / "new.wyn");
    const auto zeros = [](int count) {
        std::string lines;
        for (int i = 0; i < count; ++i) {
            lines += "0\r\n";
        }
        return lines;
    };
    const std::string expected = std::string("\r\n\r\n\r\n")        // 0-2: no map selected
                                 + "0\r\n0\r\n0\r\n0\r\n\r\n0\r\n"  // 3-8: no extra script
                                 + "quake2\r\n0\r\n2\r\n" + zeros(5) + "1\r\n"  // 9-17: latency 1
                                 + zeros(28)                          // 18-45: flags and limits
                                 + "1\r\n" + zeros(3) + "1\r\n"       // 46-50: specific, skill 1
                                 + "0\r\n2\r\n" + zeros(2) + "1\r\n"  // 51-55: view command line
                                 + "\r\n\r\n\r\n"             // 56-58: no bot, team or opponent
                                 + "General\r\n" + zeros(3);  // 59-62
    EXPECT_EQ(game.read("new.wyn"), expected);
    EXPECT_EQ(game.read("new.wyn").size(), 193u);  // 63 lines of CR LF, 67 characters
}

TEST_F(Preset, ShortFilesAndBadLatency) {
    std::vector<std::string> lines(18, "");
    lines[3] = "1";
    lines[17] = "5000";
    LoadPreset(s, writePreset(lines));
    EXPECT_TRUE(s.checked(F::ExitCheckBox));
    EXPECT_EQ(s.text(F::LagEdit), "1000");
    EXPECT_EQ(s.text(F::MaxClientsComboBox), "");  // a missing line empties its text
    EXPECT_EQ(s.mapType(), MapType::External);     // an empty line 59 is "anything else"

    lines[17] = "-4";
    LoadPreset(s, writePreset(lines));
    EXPECT_EQ(s.text(F::LagEdit), "1");

    s.setChecked(F::AllowCheatsCheckBox, false);
    lines.resize(17);
    lines[16] = "1";
    try {
        LoadPreset(s, writePreset(lines));
        FAIL();
    } catch (const WynError& e) {
        EXPECT_EQ(std::string(e.what()), "'' is not a valid integer value");
    }
    EXPECT_TRUE(s.checked(F::AllowCheatsCheckBox));  // lines 0 to 16 were applied
    EXPECT_EQ(s.caption(), "Vantor Frontend - p.wyn");
}

TEST_F(Preset, NamesAndRadios) {
    std::vector<std::string> lines(63, "0");
    lines[0] = "Q2DM3";
    lines[1] = "nowhere";
    lines[17] = "1";
    lines[46] = "0";
    lines[47] = "0";
    lines[56] = "b Ghost";
    lines[59] = "ctf";
    s.setBotChecked(0, true);
    LoadPreset(s, writePreset(lines));
    EXPECT_EQ(s.mapList(MapType::General).selection(), "q2dm3");
    EXPECT_FALSE(s.mapList(MapType::CTF).hasSelection());
    EXPECT_EQ(s.bots().checkedNames(), (Names{"A", "B"}));  // earlier check marks stay
    EXPECT_EQ(s.botMode(), BotMode::None);
    EXPECT_EQ(s.mapType(), MapType::External);  // "CTF" is case-sensitive
}

TEST_F(Preset, MissingFileLeavesTheSessionAlone) {
    const auto before = s.caption();
    EXPECT_THROW(LoadPreset(s, game / "missing.wyn"), WynError);
    EXPECT_EQ(s.caption(), before);
    EXPECT_THROW(SavePreset(s, game / "nodir/x.wyn"), WynError);
    EXPECT_EQ(s.caption(), before);
    EXPECT_TRUE(s.openHistory().empty());
}

// The open dialog offers every preset read in this run, repeats included;
// saving adds nothing, nor does File > New take any away.
TEST_F(Preset, OpenHistoryKeepsEveryPresetRead) {
    const std::string a = writePreset(std::vector<std::string>(63, "1"));
    const std::string b = game / "b.wyn";
    SavePreset(s, b);
    LoadPreset(s, a);
    LoadPreset(s, b);
    s.resetToNew();
    LoadPreset(s, a);
    EXPECT_EQ(s.openHistory(), (Names{a, b, a}));
}

TEST(RecentFilesList, MostRecentFirstNoDuplicates) {
    RecentFiles recent;
    for (const char* path : {"a", "b", "c", "d", "e"}) {
        recent.AddRecent(path);
    }
    EXPECT_EQ(recent.paths(), (Names{"e", "d", "c", "b"}));
    recent.AddRecent("C");
    EXPECT_EQ(recent.paths(), (Names{"C", "e", "d", "b"}));
    MemoryValueStore store;
    recent.save(store);
    RecentFiles loaded;
    loaded.load(store);
    EXPECT_EQ(loaded.paths(), recent.paths());
}

}  // namespace
}  // namespace wyn

namespace wyn {
namespace {

TEST_F(Preset, SaveAsksOnlyWithoutACurrentPresetAndOpenRebuilds) {
    EXPECT_FALSE(SaveCurrentPreset(s, prompts));  // cancelled: nothing written
    EXPECT_EQ(s.caption(), "Vantor Frontend");
    prompts.answers = {game / "a.wyn"};
    EXPECT_TRUE(SaveCurrentPreset(s, prompts));
    EXPECT_EQ(s.currentPresetName(), game / "a.wyn");
    EXPECT_EQ(s.caption(), "Vantor Frontend - a.wyn");
    prompts.answers = {game / "elsewhere.wyn"};
    s.setChecked(F::DedicatedCheckBox, true);
    EXPECT_TRUE(SaveCurrentPreset(s, prompts));  // to a.wyn, without asking
    EXPECT_FALSE(std::filesystem::exists(game / "elsewhere.wyn"));
    EXPECT_EQ(readLines(game / "a.wyn")[10], "1");

    // A preset that stops at its latency still shows in the preview what it set.
    std::vector<std::string> lines(63, "0");
    lines[10] = "0";
    lines[17] = "fast";
    writeLines(game / "b.wyn", lines);
    RecentFiles recent;
    EXPECT_THROW(OpenPreset(s, game / "b.wyn", recent), WynError);
    EXPECT_FALSE(s.checked(F::DedicatedCheckBox));
    EXPECT_EQ(s.commandLine().find("dedicated"), std::string::npos);
    EXPECT_EQ(recent.paths(), Names{game / "b.wyn"});
}

}  // namespace
}  // namespace wyn
