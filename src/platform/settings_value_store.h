#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/value_store.h"

class QSettings;

namespace wyn {

// The program's values in QSettings: the user's settings (openUserSettings(),
// own_places.h), a given INI file, or given settings. Values are stored as
// texts and recent files as paths, both UTF-8 in an INI file.
class SettingsValueStore : public ValueStore {
public:
    SettingsValueStore();
    explicit SettingsValueStore(const std::string& iniFile);
    explicit SettingsValueStore(std::unique_ptr<QSettings> settings);
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
