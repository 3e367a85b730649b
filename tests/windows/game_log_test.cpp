// WYN's own folder on Windows, and the game's log there as on Linux: a log
// another WYN's game still writes is passed over, and a log rotates at 1 MiB
// through wynrelay.exe, also after wyn.exe has exited.
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>

#include "base/text_file.h"
#include "news/dev_news.h"
#include "platform/game_log.h"
#include "platform/own_places.h"
#include "platform/settings_value_store.h"
#include "platform/system_path.h"
#include "platform/watching_game_starter.h"
#include "windows_test.h"
#include "../support/numbered_lines.h"

namespace wyn::test {
namespace {

using namespace std::chrono_literals;

std::string fileBytes(const std::string& path) {
    QFile file(toSystemPath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The file open as a relay holds its log (for writing, shared for reading
// only), or as an editor reads it (sharing writes).
SystemFile openAs(const std::string& path, bool writer) {
    return SystemFile(reinterpret_cast<SystemFile::Native>(::CreateFileW(
        toSystemPath(path).toStdWString().c_str(), writer ? GENERIC_WRITE : GENERIC_READ,
        writer ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, nullptr)));
}

// Whether a program writes the file: opening it without sharing writes fails.
bool written(const std::string& path) {
    const SystemFile probe(reinterpret_cast<SystemFile::Native>(
        ::CreateFileW(toSystemPath(path).toStdWString().c_str(), GENERIC_READ, FILE_SHARE_READ,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    return !probe.valid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

TEST(OwnPlaces, TheStateIsInTheUsersLocalApplicationData) {
    const QString local = qEnvironmentVariable("LOCALAPPDATA");
    ASSERT_FALSE(local.isEmpty());
    EXPECT_EQ(QString::compare(toSystemPath(gameLogPath()),
                               local + QStringLiteral("\\WYN\\game.log"), Qt::CaseInsensitive),
              0);
}

// The first Windows versions kept the news beside the program, where a
// program folder in C:\Program Files cannot be written: they move to WYN's
// own folder, and the program folder keeps nothing of the user's.
TEST(OwnPlaces, TheNewsCacheBesideTheProgramMovesIntoTheStateFolder) {
    const std::string beside = fromSystemPath(besideTheTests(QStringLiteral("devnews.dat")));
    const std::string cache = stateFolder() + "\\devnews.dat";
    QFile::remove(toSystemPath(cache));
    writeFileAtomic(beside, "Old news\r\n");
    EXPECT_EQ(newsCacheFolder(kNewsCacheFile), stateFolder());
    EXPECT_EQ(fileBytes(cache), "Old news\r\n");
    EXPECT_FALSE(QFile::exists(toSystemPath(beside)));
    QFile::remove(toSystemPath(cache));
}

// Another program's relay writes the log, or the part it rotated while it
// begins the next: that slot is passed over and left alone. An editor
// showing the log does not hold it.
TEST(WindowsGameLog, ALogAnotherProgramWritesIsPassedOver) {
    struct Case {
        const char* file;
        bool writer;
        const char* taken;
    };
    const Case cases[] = {
        {"game.log", true, "game-2.log"},
        {"game.log.1", true, "game-2.log"},
        {"game.log", false, "game.log"},
    };
    const JoergsFolder folder;
    makeGameDirectory(folder);
    const std::string game = folder.game();
    // Every end is reported that comes within a minute.
    WatchingGameStarter starter(folder.path() + "\\logs\\game.log", 60s);
    std::optional<GameEnd> end;
    starter.setEndHandler([&end](const GameEnd& ended) { end = ended; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string held = folder.write(std::string("logs\\") + c.file, "another game's\n");
        const SystemFile holder = openAs(held, c.writer);
        ASSERT_TRUE(holder.valid());
        end.reset();
        ASSERT_TRUE(starter.start({game + "\\quake2.exe", {}, game, true}));
        ASSERT_TRUE(waitUntil([&end] { return end.has_value(); }));
        EXPECT_EQ(end->outputFile, folder.path() + "\\logs\\" + c.taken);
        EXPECT_EQ(end->output, "stand-in game: started\r\n");
        if (c.writer) {
            EXPECT_EQ(fileBytes(held), "another game's\n");
        }
    }
}

// wyn.exe, as a player starts it: the preset launched at once, the game's
// folder in the settings, and the stand-in game's behaviour in its
// environment. The log is the prefix user's own, %LOCALAPPDATA%\WYN\game.log.
class WynProgram : public ::testing::Test {
protected:
    void SetUp() override {
        makeGameDirectory(folder);
        preset = folder.write("dm.wyn", deathmatchPreset());
        SettingsValueStore settings(settingsFile);
        settings.writeValue("DirectoryEdit", folder.game());
        settings.sync();
    }

    void TearDown() override {
        release();
        for (const auto& wyn : m_wyns) {
            wyn->kill();
            wyn->waitForFinished();
        }
        // Each game and its relay end with the release: the next test finds
        // every log free.
        waitUntil([this] { return !written(log) && !written(logSlotPath(log, 2)); }, 30s);
    }

    QProcess& startWyn(const QString& name, int lines = 0) {
        auto& wyn = *m_wyns.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("WYN_SETTINGS", toSystemPath(settingsFile));
        environment.insert("WYN_STAND_IN_NAME", name);
        environment.insert("WYN_STAND_IN_WAIT", toSystemPath(releaseFile));
        environment.insert("WYN_STAND_IN_LINES", QString::number(lines));
        wyn.setProcessEnvironment(environment);
        wyn.start(besideTheTests(QStringLiteral("wyn.exe")), {toSystemPath(preset), "-L"});
        EXPECT_TRUE(wyn.waitForStarted());
        return wyn;
    }

    // Whether the log tells that the game of that name started.
    bool started(const std::string& path, const std::string& name) {
        return fileBytes(path).starts_with("stand-in game: started " + name + "\r\n");
    }

    // The stand-in games waiting for it go on.
    void release() { folder.write("release", ""); }

    JoergsFolder folder;
    const std::string settingsFile = folder.path() + "\\wyn.ini";
    const std::string releaseFile = folder.path() + "\\release";
    const std::string log = gameLogPath();
    std::string preset;

private:
    std::vector<std::unique_ptr<QProcess>> m_wyns;
};

TEST_F(WynProgram, ASecondWynTakesTheNextLogWhileTheFirstsGameWrites) {
    startWyn("first");
    ASSERT_TRUE(waitUntil([&] { return started(log, "first"); }, 60s));
    startWyn("second");
    const std::string second = logSlotPath(log, 2);
    ASSERT_TRUE(waitUntil([&] { return started(second, "second"); }, 60s));
    EXPECT_TRUE(written(log));
    release();
    ASSERT_TRUE(waitUntil([&] { return !written(log) && !written(second); }, 30s));
    EXPECT_EQ(fileBytes(log), "stand-in game: started first\r\n");
    EXPECT_EQ(fileBytes(second), "stand-in game: started second\r\n");
}

// 3.25 MB of numbered lines, written once wyn.exe is gone: the log is rotated
// at line breaks past 1 MiB, and its two files hold the last lines without a
// gap.
TEST_F(WynProgram, TheLogRotatesAfterWynHasExited) {
    constexpr int kLines = 250000;
    QProcess& wyn = startWyn("alone", kLines);
    ASSERT_TRUE(waitUntil([&] { return started(log, "alone"); }, 60s));
    wyn.kill();
    ASSERT_TRUE(wyn.waitForFinished());
    release();
    // Between its rename and the new log, a rotating relay writes no log.
    ASSERT_TRUE(waitUntil(
        [&] { return !written(log) && fileBytes(log).ends_with("line 250000\r\n"); }, 120s));

    const std::string older = fileBytes(log + ".1");
    const std::string current = fileBytes(log);
    EXPECT_LE(older.size(), (1024u + 64u) * 1024u);
    EXPECT_LE(current.size(), (1024u + 64u) * 1024u);
    expectUnbrokenRunUpTo(older + current, kLines);
}

}  // namespace
}  // namespace wyn::test
