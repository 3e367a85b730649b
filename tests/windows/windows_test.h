#pragma once

#include <QString>
#include <QTemporaryDir>

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

}  // namespace wyn::test
