#include "platform/settings_value_store.h"

#include <QByteArrayView>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <algorithm>

#include "platform/qt_text.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

const QString kRecentFilesGroup = QStringLiteral("Recent Files");

// Earlier builds stored each byte as one character, so a UTF-8 "Jörg" was
// kept as "JÃ¶rg". Such a value (nothing above U+00FF, and its bytes UTF-8)
// reads as those bytes, so the last game directory is not lost; anything else
// reads through the given conversion. (An ASCII value reads the same either way.)
std::string readBack(const QString& stored, std::string (*convert)(const QString&)) {
    if (auto bytes = oneByteEach(stored); bytes && QByteArrayView(*bytes).isValidUtf8()) {
        return *std::move(bytes);
    }
    return convert(stored);
}

#ifdef Q_OS_WIN
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
#endif

}  // namespace

#ifdef Q_OS_WIN
// The state is the user's own, under HKEY_CURRENT_USER: an ordinary user may not
// write HKEY_LOCAL_MACHINE, where earlier programs kept it (Windows redirected
// those writes to the user's VirtualStore, or refused them).
SettingsValueStore::SettingsValueStore()
    : SettingsValueStore(
          RegistryKey{QStringLiteral("HKEY_CURRENT_USER\\Software\\Tolvane\\WYN")},
          {
              {QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes\\VirtualStore\\MACHINE\\"
                              "SOFTWARE\\WOW6432Node\\Tolvane\\WYN")},
              {QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes\\VirtualStore\\MACHINE\\"
                              "SOFTWARE\\Tolvane\\WYN")},
              {QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tolvane\\WYN"), true},
              {QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tolvane\\WYN")},
          }) {}

SettingsValueStore::SettingsValueStore(const RegistryKey& key,
                                       const std::vector<RegistryKey>& earlier)
    : m_settings(std::make_unique<QSettings>(key.path, QSettings::NativeFormat)) {
    if (!m_settings->allKeys().isEmpty()) {
        return;
    }
    // No state of its own yet: the first earlier state found, once, so a
    // player finds their last game.
    for (const RegistryKey& from : earlier) {
        QSettings old(from.path,
                      from.view32 ? QSettings::Registry32Format : QSettings::NativeFormat);
        if (!old.allKeys().isEmpty()) {
            copyTree(old, *m_settings);
            m_settings->sync();
            return;
        }
    }
}
#else
SettingsValueStore::SettingsValueStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Tolvane"), QStringLiteral("WYN"))) {}
#endif

SettingsValueStore::SettingsValueStore(const std::string& iniFile)
    : m_settings(std::make_unique<QSettings>(toSystemPath(iniFile), QSettings::IniFormat)) {}

SettingsValueStore::~SettingsValueStore() = default;

std::string SettingsValueStore::readValue(const std::string& name) const {
    const QVariant value = m_settings->value(toQt(name));
    // A value that is no string (a list written by someone else) reads as empty.
    if (!value.isValid() || value.userType() == QMetaType::QStringList) {
        return {};
    }
    return readBack(value.toString(), fromQt);
}

bool SettingsValueStore::writeValue(const std::string& name, const std::string& value) {
    if (!m_settings->isWritable()) {
        return false;
    }
    m_settings->setValue(toQt(name), toQt(value));
    return true;
}

std::vector<std::string> SettingsValueStore::readRecentFiles() const {
    std::vector<std::string> paths;
    m_settings->beginGroup(kRecentFilesGroup);
    for (const QString& key : m_settings->childKeys()) {
        const QVariant value = m_settings->value(key);
        if (value.userType() != QMetaType::QStringList) {
            paths.push_back(readBack(value.toString(), fromSystemPath));
        }
    }
    m_settings->endGroup();
    return paths;
}

void SettingsValueStore::writeRecentFiles(const std::vector<std::string>& paths) {
    m_settings->remove(kRecentFilesGroup);
    m_settings->beginGroup(kRecentFilesGroup);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        m_settings->setValue(QStringLiteral("F%1").arg(i), toSystemPath(paths[i]));
    }
    m_settings->endGroup();
}

void SettingsValueStore::sync() {
    m_settings->sync();
}

}  // namespace wyn
