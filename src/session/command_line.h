#pragma once

#include <string>
#include <vector>

namespace wyn {

class SessionSettings;

// The one-line preview of the whole session in the game's start syntax.
std::string buildCommandLine(const SessionSettings& session);

// The editor's "&Launch!": the first line of the edited text, with the
// executable path (and the character after it) removed, cut at every "+";
// the pieces after the first become the script lines, unchanged.
std::vector<std::string> commandLineToScript(const std::string& editedText,
                                             const std::string& executablePath);

}  // namespace wyn
