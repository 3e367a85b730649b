#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "base/value_store.h"
#include "fake_starter.h"
#include "platform/qt_text.h"
#include "temp_dir.h"
#include "ui/t_wyn_form.h"
#include "ui_fakes.h"

namespace wyn::test {

// A game directory with maps of all three lists, bots, teams and scripts.
inline void fillSampleGame(const GameDir& game) {
    for (const char* file :
         {"baseq2/pak1.pak", "ctf/pak0.pak", "vantor/pak0.pak", "baseq2/maps/mymap.bsp",
          "baseq2/maps/space_ctf.bsp", "baseq2/server.cfg"}) {
        game.write(file);
    }
    game.write("vantor/bots.cfg",
               "[bots]\r\n\"Vex\" \"male/grunt\" 3 3 3 5 0 0 100\r\n"
               "\"Orla\" \"female/athena\" 3 3 3 5 0 0 100\r\n"
               "\"Brick\" \"male/grunt\" 3 3 3 5 0 0 100\r\n[teams]\r\n"
               "\"Rust\" \"R\" \"\" [\"Vex\"]\r\n\"Frost\" \"F\" \"\" [\"Orla\"]\r\n"
               "[view weapons]\r\n");
}

// The main window on a sample game, with a store, a starter and prompts that
// record; started as the program starts it.
class MainWindowTest : public ::testing::Test {
protected:
    GameDir game;
    MemoryValueStore store;
    FakeStarter starter;
    GameStarter* gameStarter = &starter;  // what the window starts games with
    FakePrompts prompts;
    FakeWindows windows;
    std::unique_ptr<TWYNForm> form;

    void SetUp() override {
        fillSampleGame(game);
        store.writeValue("DirectoryEdit", game.str());
        store.writeValue("FilenameEdit", "quake2");
        store.writeValue("ViewCommandLineCheckBox", "-1");
        store.writeValue("SpecificRadio", "-1");
    }

    TWYNForm& start(const std::vector<std::string>& arguments = {}) {
        form = std::make_unique<TWYNForm>(
            MainWindowServices{PlatformProfile::native(), store, *gameStarter, prompts, windows},
            game.str());
        form->start(arguments);
        form->activateWindow();
        QApplication::processEvents();
        return *form;
    }

    template <typename Widget = QWidget>
    Widget* find(const char* name) const {
        auto* widget = form->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Clicks a button where a user would: a check box or radio button on its
    // box (a wide one's middle is outside its caption), others in the middle.
    void click(const char* name);
    // Ctrl+key, and a menu item chosen: their commands run from the event loop.
    void shortcut(Qt::Key key) {
        QTest::keyClick(form.get(), key, Qt::ControlModifier);
        QApplication::processEvents();
    }
    static void trigger(QAction* action) {
        action->trigger();
        QApplication::processEvents();
    }
    bool checked(const char* name) const { return find<QAbstractButton>(name)->isChecked(); }
    bool enabled(const char* name) const { return find(name)->isEnabled(); }
    std::string preview() const { return fromQt(find<QLabel>("CommandLineLabel")->text()); }
    // Shows the tab that holds a control, as a user would before using it.
    void showTabOf(const char* name);
    // Clicks a row of a list view; with check, also toggles its check box
    // (Space, as the keyboard does).
    void clickRow(const char* list, int row, bool check = false);
    QStringList rows(const char* list) const;
    // What the session holds and what the window shows of it: the preset's
    // lines, the preview, and each control's check mark and enabled state.
    std::vector<std::string> snapshot() const;
    int currentRow(const char* list) const;
};

}  // namespace wyn::test
