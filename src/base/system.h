#pragma once

#include <cstdio>
#include <ctime>
#include <filesystem>

namespace wyn {

// What the core asks of the operating system beyond the standard library. The
// core declares it; each system's answer is one source file of
// src/platform/system, chosen by the build.

// Opens a new file for writing; nothing when the name exists (it is somebody
// else's) or cannot be made.
std::FILE* createNewFile(const std::filesystem::path& path);

// Gives a file about to replace `target` the target's owner and permission bits
// where the system keeps them and allows the change; a new target keeps the
// system's defaults. Failures are ignored: a user may not give a file away.
void takeOwnerAndMode(std::FILE* file, const std::filesystem::path& target);

// Puts the file's bytes on the disk; false when the system says it could not.
bool syncToDisk(std::FILE* file);

// Puts a rename in the directory of `target` on the disk, where the system
// needs that; a directory that cannot be synced is left as it is.
void syncDirectoryOf(const std::filesystem::path& target);

// The calendar time of `time` in the system's time zone.
std::tm localTime(std::time_t time);

}  // namespace wyn
