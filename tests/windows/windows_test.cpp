#include "windows_test.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUuid>

#include <gtest/gtest.h>
#include <windows.h>

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
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quake2.exe");
}

}  // namespace wyn::test

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
