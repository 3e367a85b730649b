#include <gtest/gtest.h>

#include <string>

#include "base/text_file.h"
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
    s.setText(F::TimeLimitComboBox, "caf\xc3\xa9");
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

// A value is UTF-8 in the file: as the store writes it, and as a person or a
// script writes it. One an earlier build stored one byte a character reads
// as the bytes it was stored from; a path the same.
TEST_F(SettingsRoundTrip, ValuesAreUtf8InTheFile) {
    struct Case {
        const char* what;
        const char* stored;  // by the store; none: by an earlier build
        std::string file;
        std::string read;
    };
    const Case cases[] = {
        {"ASCII", "Quake II", "Quake II", "Quake II"},
        {"UTF-8", "J\xc3\xb6rg's Spiele", "J\xc3\xb6rg's Spiele", "J\xc3\xb6rg's Spiele"},
        {"Latin-1, not UTF-8", "J\xf6rg", "J\xc3\xb6rg", "J\xc3\xb6rg"},
        {"one accented letter", "caf\xc3\xa9", "caf\xc3\xa9", "caf\xc3\xa9"},
        {"an earlier build's", nullptr, "J\xc3\x83\xc2\xb6rg", "J\xc3\xb6rg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Files of its own: QSettings keeps what it read of a file.
        const std::string written = dir / (std::string(c.what) + ".ini");
        if (c.stored != nullptr) {
            SettingsValueStore(written).writeValue("DirectoryEdit", c.stored);
            EXPECT_EQ(readFileBytes(written), "[General]\nDirectoryEdit=" + c.file + "\n");
        }
        const auto byHand =
            dir.write(std::string(c.what) + "2.ini", "[General]\nDirectoryEdit=" + c.file + "\n");
        EXPECT_EQ(SettingsValueStore(byHand).readValue("DirectoryEdit"), c.read);
    }
    dir.write("WYN.ini", "[Recent%20Files]\nF0=/j\xc3\x83\xc2\xb6rg.wyn\nF1=/caf\xc3\xa9.wyn\n");
    EXPECT_EQ(SettingsValueStore(ini).readRecentFiles(),
              (Names{"/j\xc3\xb6rg.wyn", "/caf\xc3\xa9.wyn"}));
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
