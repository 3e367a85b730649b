#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <future>
#include <thread>

#include "base/value_store.h"
#include "content/locate_dialog.h"
#include "frames.h"
#include "message_boxes.h"
#include "platform/qt_text.h"
#include "platform/system_path.h"
#include "temp_dir.h"
#include "ui/qt_prompts.h"
#include "ui/t_about_form.h"
#include "ui/t_command_form.h"
#include "ui/t_command_line_form.h"
#include "ui/t_locate_form.h"
#include "ui/thread_post.h"
#include "ui_fakes.h"

namespace wyn::test {
namespace {

using Names = std::vector<std::string>;

class LocateFormTest : public ::testing::Test {
protected:
    GameDir full;             // the game and the add-on
    GameDir gameOnly{false};  // the game without the add-on
    TempDir nothing;          // no game at all
    MemoryValueStore store;
    FakePrompts prompts;

    QString label(TLocateForm& form) { return form.findChild<QLabel*>("InfoLabel")->text(); }
    // The user selects a directory in the tree.
    void select(TLocateForm& form, const std::string& directory) {
        auto* tree = form.findChild<QTreeView*>("DirectoryListBox");
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        tree->setCurrentIndex(model->index(toQt(directory)));
        QApplication::processEvents();  // the dialog's reaction runs from the event loop
    }
    static void click(TLocateForm& form, const char* button) {
        QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);
        QApplication::processEvents();
    }
};

TEST_F(LocateFormTest, FullInstallationIsAcceptedAndStored) {
    LocateDialog dialog(nothing.str(), PlatformProfile::native(), store, prompts);
    TLocateForm form(dialog, prompts);
    form.show();
    test::expectFixedCentredDialog(form, false);
    EXPECT_EQ(label(form), "");
    select(form, full.str());
    EXPECT_EQ(label(form), "Found Quake II and the Vantor bot");
    click(form, "OKButton");
    EXPECT_EQ(prompts.infos, Names{"Please restart WYN."});
    EXPECT_EQ(store.readValue("DirectoryEdit"), full.str());
    EXPECT_EQ(dialog.result(), DialogResult::Ok);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(LocateFormTest, GameWithoutTheAddOnClosesAsCancelled) {
    LocateDialog dialog(nothing.str(), PlatformProfile::native(), store, prompts);
    TLocateForm form(dialog, prompts);
    form.show();
    select(form, gameOnly.str());
    EXPECT_EQ(prompts.errors, Names{noAddOnMessage()});
    EXPECT_EQ(label(form), "Found Quake II");
    EXPECT_EQ(dialog.result(), DialogResult::Cancel);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(store.readValue("DirectoryEdit"), "");
}

TEST_F(LocateFormTest, OkWithoutAGameKeepsTheDialogOpen) {
    LocateDialog dialog(nothing.str(), PlatformProfile::native(), store, prompts);
    TLocateForm form(dialog, prompts);
    form.show();
    click(form, "OKButton");
    EXPECT_EQ(prompts.errors, Names{selectLocationMessage(PlatformProfile::native())});
    EXPECT_TRUE(form.isVisible());
    click(form, "CancelButton");
    EXPECT_EQ(dialog.result(), DialogResult::Cancel);
    EXPECT_FALSE(form.isVisible());
}

// The installations found stand beside the tree; choosing one selects it
// there, and the dialog checks it as any selected directory. One found
// through a launcher is stored with it.
TEST_F(LocateFormTest, AnInstallationFoundIsChosenFromTheList) {
    LocateDialog dialog(nothing.str(), PlatformProfile::native(), store, prompts);
    TLocateForm form(dialog, prompts);
    const auto launcher = nothing.write("exports/bin/org.yamagi.YamagiQ2");
    form.showInstallations({{full.str(), Installation::Full, "Yamagi Quake II (Flatpak)", launcher},
                            {gameOnly.str(), Installation::GameOnly}});
    form.show();
    auto* found = form.findChild<QListWidget*>("InstallationsListBox");
    ASSERT_TRUE(found->isVisible());
    ASSERT_EQ(found->count(), 2);
    // Each names its engine, as a screen reader reads it too.
    EXPECT_EQ(found->item(0)->text(), toSystemPath(full.str()) + " (Yamagi Quake II (Flatpak))");
    EXPECT_EQ(found->item(1)->text(), toSystemPath(gameOnly.str()) + " (engine unknown)");
    EXPECT_EQ(found->accessibleName(), "Installations found");
    found->setCurrentRow(0);
    QApplication::processEvents();
    EXPECT_EQ(label(form), "Found Quake II and the Vantor bot");
    auto* tree = form.findChild<QTreeView*>("DirectoryListBox");
    const auto* model = static_cast<QFileSystemModel*>(tree->model());
    EXPECT_EQ(fromQt(QDir::toNativeSeparators(model->filePath(tree->currentIndex()))), full.str());
    click(form, "OKButton");
    EXPECT_EQ(store.readValue("DirectoryEdit"), full.str());
    EXPECT_EQ(store.readValue("FilenameEdit"), launcher);

    LocateDialog none(nothing.str(), PlatformProfile::native(), store, prompts);
    TLocateForm without(none, prompts);
    without.show();
    EXPECT_FALSE(without.findChild<QListWidget*>("InstallationsListBox")->isVisible());
}

// The search for installations may wait on a dead network folder: the dialog
// opens at once with a usable tree, and the list shows when the search ends.
TEST_F(LocateFormTest, OpensAtOnceWhileTheSearchRunsAndListsWhatItFinds) {
    std::promise<void> release;
    QtPrompts qt;
    qt.setInstallationSearch([&, released = release.get_future().share()] {
        return [released, found = full.str()] {
            released.wait();
            return std::vector<FoundInstallation>{{found, Installation::Full}};
        };
    });
    LocateDialog dialog(nothing.str(), PlatformProfile::native(), store, prompts);
    bool listHidden = false;
    QString treeLabel;
    int listed = 0;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TLocateForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        auto* panel = form->findChild<QWidget*>("InstallationsPanel");
        listHidden = !panel->isVisible();
        select(*form, full.str());
        treeLabel = label(*form);
        release.set_value();
        QElapsedTimer waited;
        waited.start();
        while (!panel->isVisible() && waited.elapsed() < 10000) {
            QTest::qWait(5);
        }
        listed = form->findChild<QListWidget*>("InstallationsListBox")->count();
        click(*form, "CancelButton");
    });
    qt.showLocateDialog(dialog);
    EXPECT_TRUE(listHidden);
    EXPECT_EQ(treeLabel, "Found Quake II and the Vantor bot");
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(dialog.result(), DialogResult::Cancel);
}

// A worker's call reaches its window through the window's event loop, and
// none reaches a window that is gone, whether posted before or after it went.
TEST(ThreadPost, DropsWhatArrivesForAWindowThatIsGone) {
    QStringList ran;
    ThreadPost::Post early;
    ThreadPost::Post late;
    {
        QObject window;
        const ThreadPost post(&window);
        early = post.post();
        late = post.post();
        std::thread([&] { early([&] { ran.push_back("while open"); }); }).join();
        QApplication::processEvents();
        std::thread([&] { early([&] { ran.push_back("queued when it went"); }); }).join();
    }
    std::thread([&] { late([&] { ran.push_back("after it went"); }); }).join();
    QApplication::processEvents();
    EXPECT_EQ(ran, QStringList{"while open"});
}

// A game that ended is told in a box that does not wait: "Quake II", a
// warning, the report with the output selectable.
TEST(QtPrompts, AGameEndIsToldWithoutWaiting) {
    QtPrompts prompts;
    prompts.showGameEnd({"Quake II ended at once with exit code 3.",
                         {"Error: no game library"},
                         "The engine was Yamagi Quake II (Flatpak).",
                         "The add-on has no game library.",
                         "The game's output is in /home/j\xc3\xb6rg/.local/state/wyn/game.log."});
    QMessageBox* box = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<QMessageBox*>(window); shown && shown->isVisible()) {
            box = shown;
        }
    }
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Quake II");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_TRUE(box->text().startsWith("Quake II ended"));
    EXPECT_TRUE(box->text().contains("Error: no game library"));
    EXPECT_TRUE(
        box->text().endsWith(QStringLiteral(" /home/j\u00f6rg/.local/state/wyn/game.log.")));
    EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByMouse);
    box->button(QMessageBox::Ok)->click();
}

TEST(CommandForm, EnterLaunchesWithoutBreakingTheLine) {
    TCommandForm form("quake2 +set game vantor");
    form.show();
    auto* memo = form.findChild<QPlainTextEdit*>("CommandLineMemo");
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, " +map q2dm1");
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.editedText(), "quake2 +set game vantor +map q2dm1");
    EXPECT_EQ(memo->palette().color(QPalette::Base), Qt::black);
}

// Centred on the screen, not over the window that opened it.
TEST(CommandForm, IsAFixedDialogInTheMiddleOfTheScreen) {
    QWidget window;
    window.setGeometry(0, 0, 200, 100);
    window.show();
    TCommandForm form("x", &window);
    form.show();
    test::expectFixedCentredDialog(form, false);
    EXPECT_TRUE(form.findChild<QPushButton*>("LaunchButton")->isDefault());
}

TEST(CommandForm, CancelEndsTheLaunch) {
    TCommandForm form("x");
    form.show();
    QTest::mouseClick(form.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(CommandLineForm, IsTheSizeableToolWindowOfThePreview) {
    TCommandLineForm form;
    EXPECT_EQ(form.windowTitle(), "Command Line");
    EXPECT_EQ(form.pos(), QPoint(425, 234));
    EXPECT_EQ(form.size(), QSize(540, 144));
    EXPECT_TRUE(form.windowFlags() & Qt::Tool);
    form.setCommandLine("quake2 +set game vantor");
    EXPECT_EQ(form.findChild<QLabel*>("CommandLineLabel")->text(), "quake2 +set game vantor");
}

TEST(QtPrompts, MessageBoxesHaveTheirTitleIconAndOneButton) {
    QtPrompts prompts;
    struct Case {
        std::function<void()> show;
        QString title;
        QMessageBox::Icon icon;
        QString text;
        bool afterTheCall = false;  // opens once the call that showed it has returned
    };
    const Case cases[] = {
        // Read as written, on screen and by a screen reader.
        {[&] {
             prompts.showError("Q2PRO needs the game library game.so in /home/j\xc3\xb6rg/q2.");
         },
         "Error", QMessageBox::Critical,
         QStringLiteral("Q2PRO needs the game library game.so in /home/j\u00f6rg/q2.")},
        {[&] { prompts.showInformation("Please restart WYN."); }, "Information",
         QMessageBox::Information, "Please restart WYN."},
        // The general error display: the program's title, the text and a full stop.
        {[&] { prompts.showFailure("Cannot open file /x.wyn."); }, "Vantor Frontend",
         QMessageBox::Critical, "Cannot open file /x.wyn.", true},
    };
    for (const auto& c : cases) {
        ShownBox shown;
        answerNextMessageBox(shown);
        c.show();
        EXPECT_EQ(shown.buttons == 0, c.afterTheCall) << c.title.toStdString();
        for (int waited = 0; shown.buttons == 0 && waited < 2000; waited += 10) {
            QTest::qWait(10);  // the general error display opens after the failed call
        }
        EXPECT_EQ(shown.title, c.title);
        EXPECT_EQ(shown.icon, c.icon);
        EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ(shown.spoken, c.text);
        EXPECT_EQ(shown.buttons, 1);
    }
}

// The preset dialogs refuse a preset nobody may write, say so and stay open
// for another choice; the open dialog's file-name field drops down the
// presets opened before. A directory of any name serves.
TEST(QtPrompts, PresetDialogsRefuseAReadOnlyPresetAndStayOpen) {
    namespace fs = std::filesystem;
    test::TempDir root;
    const std::string folder = "J\xC3\xB6rg's Spiele/Quake II/";
    const auto in = [&](const char* name) { return root / (folder + name); };
    root.write(folder + "locked.wyn");
    root.write(folder + "free.wyn");
    fs::permissions(in("locked.wyn"), fs::perms::owner_read | fs::perms::others_read);
    QtPrompts prompts;
    // Runs in the dialog once it is open: the locked file, then the free one.
    const auto choose = [&](const std::string& allowed, QStringList* offered) {
        QTimer::singleShot(0, [&, allowed, offered] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
            QAbstractButton* accept = buttons->buttons().front();  // "Open" or "Save"
            if (offered != nullptr) {
                auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
                ASSERT_EQ(edit->actions().size(), 1);
                edit->actions().front()->trigger();
                for (QAction* path : edit->findChild<QMenu*>()->actions()) {
                    offered->push_back(path->text());
                }
                edit->findChild<QMenu*>()->close();
            }
            ShownBox refused;
            answerNextMessageBox(refused);
            dialog->selectFile(QString::fromUtf8(in("locked.wyn")));
            accept->click();
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(refused.icon, QMessageBox::Warning);
            EXPECT_TRUE(refused.text.contains("read-only")) << refused.text.toStdString();
            dialog->selectFile(QString::fromUtf8(allowed));
            accept->click();
        });
    };
    QStringList offered;
    choose(in("free.wyn"), &offered);
    EXPECT_EQ(prompts.choosePresetOpenPath({in("a.wyn"), in("free.wyn")}), in("free.wyn"));
    EXPECT_EQ(offered,
              (QStringList{QString::fromUtf8(in("a.wyn")), QString::fromUtf8(in("free.wyn"))}));
    choose(in("new.wyn"), nullptr);
    EXPECT_EQ(prompts.choosePresetSavePath(""), in("new.wyn"));
}

TEST(AboutForm, ShowsTheProductAndCloses) {
    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), "About Vantor Frontend");
    EXPECT_EQ(form.findChild<QLabel*>("ProductLabel")->text(), "Vantor Frontend v3.5");
    EXPECT_FALSE(form.findChild<QLabel*>("LogoImage")->pixmap().isNull());
    form.show();
    QTest::mouseClick(form.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace wyn::test
