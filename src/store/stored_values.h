#pragma once

#include <array>

namespace wyn::stored {

// The names of the single values the program keeps beside its stored controls.
// Every reader and writer takes its name from here.
inline constexpr const char* Bots = "Bots";
inline constexpr const char* BotTeams = "BotTeams";
inline constexpr const char* RedBots = "RedBots";
inline constexpr const char* BlueBots = "BlueBots";
// The own team as the main window keeps it across runs.
inline constexpr const char* YourTeamComboBox = "YourTeamComboBox";
// The own team as the bot profile editor's OK writes it. The main window reads
// YourTeamComboBox; this value is kept for other tools that read the key.
inline constexpr const char* YourTeam = "YourTeam";
inline constexpr const char* ConfigComboBox = "ConfigComboBox";
inline constexpr const char* DirectoryEdit = "DirectoryEdit";
// The executable, which the locate dialog stores with the directory when a
// launcher elsewhere starts the game there.
inline constexpr const char* FilenameEdit = "FilenameEdit";
inline constexpr const char* LastGeneralMap = "LastGeneralMap";
inline constexpr const char* LastCTFMap = "LastCTFMap";
inline constexpr const char* LastExternalMap = "LastExternalMap";
// The developer news: the caption of the last update, and the query to run.
inline constexpr const char* DevNewsUpdate = "DevNewsUpdate";
inline constexpr const char* DevNewsQuery = "DevNewsQuery";
// The servers joined, most recent first; the names not in use hold nothing.
inline constexpr std::array<const char*, 8> RecentServers{
    "RecentServer1", "RecentServer2", "RecentServer3", "RecentServer4",
    "RecentServer5", "RecentServer6", "RecentServer7", "RecentServer8"};

}  // namespace wyn::stored
