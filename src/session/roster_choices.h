#pragma once

#include <string>

namespace wyn {

class RosterEditor;
class SessionSettings;
class ValueStore;

// The main window's bot and team choices as they are kept across a rewrite of
// bots.cfg: each value as it is stored ("Bots", "BotTeams", "YourTeam",
// "RedBots", "BlueBots").
struct RosterChoices {
    std::string bots;
    std::string botTeams;
    std::string yourTeam;
    std::string redBots;
    std::string blueBots;
};
RosterChoices captureRosterChoices(const SessionSettings& session);
void storeRosterChoices(const RosterChoices& choices, ValueStore& store);
// Checks the stored bots and teams again (ignoring case), sets the own team,
// puts the CTF teams back unchanged and refills the main window's
// AvailableListBox.
void restoreRosterChoices(SessionSettings& session, const RosterChoices& choices);

// The bot profile editor's OK: writes bots.cfg, then gives the main window the
// names of the file just written, keeping its bot and team choices. False
// (nothing written, the main window untouched) when a team has no members; a
// failed write throws before the main window is touched.
bool SaveRoster(RosterEditor& editor, SessionSettings& session, ValueStore& store);

}  // namespace wyn
