#include <gtest/gtest.h>

#include "persistence_fixture.h"
#include "platform/settings_value_store.h"
#include "session/session_settings.h"
#include "session/startup.h"
#include "session/window_state.h"
#include "store/easy_reg.h"
#include "store/recent_files.h"

namespace wyn {
namespace {

using F = Field;
using Names = std::vector<std::string>;

class SettingsRoundTrip : public ::testing::Test {
protected:
    test::TempDir dir;
    test::TempDir game;
    PlatformProfile profile = test::profileFor(game);
    test::FakePrompts prompts;
    test::FakeStarter starter;
    std::string ini = dir / "WYN.ini";

    void SetUp() override {
        game.write("quake2");
        test::fillGame(game);
    }

    // Creates and shows the main window on the settings file.
    std::unique_ptr<SessionSettings> start(RecentFiles& recent) {
        auto session = std::make_unique<SessionSettings>(profile);
        session->setDirectoryPrompt(&prompts);
        SettingsValueStore store(ini);
        MainWindowLife life(*session, store, recent, prompts);
        life.create(dir.str());
        life.show();
        return session;
    }

    void expectSaneStart(const SessionSettings& s) {
        EXPECT_EQ(s.gameDirectory(), game.str());
        EXPECT_EQ(s.text(F::MaxClientsComboBox), "24");
        EXPECT_EQ(s.botMode(), BotMode::Random);
        EXPECT_EQ(s.mapType(), MapType::General);
        EXPECT_EQ(s.mapList(MapType::General).selection(), "base1");
        EXPECT_EQ(s.bots().items().size(), 4u);
        EXPECT_TRUE(prompts.failures.empty());
    }
};

TEST_F(SettingsRoundTrip, EveryStoredControlComesBack) {
    RecentFiles recent;
    auto first = start(recent);
    SessionSettings& s = *first;
    for (const auto& info : allFields()) {
        if (info.kind == FieldKind::CheckBox) {
            s.setChecked(info.field, !s.checked(info.field));
        }
    }
    s.setChecked(F::TeamplayCheckBox, false);
    s.chooseRadio(F::SpecificRadio);
    s.chooseRadio(F::ExternalMapsRadio);
    // Texts an INI file has to quote or escape.
    s.setText(F::FilenameEdit, " q2 @x, y;=\"b\".exe ");
    s.setText(F::ConfigComboBox, "@Invalid()");
    s.setText(F::MaxClientsComboBox, "1,6");
    s.setText(F::YourTeamComboBox, "Blues");
    s.setText(F::TimeLimitComboBox, "caf\xe9");
    s.setText(F::FragLimitComboBox, "");
    s.setBotChecked(0, true);
    s.setBotChecked(3, true);
    s.setBotTeamChecked(1, true);
    s.setCtfTeams({"Charlie", "Ghost"}, {"Bravo"});
    s.selectMap(MapType::External, 1);
    recent.AddRecent("/presets/a, b.wyn");
    recent.AddRecent("/presets/second.wyn");
    {
        SettingsValueStore store(ini);
        MainWindowLife life(s, store, recent, prompts);
        life.close();
        life.destroy();
    }

    RecentFiles reloaded;
    const auto after = start(reloaded);
    for (const Field field : storedControls()) {
        const auto name = fieldInfo(field).name;
        if (isBoolean(field)) {
            EXPECT_EQ(after->checked(field), field == F::ExternalCheckBox || s.checked(field))
                << name;
        } else if (field == F::FragLimitComboBox) {
            EXPECT_EQ(after->text(field), "0") << name;  // stored empty: repaired
        } else {
            EXPECT_EQ(after->text(field), s.text(field)) << name;
        }
    }
    EXPECT_EQ(after->bots().checkedNames(), (Names{"Alpha", "Delta"}));
    EXPECT_EQ(after->botTeams().checkedNames(), Names{"Blues"});
    EXPECT_EQ(after->redList().items(), (Names{"Charlie", "Ghost"}));
    EXPECT_EQ(after->blueList().items(), Names{"Bravo"});
    EXPECT_EQ(after->selectedMap(), "q2ctf_loose");
    EXPECT_EQ(reloaded.paths(), recent.paths());
    EXPECT_TRUE(prompts.failures.empty());
}

TEST_F(SettingsRoundTrip, UnknownKeysAndWrongValuesStartSanely) {
    dir.write("WYN.ini",
              "[General]\n"
              "Unknown=1\n"
              "DirectoryEdit=" +
                  game.str() +
                  "\n"
                  "MaxClientsComboBox=a, b, c\n"  // a list, not a text
                  "SpecificRadio=yes\n"
                  "RandomRadio=1\n"
                  "GeneralMapsRadio=@Variant(\\0\\0\\0\\x7f\\0\\0)\n"
                  "Bots=@Invalid()\n"
                  "[Recent%20Files]\n"
                  "F0=/x.wyn\n"
                  "F1=a, b\n"
                  "F2=/X.WYN\n"
                  "[Other]\n"
                  "x=y\n");
    RecentFiles recent;
    const auto s = start(recent);
    expectSaneStart(*s);
    EXPECT_TRUE(s->bots().checkedNames().empty());
    EXPECT_EQ(recent.paths(), Names{"/x.wyn"});
}

TEST_F(SettingsRoundTrip, DamagedFileStartsAsAFirstRun) {
    const char raw[] = "[General\n\0\xff\xfe=\x01[[]]\n==\n";
    std::string bytes(raw, sizeof raw - 1);
    bytes += std::string(100000, 'z');
    bytes.push_back('\0');
    bytes += "\nDirectoryEdit";
    dir.write("WYN.ini", bytes);
    RecentFiles recent;
    const auto s = start(recent);
    expectSaneStart(*s);
}

}  // namespace
}  // namespace wyn
