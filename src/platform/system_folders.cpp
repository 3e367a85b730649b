#include "platform/system_folders.h"

#include <QDir>
#include <QSettings>
#include <QString>

#include "platform/system_path.h"

namespace wyn {

namespace {

[[maybe_unused]] void addFolder(std::vector<std::string>& folders, const QString& folder) {
    if (!folder.isEmpty()) {
        folders.push_back(fromSystemPath(QDir::toNativeSeparators(folder)));
    }
}

}  // namespace

std::vector<std::string> registeredSteamFolders() {
    std::vector<std::string> folders;
#ifdef Q_OS_WIN
    const QSettings steam(QStringLiteral("HKEY_CURRENT_USER\\Software\\Valve\\Steam"),
                          QSettings::NativeFormat);
    addFolder(folders, steam.value(QStringLiteral("SteamPath")).toString());
#endif
    return folders;
}

std::vector<std::string> programFilesFolders() {
    std::vector<std::string> folders;
#ifdef Q_OS_WIN
    addFolder(folders, qEnvironmentVariable("ProgramFiles"));
    addFolder(folders, qEnvironmentVariable("ProgramFiles(x86)"));
#endif
    return folders;
}

}  // namespace wyn
