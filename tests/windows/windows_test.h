#pragma once

#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <string>

namespace wyn::test {

// A folder of the test's own below %TEMP%, holding the "Jörg's Spiele\Quake II"
// of a player whose names are not ASCII; removed with everything in it.
class JoergsFolder {
public:
    JoergsFolder();
    // Its path, as the core keeps it (UTF-8, backslashes).
    std::string path() const;
    // The game directory inside, made with baseq2 and vantor.
    std::string game() const;
    // Writes a file below the folder (made as needed), relative path with '\'.
    std::string write(const std::string& relative, const std::string& bytes) const;
    // A file's bytes; empty when it cannot be read.
    std::string read(const std::string& relative) const;

private:
    QTemporaryDir m_temp;
};

// A registry key of the test's own below HKEY_CURRENT_USER\Software, removed
// with its values and subkeys.
class TestKey {
public:
    TestKey();
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;
    QString path(const QString& below = {}) const;

private:
    QString m_path;
};

// The string value of a registry key as Windows holds it; empty when the key
// or a string value of that name is missing.
QString registryString(const QString& key, const QString& name);

// The stand-in quake2.exe, built beside the tests.
QString standInGame();

// A program beside the tests: the stand-in's, or wyn.exe, wynctl.exe and
// wynrelay.exe, copied there.
QString besideTheTests(const QString& name);

// Makes the folder's game directory playable: the deathmatch maps, the
// sample's roster and the stand-in game.
void makeGameDirectory(const JoergsFolder& folder);

// A preset: map q2dm1, the bot Orla, everything else off (Close on Launch
// too, so the window watches the game).
std::string deathmatchPreset();

// Runs the event loop until done() or the limit; whether done() came true.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(20));

// The starts of the test program that are not the tests' (its main()
// dispatches there): the observer of wynctl.exe's console (console_test.cpp).
int codePageAfterWynctl(int argc, char** argv);

}  // namespace wyn::test
