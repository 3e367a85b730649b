#include "platform/own_places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/system_path.h"

namespace wyn {

namespace {

QString inFolder(const std::string& folder, const QString& name) {
    return QDir::toNativeSeparators(toSystemPath(folder) + QLatin1Char('/') + name);
}

}  // namespace

std::string gameLogPath() {
    return fromSystemPath(inFolder(stateFolder(), QStringLiteral("game.log")));
}

std::string newsCacheFolder(std::string_view cacheFile) {
    const std::string folder = stateFolder();
    QDir().mkpath(toSystemPath(folder));
    const QString name = toSystemPath(cacheFile);
    const QString cache = inFolder(folder, name);
    const std::string earlierFolder = earlierNewsCacheFolder();
    const QString earlier = inFolder(earlierFolder, name);
    // Copied whole before the old one goes (QFile::copy writes a temporary
    // file and renames it): a copy that fails loses nothing. An old cache
    // that cannot be removed (a program folder not the user's) is left.
    if (!QFileInfo::exists(cache) && QFileInfo::exists(earlier) && QFile::copy(earlier, cache) &&
        QFile::remove(earlier)) {
        // And its folders, as far as they held nothing else (Tolvane/WYN; the
        // program folder on Windows never is empty).
        const QString emptied = toSystemPath(earlierFolder);
        if (QDir().rmdir(emptied)) {
            QDir().rmdir(QFileInfo(emptied).absolutePath());
        }
    }
    return folder;
}

}  // namespace wyn
