#include "platform/settings_value_store.h"

#include <QSettings>
#include <QString>
#include <QVariant>

#include "platform/system_path.h"

namespace wyn {

namespace {

const QString kRecentFilesGroup = QStringLiteral("Recent Files");

QString fromBytes(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace

SettingsValueStore::SettingsValueStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Tolvane"), QStringLiteral("WYN"))) {}

SettingsValueStore::SettingsValueStore(const std::string& iniFile)
    : m_settings(std::make_unique<QSettings>(toSystemPath(iniFile), QSettings::IniFormat)) {}

SettingsValueStore::~SettingsValueStore() = default;

std::string SettingsValueStore::readValue(const std::string& name) const {
    const QVariant value = m_settings->value(fromBytes(name));
    // A value that is no string (a list written by someone else) reads as empty.
    if (!value.isValid() || value.userType() == QMetaType::QStringList) {
        return {};
    }
    return toBytes(value.toString());
}

bool SettingsValueStore::writeValue(const std::string& name, const std::string& value) {
    if (!m_settings->isWritable()) {
        return false;
    }
    m_settings->setValue(fromBytes(name), fromBytes(value));
    return true;
}

std::vector<std::string> SettingsValueStore::readRecentFiles() const {
    std::vector<std::string> paths;
    m_settings->beginGroup(kRecentFilesGroup);
    for (const QString& key : m_settings->childKeys()) {
        const QVariant value = m_settings->value(key);
        if (value.userType() != QMetaType::QStringList) {
            paths.push_back(toBytes(value.toString()));
        }
    }
    m_settings->endGroup();
    return paths;
}

void SettingsValueStore::writeRecentFiles(const std::vector<std::string>& paths) {
    m_settings->remove(kRecentFilesGroup);
    m_settings->beginGroup(kRecentFilesGroup);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        m_settings->setValue(QStringLiteral("F%1").arg(i), fromBytes(paths[i]));
    }
    m_settings->endGroup();
}

void SettingsValueStore::sync() {
    m_settings->sync();
}

}  // namespace wyn
