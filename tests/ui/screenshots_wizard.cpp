#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>

#include "fake_starter.h"
#include "finger_server.h"
#include "news/dev_news.h"
#include "platform/qt_text.h"
#include "screenshots.h"
#include "ui/t_dev_form.h"
#include "ui/t_wizard_form.h"
#include "ui_fakes.h"

namespace wyn::test {

namespace {

// A command runs from the event loop.
void press(QWidget& window, const char* button) {
    window.findChild<QAbstractButton*>(button)->click();
    QCoreApplication::processEvents();
}

// Marks a row of a check list as the user's click on its box does.
void mark(QWidget& window, const char* list, int row) {
    QAbstractItemModel* model = window.findChild<QListView*>(list)->model();
    model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
}

void shootWizard(const ScreenshotContext& context) {
    FakeStarter starter;
    FakeWindows windows;
    const QString& out = context.directory;
    {
        TWizardForm wizard(context.session, starter, context.prompts, windows, [] {});
        saveScreenshot(wizard, out, "wizard-1-intro");
        press(wizard, "NextButton");
        press(wizard, "CTFRadio");
        saveScreenshot(wizard, out, "wizard-2-game-type");
        press(wizard, "NextButton");
        saveScreenshot(wizard, out, "wizard-3-maps-ctf");
        press(wizard, "NextButton");
        mark(wizard, "BotsListBox", 0);
        saveScreenshot(wizard, out, "wizard-4-bots");
        press(wizard, "NextButton");
        saveScreenshot(wizard, out, "wizard-6-launch");
    }
    TWizardForm teams(context.session, starter, context.prompts, windows, [] {});
    press(teams, "NextButton");
    press(teams, "DMTeamsRadio");
    press(teams, "NextButton");
    saveScreenshot(teams, out, "wizard-3-maps");
    press(teams, "NextButton");
    mark(teams, "BotTeamsListBox", 1);
    saveScreenshot(teams, out, "wizard-5-teams");
    press(teams, "NextButton");
    saveScreenshot(teams, out, "wizard-6-launch-teams");
}

// The news from a finger server on loopback, before, during and after an update.
void shootNews(const ScreenshotContext& context) {
    const QTemporaryDir cache;
    context.store.writeValue("DevNewsQuery", "dev@127.0.0.1");
    FingerServer server(FingerServer::replyingAfter(
        std::chrono::milliseconds(500),
        fingerReply({"Login: dev", "Directory: /home/dev", "Shell: /bin/sh", "Never logged in.",
                     "No mail.", "Plan:", "WYN 3.6 is out.",
                     "  * The wizard asks for game type, map and opponents, then launches.",
                     "  * The developer news are fetched without freezing the window.", "",
                     "Thanks to everyone who sent a bots.cfg to test with!"})));
    DevNews news(context.store, PlatformProfile::native(), fromQt(cache.path()),
                 systemDateTimeFormat());
    news.finger().setPort(server.port());
    TDevForm form(news, context.prompts);
    saveScreenshot(form, context.directory, "news-before");
    QTimer::singleShot(150, &form,
                       [&] { saveScreenshot(form, context.directory, "news-querying"); });
    press(form, "UpdateButton");
    while (news.querying()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QCoreApplication::processEvents();
    saveScreenshot(form, context.directory, "news-after");
}

}  // namespace

void shootWizardAndNews(const ScreenshotContext& context) {
    shootWizard(context);
    shootNews(context);
}

}  // namespace wyn::test
