#pragma once

#include <string>
#include <vector>

namespace wyn {

class LaunchPrompts;
class SessionSettings;
class RecentFiles;

inline constexpr int kPresetLineCount = 63;

// The 63 lines of a preset for the current session.
std::vector<std::string> presetLines(const SessionSettings& session);

// Opens a preset: reads it (throws "Cannot open file PATH" with the session
// unchanged), adds it to the open dialog's history and to the recent files,
// names it in the caption, then applies its lines in order with every
// reaction they cause. A line 17 that is no number stops the load there with
// the integer error.
void LoadPreset(SessionSettings& session, const std::string& path, RecentFiles* recent = nullptr);

// Writes the session as a preset (throws "Cannot create file PATH") and names
// it in the caption. The recent files are not touched.
void SavePreset(SessionSettings& session, const std::string& path);

// File > Open, a recent entry and the program's preset argument: LoadPreset,
// then the preview is rebuilt, also when the load stopped with an error (which
// is thrown after), so the preview shows what the lines applied.
void OpenPreset(SessionSettings& session, const std::string& path, RecentFiles& recent);

// "Save As": asks for a path, starting from the current preset name; the
// chosen path becomes the current preset and the session is written there.
// False when the dialog was cancelled.
bool SavePresetAs(SessionSettings& session, LaunchPrompts& prompts);
// "Save": to the current preset without asking; as "Save As" when there is none.
bool SaveCurrentPreset(SessionSettings& session, LaunchPrompts& prompts);

}  // namespace wyn
