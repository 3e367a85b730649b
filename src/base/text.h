#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// Text helpers. Texts are bytes; letter case folds ASCII letters only, so a
// Latin-1 name keeps its bytes.
char toLowerAscii(char c);
char toUpperAscii(char c);
std::string toLower(std::string_view text);
std::string toUpper(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool lessIgnoringCase(std::string_view a, std::string_view b);
bool contains(std::string_view text, std::string_view part);
bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);

// The text with the first occurrence of part removed (unchanged when absent).
std::string removeFirst(std::string_view text, std::string_view part);

// Index of the first entry equal to name ignoring case, or -1.
int indexOfIgnoringCase(const std::vector<std::string>& list, std::string_view name);

// Decimal integer as the number conversion reads it: optional blanks before an
// optional sign and at least one digit; anything else (also an empty text or a
// value outside 32 bits) throws "'TEXT' is not a valid integer value".
int parseInteger(const std::string& text);

// Same rule, without the exception.
bool tryParseInteger(std::string_view text, int& value);

// UTF-8 and UTF-16, for Windows's names. Bytes that are not UTF-8 cross one
// byte a character (as Latin-1), and a surrogate without its pair crosses as
// the three bytes UTF-8 would give it (WTF-8), so no name is refused or lost.
std::u16string utf16FromUtf8(std::string_view text);
std::string utf8FromUtf16(std::u16string_view text);

}  // namespace wyn
