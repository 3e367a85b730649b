#pragma once

#include <string>
#include <vector>

namespace wyn {

class SessionSettings;
class RecentFiles;

inline constexpr int kPresetLineCount = 63;

// The 63 lines of a preset for the current session.
std::vector<std::string> presetLines(const SessionSettings& session);

// Opens a preset: reads it (throws "Cannot open file PATH" with the session
// unchanged), adds it to the recent files, names it in the caption, then
// applies its lines in order with every reaction they cause. A line 17 that is
// no number stops the load there with the integer error.
void LoadPreset(SessionSettings& session, const std::string& path, RecentFiles* recent = nullptr);

// Writes the session as a preset (throws "Cannot create file PATH") and names
// it in the caption. The recent files are not touched.
void SavePreset(SessionSettings& session, const std::string& path);

}  // namespace wyn
