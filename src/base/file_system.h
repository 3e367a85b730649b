#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// The one crossing between the core's path texts and the file system: the
// file system's bytes on POSIX, UTF-8 on Windows, whose names are UTF-16.
// Every std::filesystem call and every file the core opens goes through it.
std::filesystem::path fileSystemPath(std::string_view path);
std::string pathText(const std::filesystem::path& path);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
// A file nobody may write: none of its write permission bits is set. Root can
// still write it, but a preset marked so is meant to stay as it is.
bool isReadOnlyFile(const std::string& path);

// Makes the directory and the missing directories above it; false when it
// is not a directory afterwards.
bool makeDirectories(const std::string& path);

// The path with every link followed, "." and ".." resolved: the same text for
// every name of one file. Empty when it does not exist.
std::string realPath(const std::string& path);

// Does name match a mask such as "*.bsp"? '*' stands for any run of
// characters, '?' for one; letters match ignoring case, as on Windows.
bool matchesMask(std::string_view name, std::string_view mask);

// Names (no directory) of the regular files in a directory that match the mask,
// ordered ignoring case. A missing or unreadable directory lists nothing.
std::vector<std::string> listFiles(const std::string& directory, std::string_view mask);

// Names of the subdirectories of a directory, ordered ignoring case.
std::vector<std::string> listSubdirectories(const std::string& directory);

// What several folders read one over the other hold: each name once, names
// that differ only in case as one (as the first listing spells it), ordered
// ignoring case; one listing keeps its order.
std::vector<std::string> mergedNames(std::vector<std::vector<std::string>> listings);

}  // namespace wyn
