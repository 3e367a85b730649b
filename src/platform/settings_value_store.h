#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "base/value_store.h"

class QSettings;

namespace wyn {

// The program's values in QSettings: organisation "Tolvane", application
// "WYN" (an INI file in the user's configuration directory here, the registry
// key HKEY_CURRENT_USER\Software\Tolvane\WYN on Windows), or a given INI file.
// Values are stored as texts and recent files as paths, both UTF-8 in an INI
// file.
class SettingsValueStore : public ValueStore {
public:
    SettingsValueStore();
    explicit SettingsValueStore(const std::string& iniFile);
#ifdef Q_OS_WIN
    // A registry key ("HKEY_CURRENT_USER\\..."), in the 32-bit programs' view
    // of the registry or in this program's own.
    struct RegistryKey {
        QString path;
        bool view32 = false;
    };
    // The store in key; when it holds nothing, it first takes a copy of the
    // first of the earlier keys that holds something.
    SettingsValueStore(const RegistryKey& key, const std::vector<RegistryKey>& earlier);
#endif
    ~SettingsValueStore() override;

    std::string readValue(const std::string& name) const override;
    bool writeValue(const std::string& name, const std::string& value) override;
    std::vector<std::string> readRecentFiles() const override;
    void writeRecentFiles(const std::vector<std::string>& paths) override;

    // Writes pending changes to disk now.
    void sync();

private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace wyn
