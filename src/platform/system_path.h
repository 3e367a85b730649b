#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace wyn {

// The one crossing of a path between the core, which keeps it as the file
// system's bytes (UTF-8 on Windows), and Qt or the system, which take it as
// text in the locale's encoding (UTF-8 on Linux) or as UTF-16 (Windows). A
// path shown or chosen in a window, given to a process, read from the
// environment or a file dialog goes through these two, so "/home/jörg"
// reaches the game as the bytes the file system has.
QString toSystemPath(std::string_view path);
std::string fromSystemPath(const QString& path);

// A variable of this process's environment, as the core keeps paths: the
// bytes on Linux; on Windows its UTF-16 text as UTF-8 (never the ANSI code
// page's bytes, which cannot hold most names). Empty when unset.
std::string environmentValue(const char* name);

}  // namespace wyn
