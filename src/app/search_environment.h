#pragma once

#include "content/installation_search.h"

namespace wyn {

// Where this computer's installations are looked for: HOME, PATH, the
// current directory and, on Windows, the folders only it names.
SearchEnvironment systemSearchEnvironment();

// The platform's profile with this user's home and $XDG_DATA_HOME, where the
// engines keep their user folders.
PlatformProfile systemProfile();

// The process's current directory, as the file system's bytes.
std::string currentDirectory();

}  // namespace wyn
