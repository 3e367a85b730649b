#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "platform/own_places.h"
#include "platform/system_path.h"

namespace wyn {

std::unique_ptr<QSettings> openUserSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       kSettingsOrganisation, kSettingsApplication);
}

// Named as a program's folders are named on Linux: by the program, in small letters.
std::string stateFolder() {
    QString state = toSystemPath(environmentValue("XDG_STATE_HOME"));
    // A relative folder counts as unset, as the XDG folders are read everywhere.
    if (state.isEmpty() || QDir::isRelativePath(state)) {
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return fromSystemPath(state + QStringLiteral("/wyn"));
}

// The user's data folder, named as the settings are, whatever names the
// running program gives itself.
std::string earlierNewsCacheFolder() {
    return fromSystemPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          QLatin1Char('/') + kSettingsOrganisation + QLatin1Char('/') +
                          kSettingsApplication);
}

}  // namespace wyn
