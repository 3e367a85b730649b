#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "fake_prompts.h"

namespace wyn {
class SessionSettings;
class ValueStore;
}  // namespace wyn

namespace wyn::test {

// What every screenshot function gets: the sample game, the main window's
// session and store, and where the pictures go.
struct ScreenshotContext {
    std::string game;
    SessionSettings& session;
    ValueStore& store;
    FakePrompts& prompts;
    QString directory;
};

// Shows the widget offscreen and saves it as DIRECTORY/NAME.png.
void saveScreenshot(QWidget& widget, const QString& directory, const QString& name);

// The editors' windows, and the wizard's and news windows.
void shootEditors(const ScreenshotContext& context);
void shootWizardAndNews(const ScreenshotContext& context);
// Join Game and Server Status, asking servers of its own on loopback.
void shootServers(const ScreenshotContext& context);

}  // namespace wyn::test
