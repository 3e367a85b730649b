#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <filesystem>
#include <thread>

#include "base/text_file.h"
#include "main_window_fixture.h"
#include "platform/settings_value_store.h"

namespace wyn::test {
namespace {

// The real program, started as a desktop starts it, with a preset and "-L".
TEST(WynProgram, PresetWithCapitalLLaunchesAndClosesOnLaunch) {
    GameDir game;
    fillSampleGame(game);
    const std::string record = game / "started.txt";
    game.write("quake2", "#!/bin/sh\n{ echo \"directory: $(pwd)\"; echo \"arguments: $*\"; } > '" +
                             record + "'\n");
    std::filesystem::permissions(game / "quake2", std::filesystem::perms::owner_all);
    const std::string settings = game / "settings.ini";
    {
        SettingsValueStore store(settings);
        store.writeValue("DirectoryEdit", game.str());
        store.writeValue("FilenameEdit", "quake2");
    }
    std::vector<std::string> lines(63, "0");
    lines[0] = "q2dm4";
    lines[3] = "1";  // Close on Launch
    lines[17] = "1";
    lines[46] = "1";
    lines[56] = "Orla Vex";
    lines[59] = "General";
    const std::string preset = game / "duel.wyn";
    writeLines(preset, lines);

    QProcess wyn;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("WYN_SETTINGS", toQt(settings));
    wyn.setProcessEnvironment(environment);
    wyn.start(WYN_PATH, {toQt(preset), "-L"});
    ASSERT_TRUE(wyn.waitForFinished(30000)) << "wyn did not end after its launch";
    EXPECT_EQ(wyn.exitCode(), 0) << wyn.readAllStandardError().toStdString();

    for (int i = 0; i < 100 && !std::filesystem::exists(record); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const std::string started = game.read("started.txt");
    EXPECT_NE(started.find("directory: " + game.str() + "\n"), std::string::npos) << started;
    EXPECT_NE(started.find("arguments: +set game vantor +exec wyn.cfg"), std::string::npos);
    EXPECT_EQ(game.read("vantor/launcher.cfg"), "sv bots Vex Orla\r\n");
    EXPECT_NE(game.read("vantor/wyn.cfg").find("map q2dm4\r\n"), std::string::npos);
    // The closing stored the state, the preset among the recent files.
    EXPECT_EQ(SettingsValueStore(settings).readRecentFiles(), std::vector<std::string>{preset});
}

}  // namespace
}  // namespace wyn::test
