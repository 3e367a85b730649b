#include <windows.h>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

#include "platform/system_folders.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

std::string nativeFolder(const QString& folder) {
    return fromSystemPath(QDir::toNativeSeparators(folder));
}

void addFolder(std::vector<std::string>& folders, const QString& folder) {
    if (!folder.isEmpty()) {
        folders.push_back(nativeFolder(folder));
    }
}

}  // namespace

std::string homeFolder() {
    return nativeFolder(QDir::homePath());
}

std::string documentsFolder() {
    return nativeFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

std::vector<std::string> registeredSteamFolders() {
    std::vector<std::string> folders;
    const QSettings steam(QStringLiteral("HKEY_CURRENT_USER\\Software\\Valve\\Steam"),
                          QSettings::NativeFormat);
    addFolder(folders, steam.value(QStringLiteral("SteamPath")).toString());
    return folders;
}

std::vector<std::string> programFilesFolders() {
    std::vector<std::string> folders;
    // Quake II is a 32-bit game: its usual home comes first.
    addFolder(folders, qEnvironmentVariable("ProgramFiles(x86)"));
    addFolder(folders, qEnvironmentVariable("ProgramFiles"));
    return folders;
}

std::vector<std::string> fixedDrives() {
    std::vector<std::string> drives;
    const DWORD mask = ::GetLogicalDrives();
    for (int drive = 0; drive < 26; ++drive) {
        if ((mask & (1u << drive)) == 0) {
            continue;
        }
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + drive), L':', L'\\', L'\0'};
        // A network or removable drive may keep the search waiting.
        if (::GetDriveTypeW(root) == DRIVE_FIXED) {
            drives.push_back(fromSystemPath(QString::fromWCharArray(root)));
        }
    }
    return drives;
}

std::vector<std::string> registeredGogFolders() {
    std::vector<std::string> folders;
    QSettings games(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\GOG.com\\Games"),
                    QSettings::NativeFormat);
    for (const QString& game : games.childGroups()) {
        games.beginGroup(game);
        if (games.value(QStringLiteral("gameName"))
                .toString()
                .compare(QStringLiteral("Quake II"), Qt::CaseInsensitive) == 0) {
            addFolder(folders, games.value(QStringLiteral("path")).toString());
        }
        games.endGroup();
    }
    return folders;
}

}  // namespace wyn
