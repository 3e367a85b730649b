#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// The one crossing of a text between the core, which keeps it as bytes, and
// Qt: every text a window shows. (Paths cross through toSystemPath /
// fromSystemPath instead.)
//
// Bytes that are UTF-8 show as UTF-8. Other bytes (an old roster or chat file
// written in Latin-1 or Windows-1252) show one byte a character, so they read
// as their author meant and no byte is lost to a replacement character.
QString toQt(std::string_view text);
QStringList toQt(const std::vector<std::string>& texts);

// A text from Qt as UTF-8: what the user typed reaches the files as typed.
std::string fromQt(const QString& text);

}  // namespace wyn
