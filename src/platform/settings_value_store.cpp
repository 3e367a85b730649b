#include "platform/settings_value_store.h"

#include <QByteArrayView>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <algorithm>

#include "platform/own_places.h"
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

}  // namespace

SettingsValueStore::SettingsValueStore() : m_settings(openUserSettings()) {}

SettingsValueStore::SettingsValueStore(const std::string& iniFile)
    : m_settings(std::make_unique<QSettings>(toSystemPath(iniFile), QSettings::IniFormat)) {}

SettingsValueStore::SettingsValueStore(std::unique_ptr<QSettings> settings)
    : m_settings(std::move(settings)) {}

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
