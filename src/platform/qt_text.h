#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// The one crossing of a text between the core, which keeps it as bytes, and
// Qt: every text a window shows and every value the settings store keeps.
// (Paths cross through toSystemPath / fromSystemPath instead.)
//
// Bytes that are UTF-8 show as UTF-8. Other bytes (an old roster or chat file
// written in Latin-1 or Windows-1252) show one byte a character, so they read
// as their author meant and no byte is lost to a replacement character.
QString toQt(std::string_view text);
QStringList toQt(const std::vector<std::string>& texts);

// A text from Qt as UTF-8: what the user typed reaches the files as typed.
std::string fromQt(const QString& text);

// A text that was shown from one of `shown`: the first of them that toQt shows
// as `text`, so a text the user did not change (an unchanged initial text, a
// picked item) keeps the core's bytes even where they are not UTF-8; any
// other text as UTF-8.
std::string fromQt(const QString& text, const std::vector<std::string>& shown);

// The text's characters as bytes, one each; none when a character is above
// U+00FF.
std::optional<std::string> oneByteEach(const QString& text);

}  // namespace wyn
