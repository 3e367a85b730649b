#pragma once

#include <QLatin1String>

#include <memory>
#include <string>
#include <string_view>

class QSettings;

namespace wyn {

// The places WYN keeps what is its own, named here alone: every program and
// window asks these functions. Each system's are in own_places_linux.cpp and
// own_places_windows.cpp.

// The settings' organisation and application, as QSettings names them.
inline constexpr QLatin1String kSettingsOrganisation("Tolvane");
inline constexpr QLatin1String kSettingsApplication("WYN");

// The user's settings: ~/.config/Tolvane/WYN.conf on Linux; on Windows the
// registry key HKEY_CURRENT_USER\Software\Tolvane\WYN, which, while it holds
// nothing, first takes a copy of the state earlier versions kept under
// HKEY_LOCAL_MACHINE (or that Windows redirected to the user's VirtualStore).
std::unique_ptr<QSettings> openUserSettings();

// WYN's state: the logs of watched games and the developer news cache.
// $XDG_STATE_HOME/wyn on Linux (~/.local/state/wyn when that is unset or not
// absolute), %LOCALAPPDATA%\WYN on Windows; not made here.
std::string stateFolder();

// The first watched game's log, game.log in the state folder; games watched
// at the same time use game-2.log, game-3.log, ... beside it.
std::string gameLogPath();

// The folder the news cache `cacheFile` is kept in: the state folder, made
// when missing. A cache an earlier version kept elsewhere (beside the program
// on Windows, where the program folder is not the user's to write;
// ~/.local/share/Tolvane/WYN on Linux) is moved in while the state folder has
// none, so the news last fetched are not lost.
std::string newsCacheFolder(std::string_view cacheFile);

// Where earlier versions kept the news cache.
std::string earlierNewsCacheFolder();

}  // namespace wyn
