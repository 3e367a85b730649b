#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// The scripts hand each value to the game's console, which ends a command at
// ';' or a line break, takes '"' as the start or end of a quoted word, and
// has no business with other control characters. A value holding one of
// them would read as more than that one value: a preset whose Max Clients is
// "8;set rcon_password pwned" would set the server's remote password. Such a
// value never goes into a script; the launch stops with the message instead.

// Where a value goes: a script line, or the command line that the editor's
// conversion splits into script lines at every '+'.
enum class ConsoleContext { Script, CommandLine };

// The first character of the value the console would read as more than the
// value, or nothing when it reads as just the value.
std::optional<char> consoleBreakingCharacter(std::string_view value,
                                             ConsoleContext context = ConsoleContext::Script);

// The message that stops the launch for a value from source (a control's
// caption, or "bot", "team", "map", "script"), or nothing when the value is a
// plain setting.
std::optional<std::string> unsafeValueMessage(std::string_view source, std::string_view value,
                                              ConsoleContext context = ConsoleContext::Script);

// Whether a map or script name goes into a console line in double quotes: it
// holds a blank ("my ctf"), which would end it.
bool needsConsoleQuotes(std::string_view name);
// The name as one word of a console line.
std::string consoleWord(std::string_view name);

// The same for each name of a list, the first unsafe one reported.
std::optional<std::string> unsafeNameMessage(std::string_view source,
                                             const std::vector<std::string>& names);

}  // namespace wyn
