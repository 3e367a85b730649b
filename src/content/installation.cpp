#include "content/installation.h"

#include "base/file_system.h"
#include "engine/engine.h"

namespace wyn {

bool FindInDirectory(const std::string& name, const std::string& directory,
                     const PlatformProfile& profile) {
    std::string path = directory;
    const bool endsInSeparator = !path.empty() && (path.back() == profile.separator() ||
                                                   (profile.hasDrives() && path.back() == ':'));
    if (!endsInSeparator) {
        path += profile.separator();
    }
    return fileExists(path + name);
}

const char* installationName(Installation installation) {
    switch (installation) {
        case Installation::Full:
            return "Full";
        case Installation::GameOnly:
            return "GameOnly";
        case Installation::None:
            break;
    }
    return "None";
}

Installation CheckInstallation(const std::string& directory, const PlatformProfile& profile) {
    return CheckInstallation(directory, {}, profile);
}

Installation CheckInstallation(const std::string& directory, const std::string& program,
                               const PlatformProfile& profile) {
    if (program.empty() ? !FindInDirectory(defaultGameProgram(profile), directory, profile)
                        : !fileExists(program)) {
        return Installation::None;
    }
    return directoryExists(profile.path(directory, {"vantor"})) ? Installation::Full
                                                                : Installation::GameOnly;
}

}  // namespace wyn
