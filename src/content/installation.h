#pragma once

#include <string>

#include "base/platform_profile.h"

namespace wyn {

// Does directory + separator + name exist? No second separator is added when
// the directory already ends in one (or in ':' on Windows).
bool FindInDirectory(const std::string& name, const std::string& directory,
                     const PlatformProfile& profile);

enum class Installation { Full, GameOnly, None };
const char* installationName(Installation installation);  // "Full", "GameOnly", "None"

// Full: the game's executable and the add-on directory; GameOnly: the
// executable without the add-on; None: no executable.
Installation CheckInstallation(const std::string& directory, const PlatformProfile& profile);
// The same for a game started by a program of its own, such as a launcher
// elsewhere (a full path); empty: the executable in the directory.
Installation CheckInstallation(const std::string& directory, const std::string& program,
                               const PlatformProfile& profile);

}  // namespace wyn
