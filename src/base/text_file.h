#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// Files are bytes. Lines are split at CR LF, CR or LF; lines are written with
// CR LF after every line, so a file read and written back unchanged keeps its
// bytes when it was written by this program.

// Largest file any reader accepts; anything bigger is no text file of ours.
inline constexpr std::size_t kMaxTextFileSize = 64u * 1024u * 1024u;

// Whole file; throws "Cannot open file PATH" when it cannot be read or is
// larger than kMaxTextFileSize.
std::string readFileBytes(const std::string& path);

std::vector<std::string> splitLines(std::string_view bytes);
std::string joinLines(const std::vector<std::string>& lines);

std::vector<std::string> readLines(const std::string& path);

// Atomic replace: a temporary file beside the target, flushed, then renamed
// over it. A symbolic link is written through (the file at the end of its
// chain is replaced, the link stays), and the new file keeps the old one's
// permissions. On failure the old file is untouched and "Cannot create file
// PATH" is thrown with the path as given.
void writeFileAtomic(const std::string& path, std::string_view bytes);
void writeLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace wyn
