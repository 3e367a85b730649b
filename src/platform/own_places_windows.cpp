#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <vector>

#include "platform/own_places.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

// A registry key below a root, in the 32-bit programs' view of the registry
// or in this program's own.
struct RegistryKey {
    QString path;
    bool view32 = false;
};

// Copies every value and group of one settings tree into another.
void copyTree(QSettings& from, QSettings& to) {
    for (const QString& key : from.childKeys()) {
        to.setValue(key, from.value(key));
    }
    for (const QString& group : from.childGroups()) {
        from.beginGroup(group);
        to.beginGroup(group);
        copyTree(from, to);
        to.endGroup();
        from.endGroup();
    }
}

}  // namespace

// The state is the user's own, under HKEY_CURRENT_USER: an ordinary user may
// not write HKEY_LOCAL_MACHINE, where earlier programs kept it (Windows
// redirected those writes to the user's VirtualStore, or refused them).
std::unique_ptr<QSettings> openUserSettings() {
    const QString key = kSettingsOrganisation + QLatin1Char('\\') + kSettingsApplication;
    auto settings = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + key, QSettings::NativeFormat);
    if (!settings->allKeys().isEmpty()) {
        return settings;
    }
    // No state of its own yet: the first earlier state found, once, so a
    // player finds their last game.
    const QString virtualStore =
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\");
    const std::vector<RegistryKey> earlier{
        {virtualStore + QStringLiteral("WOW6432Node\\") + key},
        {virtualStore + key},
        {QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\") + key, true},
        {QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\") + key},
    };
    for (const RegistryKey& from : earlier) {
        QSettings old(from.path,
                      from.view32 ? QSettings::Registry32Format : QSettings::NativeFormat);
        if (!old.allKeys().isEmpty()) {
            copyTree(old, *settings);
            settings->sync();
            break;
        }
    }
    return settings;
}

// The user's local application data, which stays on this computer.
std::string stateFolder() {
    return fromSystemPath(QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') +
        kSettingsApplication));
}

// Beside the program, where the first Windows versions wrote it.
std::string earlierNewsCacheFolder() {
    return fromSystemPath(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

}  // namespace wyn
