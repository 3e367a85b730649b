// The editors' windows on the offscreen platform, driven through their real
// widgets, with the questions they ask answered by the fake prompts.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>
#include <filesystem>
#include <memory>

#include "accessible.h"
#include "base/text_file.h"
#include "base/value_store.h"
#include "bots/roster_editor.h"
#include "chat/chat_editor.h"
#include "content/map_cycle.h"
#include "editor_window_fixture.h"
#include "frames.h"
#include "main_window_fixture.h"
#include "session/session_settings.h"
#include "ui/qt_prompts.h"
#include "ui/t_chat_form.h"
#include "ui/t_edit_form.h"
#include "ui/t_maps_form.h"

namespace wyn::test {
namespace {

const PlatformProfile& profile() {
    return PlatformProfile::native();
}

QStringList qtNames(const Names& names) {
    return toQt(names);
}

// --- The bot profile editor.

// Two bots (Orla's model is not installed, her weapon code has no name), two
// teams, one supporter.
constexpr const char* kTwoBots =
    "[bots]\r\n"
    "\"Vex\" \"male/grunt\" 4 2 5 7 1 0 150\r\n"
    "\"Orla\" \"ghost/x\" 3 3 3 1 0 1 100\r\n"
    "[teams]\r\n"
    "\"Rust\" \"RST\" \"male/grunt\" [\"Vex\"]\r\n"
    "\"Frost\" \"fr\" \"\" [\"Orla\" \"Vex\"]\r\n"
    "[view weapons]\r\n"
    "\"male\"\r\n";

class RosterWindowTest : public ::testing::Test {
protected:
    GameDir game;
    FakePrompts prompts;
    SessionSettings session{profile()};
    MemoryValueStore store;
    RosterEditor editor{game.str(), profile(), prompts};
    std::unique_ptr<TEditForm> form;
    DialogDriver ui;

    void SetUp() override {
        game.write("baseq2/players/male/grunt.pcx");
        game.write("baseq2/players/male/cobalt.pcx");
        game.write("baseq2/players/female/athena.pcx");
        std::filesystem::copy_file(fixturePicture("odd256.pcx"),
                                   game / "baseq2/players/male/grunt_i.pcx");
    }

    TEditForm& open(const char* roster = kTwoBots) {
        if (roster != nullptr) {
            game.write("vantor/bots.cfg", roster);
        }
        editor.open();
        form = std::make_unique<TEditForm>(editor, prompts, session, store);
        ui.setDialog(form.get());
        form->show();
        QApplication::processEvents();
        return *form;
    }
    std::string file() const { return game.read("vantor/bots.cfg"); }
    bool covered() const { return ui.find("CoverShape")->isVisible(); }
    QImage preview() const {
        return ui.find<QLabel>("BotImage")
            ->pixmap()
            .toImage()
            .convertToFormat(QImage::Format_RGB888);
    }
};

TEST_F(RosterWindowTest, OpensOnTheFirstBotWithItsValuesAndPreview) {
    TEditForm& dialog = open();
    EXPECT_EQ(dialog.windowTitle(), "Edit Bots.cfg");
    test::expectFixedCentredDialog(dialog, true);
    EXPECT_GE(dialog.width(), 447);
    EXPECT_GE(dialog.height(), 319);
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());  // fixed

    auto* tabs = ui.find<QTabWidget>("EditPageControl");
    EXPECT_EQ(tabs->currentWidget()->objectName(), "BotsTabSheet");
    EXPECT_EQ((QStringList{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
              (QStringList{"Bots", "Teams", "VWep"}));
    for (const auto& [control, caption] : rosterControlCaptions()) {
        EXPECT_EQ(ui.find<QAbstractButton>(std::string(control).c_str())->text(), toQt(caption));
    }
    for (const auto& [control, caption] : rosterControlLabels()) {
        QWidget* labelled = ui.find(std::string(control).c_str());
        const auto labels = dialog.findChildren<QLabel*>();
        const bool named = std::any_of(labels.begin(), labels.end(), [&](QLabel* label) {
            return label->buddy() == labelled && label->text() == toQt(caption);
        });
        EXPECT_TRUE(named) << control;
        EXPECT_EQ(labelled->accessibleName(), toQt(caption).chopped(1));  // without ':'
    }

    EXPECT_EQ(ui.rows("BotsListBox"), (QStringList{"Vex", "Orla"}));
    EXPECT_EQ(ui.currentRow("BotsListBox"), 0);
    EXPECT_EQ(ui.find<QGroupBox>("BotPanel")->title(), "Vex");
    EXPECT_EQ(ui.text("BotNameEdit"), "Vex");
    EXPECT_EQ(ui.items("ModelComboBox"), (QStringList{"female", "male"}));
    EXPECT_EQ(ui.text("ModelComboBox"), "male");
    EXPECT_EQ(ui.items("SkinComboBox"), (QStringList{"cobalt", "grunt"}));
    EXPECT_EQ(ui.text("SkinComboBox"), "grunt");
    EXPECT_EQ(ui.text("AccuracyComboBox"), "4");
    EXPECT_EQ(ui.text("AggressivenessComboBox"), "2");
    EXPECT_EQ(ui.text("CombatSkillsComboBox"), "5");
    EXPECT_EQ(ui.items("AccuracyComboBox"), qtNames(skillItems()));
    EXPECT_EQ(ui.text("FavWeaponComboBox"), "Rocket Launcher");
    EXPECT_EQ(ui.items("FavWeaponComboBox"), qtNames(weaponItems()));
    EXPECT_TRUE(ui.checked("QuadCheckBox"));
    EXPECT_FALSE(ui.checked("CamperCheckBox"));
    EXPECT_EQ(ui.text("AvgPingComboBox"), "150");
    EXPECT_EQ(ui.items("AvgPingComboBox"), qtNames(pingItems()));

    // The preview is the icon's picture, stretched over 53 by 53.
    auto* image = ui.find<QLabel>("BotImage");
    EXPECT_FALSE(covered());
    EXPECT_EQ(image->size(), QSize(53, 53));
    EXPECT_TRUE(image->hasScaledContents());
    QImage expected(toQt(fixturePicture("odd256.ppm")));
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(preview(), expected.convertToFormat(QImage::Format_RGB888));

    EXPECT_EQ(ui.rows("TeamsListBox"), (QStringList{"Rust", "Frost"}));
    EXPECT_EQ(ui.currentRow("TeamsListBox"), 0);
    EXPECT_EQ(ui.find<QGroupBox>("TeamPanel")->title(), "Rust");
    EXPECT_EQ(ui.text("TeamIDEdit"), "RST");
    EXPECT_EQ(ui.text("TeamModelComboBox"), "male");
    EXPECT_EQ(ui.items("TeamSkinComboBox"), (QStringList{"cobalt", "grunt"}));
    EXPECT_EQ(ui.rows("CurrentListBox"), QStringList{"Vex"});
    EXPECT_EQ(ui.rows("AvailableListBox"), (QStringList{"Vex", "Orla"}));
    EXPECT_EQ(ui.currentRow("AvailableListBox"), 0);
    EXPECT_EQ(ui.rows("CurrentVWepListBox"), QStringList{"male"});
    EXPECT_EQ(ui.rows("AvailableVWepListBox"), QStringList{"female"});
    EXPECT_TRUE(prompts.errors.empty());
}

// A check box toggled and texts set through the accessibility interface reach
// the editor as clicks and typing do, and OK writes them.
TEST_F(RosterWindowTest, AScreenReaderEditsABotAsTheKeyboardDoes) {
    open();
    const bool quad = editor.botControls().quadFreak;
    accessible::toggle(ui.find("QuadCheckBox"));
    accessible::setText(ui.find("BotNameEdit"), "Vexa b");  // the blank is dropped
    accessible::setText(ui.find<QComboBox>("AccuracyComboBox")->lineEdit(), "5");
    EXPECT_EQ(editor.botControls().quadFreak, !quad);
    EXPECT_EQ(editor.botControls().accuracy, "5");
    EXPECT_EQ(ui.text("BotNameEdit"), "Vexab");
    EXPECT_EQ(ui.rows("BotsListBox").front(), "Vexab");
    EXPECT_EQ(accessible::name(ui.find("AccuracyComboBox")), "Firing Accuracy");
    accessible::press(ui.find<QAbstractButton>("OKButton"));
    EXPECT_EQ(editor.result(), DialogResult::Ok);
    EXPECT_NE(file().find("\"Vexab\" \"male/grunt\" 5 "), std::string::npos);
}

TEST_F(RosterWindowTest, ABotWhoseModelIsNotInstalledShowsTheCover) {
    open();
    ui.clickRow("BotsListBox", 1);
    EXPECT_EQ(ui.find<QGroupBox>("BotPanel")->title(), "Orla");
    EXPECT_TRUE(covered());
    EXPECT_EQ(ui.items("SkinComboBox"), QStringList{});
    EXPECT_EQ(ui.text("SkinComboBox"), "x");
    EXPECT_EQ(ui.text("FavWeaponComboBox"), "Rocket Launcher");  // code "1" has no name
    EXPECT_TRUE(ui.checked("CamperCheckBox"));

    ui.clickRow("BotsListBox", 0);
    EXPECT_FALSE(covered());
    // Typing a model that is not installed keeps the picture; a skin without
    // an icon covers it.
    ui.type("ModelComboBox", "x");
    EXPECT_EQ(editor.roster().bots[0].model, "malex");
    EXPECT_FALSE(covered());
    ui.type("ModelComboBox", "male", true);
    // Completed to the item in its own letters, the added part selected.
    ui.type("SkinComboBox", "CoB", true);
    EXPECT_EQ(ui.text("SkinComboBox"), "cobalt");
    EXPECT_EQ(ui.find<QComboBox>("SkinComboBox")->lineEdit()->selectedText(), "alt");
    EXPECT_EQ(editor.roster().bots[0].skin, "cobalt");
    EXPECT_TRUE(covered());
}

TEST_F(RosterWindowTest, APictureThatCannotBeReadShowsTheCover) {
    std::string huge(128, '\0');
    huge[0] = 10;
    huge[3] = 8;
    huge[8] = huge[9] = huge[10] = huge[11] = '\xff';  // 65536 by 65536
    huge[65] = 1;
    const std::string cases[] = {
        std::string(),                       // empty
        std::string("\x0a\x05\x01\x08", 4),  // a header cut short
        huge,
        readFileBytes(fixturePicture("truecolor24.pcx")),  // 24 bits: not read
        std::string(100000, '\xc1'),                       // no PCX at all
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        game.write("baseq2/players/male/grunt_i.pcx", bytes);
        open();
        EXPECT_TRUE(covered());
        EXPECT_TRUE(editor.botControls().previewPath.ends_with("grunt_i.pcx"));
        form.reset();
    }
}

TEST_F(RosterWindowTest, ShowsTheSkinOfAGameDirectoryOfAnyName) {
    const std::string jorg = "J\xC3\xB6rg's Spiele/Quake II";
    game.write(jorg + "/vantor/bots.cfg", kTwoBots);
    game.write(jorg + "/baseq2/players/male/grunt.pcx");
    std::filesystem::copy_file(fixturePicture("odd256.pcx"),
                               game / (jorg + "/baseq2/players/male/grunt_i.pcx"));
    RosterEditor there(game / jorg, profile(), prompts);
    there.open();
    form = std::make_unique<TEditForm>(there, prompts, session, store);
    ui.setDialog(form.get());
    form->show();
    QApplication::processEvents();
    EXPECT_FALSE(covered());
    EXPECT_EQ(preview(),
              QImage(toQt(fixturePicture("odd256.ppm"))).convertToFormat(QImage::Format_RGB888));
    form.reset();
}

TEST_F(RosterWindowTest, NewBotAndDeleteBot) {
    open();
    prompts.answers = {"Bot 1", "Zed[teams]", "Zed"};
    ui.click("NewButton");
    ui.click("NewButton");
    EXPECT_EQ(prompts.errors,
              (Names{"Spaces are not allow in bot names.", "A bot name cannot contain \"[\"."}));
    EXPECT_EQ(ui.rows("BotsListBox"), (QStringList{"Vex", "Orla"}));
    ui.click("NewButton");
    EXPECT_EQ(prompts.questions.back(), "Add New Bot|Bot Name|");
    EXPECT_EQ(ui.rows("BotsListBox"), (QStringList{"Vex", "Orla", "Zed"}));
    EXPECT_EQ(ui.rows("AvailableListBox"), (QStringList{"Vex", "Orla", "Zed"}));
    EXPECT_EQ(ui.currentRow("BotsListBox"), 2);
    EXPECT_EQ(ui.find<QGroupBox>("BotPanel")->title(), "Zed");
    EXPECT_EQ(ui.text("ModelComboBox"), "");
    EXPECT_EQ(ui.text("AccuracyComboBox"), "3");
    EXPECT_EQ(ui.text("FavWeaponComboBox"), "Chaingun");
    EXPECT_EQ(ui.text("AvgPingComboBox"), "100");
    EXPECT_FALSE(ui.checked("QuadCheckBox"));
    EXPECT_TRUE(covered());

    // A typed blank or '[' is dropped where it is typed; the lists follow.
    ui.type("BotNameEdit", " [2");
    EXPECT_EQ(ui.text("BotNameEdit"), "Zed2");
    EXPECT_EQ(ui.rows("BotsListBox").back(), "Zed2");
    EXPECT_EQ(ui.find<QGroupBox>("BotPanel")->title(), "Zed2");
    ui.type("AccuracyComboBox", "5", true);
    ui.click("CamperCheckBox");
    EXPECT_EQ(editor.roster().bots[2],
              (BotProfile{"Zed2", "", "", "5", "3", "3", "5", "0", "1", "100"}));

    prompts.errors.clear();
    for (int i = 0; i < 3; ++i) {
        ui.click("DeleteButton");
    }
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_EQ(ui.rows("BotsListBox"), QStringList{});
    EXPECT_EQ(ui.rows("AvailableListBox"), QStringList{});
    ui.type("AccuracyComboBox", "4", true);  // nobody's: only the box shows it
    ui.click("DeleteButton");
    EXPECT_EQ(prompts.errors, Names{"There are no more bots to delete."});
    EXPECT_EQ(ui.find<QGroupBox>("BotPanel")->title(), "");
    EXPECT_EQ(ui.text("BotNameEdit"), "");
    EXPECT_EQ(ui.text("AccuracyComboBox"), "1");
    EXPECT_EQ(ui.text("FavWeaponComboBox"), "Chaingun");
    EXPECT_EQ(ui.text("AvgPingComboBox"), "100");
    EXPECT_TRUE(covered());
}

TEST_F(RosterWindowTest, TeamMembersMoveWithTheButtons) {
    open();
    ui.clickRow("AvailableListBox", 1);  // Orla
    ui.click("AddButton");
    EXPECT_EQ(ui.rows("CurrentListBox"), (QStringList{"Vex", "Orla"}));
    ui.clickRow("CurrentListBox", 0);
    ui.click("AddButton");  // before the selected member
    EXPECT_EQ(ui.rows("CurrentListBox"), (QStringList{"Orla", "Vex", "Orla"}));
    ui.clickRow("CurrentListBox", 1);
    ui.click("RemoveButton");
    EXPECT_EQ(ui.rows("CurrentListBox"), (QStringList{"Orla", "Orla"}));
    EXPECT_EQ(ui.currentRow("CurrentListBox"), -1);
    ui.click("RemoveButton");  // nothing selected: nothing goes
    EXPECT_EQ(ui.rows("CurrentListBox").size(), 2);

    prompts.answers = {"Some one", "Stranger"};
    ui.click("OtherMemberButton");
    ui.click("OtherMemberButton");
    EXPECT_EQ(prompts.questions,
              (Names{"Insert other Team Member|Bot Name|", "Insert other Team Member|Bot Name|"}));
    EXPECT_EQ(prompts.errors, Names{"Spaces are not allow in bot names."});
    EXPECT_EQ(ui.rows("CurrentListBox"), (QStringList{"Orla", "Orla", "Stranger"}));

    // The ID takes upper case and four characters as they are typed.
    ui.type("TeamIDEdit", "ab c de", true);
    EXPECT_EQ(ui.text("TeamIDEdit"), "ABCD");
    EXPECT_EQ(editor.roster().teams[0].id, "ABCD");

    ui.clickRow("TeamsListBox", 1);
    EXPECT_EQ(ui.find<QGroupBox>("TeamPanel")->title(), "Frost");
    EXPECT_EQ(ui.rows("CurrentListBox"), (QStringList{"Orla", "Vex"}));
    EXPECT_EQ(ui.text("TeamIDEdit"), "FR");                  // shown in upper case...
    EXPECT_EQ(editor.roster().teams[1].id, "fr");            // ...but not rewritten
    EXPECT_EQ(ui.items("TeamSkinComboBox"), QStringList{});  // no model

    ui.clickRow("AvailableVWepListBox", 0);
    ui.click("AddVWepButton");
    EXPECT_EQ(ui.rows("CurrentVWepListBox"), (QStringList{"male", "female"}));
    EXPECT_EQ(ui.rows("AvailableVWepListBox"), QStringList{});

    ui.click("OKButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(file(),
              "[bots]\r\n"
              "\"Vex\" \"male/grunt\" 4 2 5 7 1 0 150\r\n"
              "\"Orla\" \"ghost/x\" 3 3 3 1 0 1 100\r\n"
              "[teams]\r\n"
              "\"Rust\" \"ABCD\" \"male/grunt\" [\"Orla\" \"Orla\" \"Stranger\"]\r\n"
              "\"Frost\" \"fr\" \"\" [\"Orla\" \"Vex\"]\r\n"
              "[view weapons]\r\n"
              "\"male\"\r\n"
              "\"female\"\r\n");
}

TEST_F(RosterWindowTest, CancelWritesNothing) {
    open();
    prompts.answers = {"Zed"};
    ui.click("NewButton");
    ui.type("TeamIDEdit", "Q");
    ui.click("CancelButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(file(), kTwoBots);
    EXPECT_EQ(store.readValue("Bots"), "");

    // Esc cancels as well.
    open();
    QTest::keyClick(ui.find("BotsListBox"), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(editor.result(), DialogResult::Cancel);
}

TEST_F(RosterWindowTest, OkStaysOpenForATeamWithoutMembersOrAFailedWrite) {
    open();
    prompts.answers = {"Gamma"};
    ui.click("NewTeamButton");
    ui.click("OKButton");
    EXPECT_EQ(prompts.errors.back(), "Please add some team members to team Gamma.");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(file(), kTwoBots);

    ui.click("DeleteTeamButton");
    std::filesystem::remove(game / "vantor/bots.cfg");
    game.mkdir("vantor/bots.cfg");  // nothing can replace a directory
    ui.click("OKButton");
    EXPECT_EQ(prompts.failures, Names{"Cannot create file " + editor.path() + "."});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(editor.result(), DialogResult::Open);
}

TEST_F(RosterWindowTest, AMissingFileOpensEmptyAndAnUnreadableOneNotAtAll) {
    open(nullptr);
    EXPECT_EQ(prompts.errors, Names{"Could not find bots.cfg."});
    EXPECT_EQ(ui.rows("BotsListBox"), QStringList{});
    EXPECT_EQ(ui.items("ModelComboBox"), QStringList{});
    EXPECT_EQ(ui.text("AccuracyComboBox"), "1");
    EXPECT_EQ(ui.text("FavWeaponComboBox"), "Grenade Launcher");
    EXPECT_EQ(ui.text("AvgPingComboBox"), "100");
    EXPECT_TRUE(covered());
    form.reset();

    // Larger than any file is read (sparse, so it costs nothing).
    session.setText(Field::DirectoryEdit, game.str());
    game.write("vantor/bots.cfg", kTwoBots);
    std::filesystem::resize_file(game / "vantor/bots.cfg", kMaxTextFileSize + 1);
    NextModalDialog watch([](QDialog& dialog) { dialog.reject(); });
    runRosterEditor(nullptr, session, store, prompts);
    EXPECT_FALSE(watch.seen());
    EXPECT_EQ(prompts.failures,
              Names{"Cannot open file " + rosterFilePath(game.str(), profile()) + "."});
}

// OK on a started main window: the file is written, the main window's lists
// take the new names and keep their check marks.
class RosterOkTest : public MainWindowTest {};

TEST_F(RosterOkTest, OkWritesTheFileAndRefreshesTheMainWindow) {
    store.writeValue("Bots", "vex Brick");  // checked, in another letter case
    store.writeValue("RedBots", "Orla");
    start();
    EXPECT_EQ(rows("BotsListBox"), (QStringList{"Vex", "Orla", "Brick"}));

    RosterEditor editor(game.str(), profile(), prompts);
    editor.open();
    TEditForm dialog(editor, prompts, form->session(), store, form.get());
    dialog.show();
    DialogDriver ui(&dialog);
    prompts.answers = {"Zed"};
    ui.click("NewButton");
    ui.type("ModelComboBox", "male");
    ui.clickRow("BotsListBox", 1);
    ui.click("DeleteButton");  // Orla goes from the roster, not from the red team
    ui.click("OKButton");
    EXPECT_FALSE(dialog.isVisible());

    EXPECT_EQ(game.read("vantor/bots.cfg"),
              "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n"
              "\"Brick\" \"male/grunt\" 3 3 3 5 0 0 100\r\n"
              "\"Zed\" \"male/\" 3 3 3 5 0 0 100\r\n[teams]\r\n"
              "\"Rust\" \"R\" \"\" [\"Vex\"]\r\n\"Frost\" \"F\" \"\" [\"Orla\"]\r\n"
              "[view weapons]\r\n");
    EXPECT_EQ(rows("BotsListBox"), (QStringList{"Vex", "Brick", "Zed"}));
    const auto* bots = find<QListView>("BotsListBox")->model();
    const auto isChecked = [bots](int row) {
        return bots->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    };
    EXPECT_TRUE(isChecked(0));
    EXPECT_TRUE(isChecked(1));
    EXPECT_FALSE(isChecked(2));
    EXPECT_EQ(rows("RedListBox"), QStringList{"Orla"});
    EXPECT_EQ(store.readValue("Bots"), "Vex Brick");
    EXPECT_TRUE(prompts.errors.empty());
    EXPECT_TRUE(prompts.failures.empty());
}

// --- The chat editor.

class ChatWindowTest : public ::testing::Test {
protected:
    GameDir game;
    FakePrompts prompts;
    ChatEditor editor{game.str(), profile(), prompts};
    std::unique_ptr<TChatForm> form;
    DialogDriver ui;

    static ChatBook sample() {
        ChatBook book;
        book.topics[0].comments = {"Hello %s.", "Hi."};
        book.topics[4].comments = {"Not this time."};
        return book;
    }
    TChatForm& open(bool withFile = true) {
        if (withFile) {
            WriteChatBook(editor.path(), sample());
        }
        editor.open();
        form = std::make_unique<TChatForm>(editor, prompts);
        ui.setDialog(form.get());
        form->show();
        QApplication::processEvents();
        return *form;
    }
    QString panel() const { return ui.find<QGroupBox>("ChatPanel")->title(); }
    std::string file() const { return game.read("vantor/chat.txt"); }
};

TEST_F(ChatWindowTest, OpensOnGreetingsWithTheirComments) {
    TChatForm& dialog = open();
    EXPECT_EQ(dialog.windowTitle(), "Edit Chat.txt");
    test::expectFixedCentredDialog(dialog, false);
    EXPECT_GE(dialog.width(), 430);
    EXPECT_GE(dialog.height(), 277);
    EXPECT_EQ(ui.rows("TopicsListBox"), qtNames(ChatEditor::topicNames()));
    EXPECT_EQ(ui.currentRow("TopicsListBox"), 0);
    EXPECT_EQ(panel(), "Greetings");
    EXPECT_EQ(ui.rows("ChatListBox"), (QStringList{"Hello %s.", "Hi."}));
    EXPECT_EQ(ui.currentRow("ChatListBox"), 0);
    // Every topic shows without scrolling.
    auto* topics = ui.find<QListView>("TopicsListBox");
    EXPECT_TRUE(
        topics->viewport()->rect().contains(topics->visualRect(topics->model()->index(7, 0))));

    ui.clickRow("TopicsListBox", 4);
    EXPECT_EQ(panel(), "Come-backs");
    EXPECT_EQ(ui.rows("ChatListBox"), QStringList{"Not this time."});
}

TEST_F(ChatWindowTest, AddEditAndDelete) {
    open();
    ui.clickRow("TopicsListBox", 4);
    prompts.answers = {"Back again, %s.", std::nullopt, "x -- Come-backs"};
    ui.click("AddButton");
    EXPECT_EQ(ui.rows("ChatListBox"), (QStringList{"Not this time.", "Back again, %s."}));
    EXPECT_EQ(ui.currentRow("ChatListBox"), 1);
    ui.click("AddButton");  // cancelled
    ui.click("AddButton");  // would read back as a header
    EXPECT_EQ(prompts.questions, Names(3, "New comment"));
    EXPECT_EQ(prompts.errors,
              Names{"A comment cannot contain the topic header \"-- Come-backs\"."});
    EXPECT_EQ(ui.rows("ChatListBox").size(), 2);

    ui.clickRow("ChatListBox", 0);
    prompts.answers = {"Not now."};
    ui.click("EditButton");
    EXPECT_EQ(prompts.questions.back(), "Edit comment|Not this time.");
    EXPECT_EQ(ui.rows("ChatListBox"), (QStringList{"Not now.", "Back again, %s."}));

    ui.click("DeleteButton");
    EXPECT_EQ(ui.rows("ChatListBox"), QStringList{"Back again, %s."});
    EXPECT_EQ(ui.currentRow("ChatListBox"), 0);

    // An empty topic has nothing to edit or delete: Delete says so.
    prompts.errors.clear();
    ui.clickRow("TopicsListBox", 7);
    EXPECT_EQ(panel(), "TEAMPLAY: Let's Group!");
    EXPECT_EQ(ui.rows("ChatListBox"), QStringList{});
    ui.click("EditButton");
    ui.click("DeleteButton");
    EXPECT_EQ(prompts.questions.size(), 4u);  // Edit asked nothing
    EXPECT_EQ(prompts.errors, Names{"There are no more teamplay group comments to delete."});

    ui.click("OKButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ChatBook expected = sample();
    expected.topics[4].comments = {"Back again, %s."};
    EXPECT_EQ(ReadChatBook(editor.path()), expected);
}

TEST_F(ChatWindowTest, CancelWritesNothing) {
    open();
    const std::string before = file();
    prompts.answers = {"new"};
    ui.click("AddButton");
    ui.click("CancelButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(file(), before);
}

TEST_F(ChatWindowTest, AMissingFileIsReportedAndOkCreatesIt) {
    open(false);
    EXPECT_EQ(prompts.errors, Names{"Could not find chat.txt."});
    EXPECT_EQ(ui.currentRow("TopicsListBox"), -1);
    EXPECT_EQ(panel(), "");
    EXPECT_EQ(ui.rows("ChatListBox"), QStringList{});
    prompts.answers = {"ignored"};
    ui.click("AddButton");  // no topic yet: nothing is asked
    EXPECT_TRUE(prompts.questions.empty());
    ui.clickRow("TopicsListBox", 0);
    ui.click("AddButton");
    ui.click("OKButton");
    EXPECT_TRUE(file().starts_with("-- Greetings\r\nignored\r\n-- Insults")) << file();
}

TEST_F(ChatWindowTest, EachOpeningReadsTheFileAgain) {
    GameDir other;
    SessionSettings session(profile());
    session.setText(Field::DirectoryEdit, other.str());
    ChatBook book;
    for (const char* comment : {"first", "second"}) {
        book.topics[0].comments = {comment};
        WriteChatBook(chatFilePath(other.str(), profile()), book);
        QStringList shown;
        NextModalDialog watch([&](QDialog& dialog) {
            DialogDriver chat(&dialog);
            shown = chat.rows("ChatListBox");
            chat.click("CancelButton");
        });
        runChatEditor(nullptr, session, prompts);
        EXPECT_TRUE(watch.seen());
        EXPECT_EQ(shown, QStringList{comment});
    }
}

// The comment dialogs as the chat editor's prompts ask them.
TEST(ChatCommentDialogs, TakeTheTextAsTypedOnOkAndNothingOnCancel) {
    QtPrompts prompts;
    struct Case {
        const char* typed;
        const char* button;
        std::optional<std::string> answer;
    };
    const Case cases[] = {
        {"Hi %s", "OKButton", "Hi %s"},
        {"", "OKButton", ""},
        {"Hi", "CancelButton", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QString title, help, shown;
        NextModalDialog watchNew([&](QDialog& dialog) {
            DialogDriver small(&dialog);
            title = dialog.windowTitle();
            help = small.find<QLabel>("HelpLabel")->text();
            small.type("NewChatEdit", c.typed);
            small.click(c.button);
        });
        EXPECT_EQ(prompts.askNewComment(), c.answer);
        EXPECT_EQ(title, "Add Chat Comment");
        EXPECT_EQ(help, toQt(kChatHelpText));

        NextModalDialog watchEdit([&](QDialog& dialog) {
            DialogDriver small(&dialog);
            title = dialog.windowTitle();
            shown = small.text("EditChatEdit");
            small.type("EditChatEdit", c.typed, true);
            small.click(c.button);
        });
        EXPECT_EQ(prompts.askEditedComment("old %s"), c.answer);
        EXPECT_EQ(title, "Edit Chat Comment");
        EXPECT_EQ(shown, "old %s");
    }
}

// --- The map cycle editor.

class MapsWindowTest : public ::testing::Test {
protected:
    GameDir game;
    FakePrompts prompts;
    MapCycleEditor editor{game.str(), profile(), prompts};
    std::unique_ptr<TMapsForm> form;
    DialogDriver ui;

    void SetUp() override {
        game.write("baseq2/maps/mine.bsp");
        game.write("baseq2/maps/yours.bsp");
    }
    TMapsForm& open(const char* cycle = "q2dm1\r\nq2dm2\r\n") {
        if (cycle != nullptr) {
            game.write("vantor/maps.txt", cycle);
        }
        editor.open();
        form = std::make_unique<TMapsForm>(editor, prompts);
        ui.setDialog(form.get());
        form->show();
        QApplication::processEvents();
        return *form;
    }
};

TEST_F(MapsWindowTest, AddGoesBeforeTheSelectedMapOrToTheEnd) {
    TMapsForm& dialog = open();
    EXPECT_EQ(dialog.windowTitle(), "Edit Map Cycling");
    test::expectFixedCentredDialog(dialog, false);
    EXPECT_EQ(ui.rows("CurrentListBox"), (QStringList{"q2dm1", "q2dm2"}));
    EXPECT_EQ(ui.rows("AvailableListBox"), (QStringList{"mine", "yours"}));
    EXPECT_EQ(ui.find("CurrentListBox")->accessibleName(), "Current Maps");
    EXPECT_EQ(ui.find("AddButton")->accessibleName(), "Add to the current maps");

    // Reached with Tab, a list shows no selection until an entry is picked.
    ui.find("CurrentListBox")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(editor.current().selected(), std::nullopt);
    ui.click("AddButton");  // nothing selected in Available: nothing moves
    EXPECT_EQ(ui.rows("CurrentListBox").size(), 2);
    ui.clickRow("AvailableListBox", 1);
    ui.click("AddButton");  // nothing selected in Current: to the end
    EXPECT_EQ(ui.rows("CurrentListBox"), (QStringList{"q2dm1", "q2dm2", "yours"}));
    EXPECT_EQ(ui.rows("AvailableListBox"), QStringList{"mine"});
    ui.clickRow("AvailableListBox", 0);
    ui.clickRow("CurrentListBox", 0);
    ui.click("AddButton");  // before the selected map, which stays selected
    EXPECT_EQ(ui.rows("CurrentListBox"), (QStringList{"mine", "q2dm1", "q2dm2", "yours"}));
    EXPECT_EQ(ui.currentRow("CurrentListBox"), 1);
    ui.click("RemoveButton");
    EXPECT_EQ(ui.rows("AvailableListBox"), QStringList{"q2dm1"});

    ui.click("OKButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(game.read("vantor/maps.txt"), "mine\r\nq2dm2\r\nyours\r\n");
}

TEST_F(MapsWindowTest, OkWithAnEmptyCycleWritesAnEmptyFileAndCancelNothing) {
    open("q2dm1\r\n");
    ui.clickRow("CurrentListBox", 0);
    ui.click("RemoveButton");
    ui.click("CancelButton");
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(game.read("vantor/maps.txt"), "q2dm1\r\n");

    open();
    for (int i = 0; i < 2; ++i) {
        ui.clickRow("CurrentListBox", 0);
        ui.click("RemoveButton");
    }
    ui.click("OKButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(game.read("vantor/maps.txt"), "");
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(MapsWindowTest, AMapsTxtThatCannotBeReadOrWritten) {
    game.mkdir("vantor/maps.txt");
    open(nullptr);
    EXPECT_EQ(prompts.errors, Names{"Cannot open file " + editor.path()});
    EXPECT_EQ(ui.rows("CurrentListBox"), QStringList{});
    EXPECT_EQ(ui.rows("AvailableListBox"), QStringList{});
    ui.click("OKButton");  // nothing replaces the directory
    EXPECT_EQ(prompts.failures, Names{"Cannot create file " + editor.path() + "."});
    EXPECT_TRUE(form->isVisible());
    ui.click("CancelButton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_TRUE(std::filesystem::is_directory(editor.path()));
}

}  // namespace
}  // namespace wyn::test
