#include "windows_test.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUuid>

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <iostream>
#include <map>

#include "platform/system_path.h"

namespace wyn::test {

JoergsFolder::JoergsFolder() : m_temp(QDir::tempPath() + QStringLiteral("/wyn-XXXXXX")) {
    QDir().mkpath(toSystemPath(game() + "\\baseq2"));
    QDir().mkpath(toSystemPath(game() + "\\vantor"));
}

std::string JoergsFolder::path() const {
    return fromSystemPath(QDir::toNativeSeparators(m_temp.path()) +
                          QStringLiteral("\\J\u00f6rg's Spiele"));
}

std::string JoergsFolder::game() const {
    return path() + "\\Quake II";
}

std::string JoergsFolder::write(const std::string& relative, const std::string& bytes) const {
    const std::string file = path() + "\\" + relative;
    QDir().mkpath(QFileInfo(toSystemPath(file)).absolutePath());
    QFile out(toSystemPath(file));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << file;
    out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file;
}

std::string JoergsFolder::read(const std::string& relative) const {
    QFile in(toSystemPath(path() + "\\" + relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : std::string();
}

TestKey::TestKey()
    : m_path(QStringLiteral("HKEY_CURRENT_USER\\Software\\WynTest\\") +
             QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

TestKey::~TestKey() {
    QSettings(m_path, QSettings::NativeFormat).clear();
    const std::wstring key =
        m_path.mid(QStringLiteral("HKEY_CURRENT_USER\\").size()).toStdWString();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

QString TestKey::path(const QString& below) const {
    return below.isEmpty() ? m_path : m_path + QStringLiteral("\\") + below;
}

QString registryString(const QString& key, const QString& name) {
    const qsizetype split = key.indexOf(QLatin1Char('\\'));
    const HKEY root = key.left(split) == QStringLiteral("HKEY_LOCAL_MACHINE") ? HKEY_LOCAL_MACHINE
                                                                              : HKEY_CURRENT_USER;
    const std::wstring subkey = key.mid(split + 1).toStdWString();
    const std::wstring value = name.toStdWString();
    wchar_t buffer[1024];
    DWORD size = sizeof buffer;
    if (::RegGetValueW(root, subkey.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, buffer,
                       &size) != ERROR_SUCCESS) {
        return {};
    }
    return QString::fromWCharArray(buffer);
}

QString standInGame() {
    return besideTheTests(QStringLiteral("quake2.exe"));
}

QString besideTheTests(const QString& name) {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                                    name);
}

void makeGameDirectory(const JoergsFolder& folder) {
    folder.write("Quake II\\baseq2\\pak1.pak", "");
    folder.write("Quake II\\vantor\\bots.cfg",
                 "[bots]\r\n\"Orla\" \"female/athena\" 3 5 3 9 1 0 100\r\n");
    EXPECT_TRUE(QFile::copy(standInGame(), toSystemPath(folder.game() + "\\quake2.exe")));
}

std::string deathmatchPreset() {
    const std::map<int, std::string_view> set{
        {0, "q2dm1"}, {17, "1"}, {46, "1"}, {56, "Orla"}, {59, "General"}};
    std::string text;
    for (int line = 0; line < 63; ++line) {
        text.append(set.contains(line) ? set.at(line) : "0").append("\r\n");
    }
    return text;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > limit.count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

namespace {

// The tests write the registry's real keys (WYN's own, Steam's, GOG's) and
// WYN's own folder: they run only under Wine, in the prefix their set-up made
// (WINEPREFIX as the build names it, with the set-up's marker in it), never
// on a player's Windows or in a player's Wine prefix.
bool inTheTestsOwnPrefix() {
    const bool wine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine && qEnvironmentVariable("WINEPREFIX") == QStringLiteral(WYN_TEST_WINE_PREFIX) &&
           QFileInfo::exists(QStringLiteral("C:/wyn-test-prefix"));
}

}  // namespace

}  // namespace wyn::test

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--code-page-after") == 0) {
        return wyn::test::codePageAfterWynctl(argc, argv);
    }
    if (!wyn::test::inTheTestsOwnPrefix()) {
        std::cerr << "These tests change the registry and WYN's own folder: they run only under "
                     "Wine with WINEPREFIX=" WYN_TEST_WINE_PREFIX
                     ", the prefix their set-up makes (ctest -L windows).\n";
        return 2;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
