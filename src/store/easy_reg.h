#pragma once

#include <span>
#include <string>

#include "content/map_catalogue.h"
#include "session/fields.h"

namespace wyn {

class MessagePrompts;
class SessionSettings;
class ValueStore;

// Check boxes and radio buttons are stored as "-1" / "0" (not "1" / "0" as in
// presets); a restore checks a box exactly when its value is "-1".
inline constexpr const char* kStoredChecked = "-1";
inline constexpr const char* kStoredClear = "0";

// The main window's controls that the store walks, in their creation order.
// The window's hidden file-listing controls have no counterpart here: the
// session lists directories itself. LagEdit is a spin edit and never stored.
std::span<const Field> storedControls();

// The explicit values the main window writes and reads beside its controls.
namespace stored {
inline constexpr const char* Bots = "Bots";
inline constexpr const char* BotTeams = "BotTeams";
inline constexpr const char* RedBots = "RedBots";
inline constexpr const char* BlueBots = "BlueBots";
inline constexpr const char* YourTeam = "YourTeamComboBox";
inline constexpr const char* Config = "ConfigComboBox";
inline constexpr const char* Directory = "DirectoryEdit";
// "LastGeneralMap", "LastCTFMap", "LastExternalMap".
const char* lastMap(MapType type);
}  // namespace stored

// The state store of a window: every stored control under its own name, plus
// single named values, in a ValueStore.
class TEasyReg {
public:
    explicit TEasyReg(ValueStore& store) : m_store(store) {}

    // Report a failed write during SaveAll ("Error writing to registry. (NAME)").
    bool ShowMessages = false;

    // Sets every stored control from its value, in creation order, through the
    // session, so each control reacts as it would to the program's change. A
    // missing value reads as empty: the box clear, the text empty. A reaction
    // that fails does not keep the later controls from being restored; the
    // first failure is thrown once all are done.
    void RestoreAll(SessionSettings& session) const;
    // Writes every stored control. Failed writes are reported through messages
    // only with ShowMessages.
    void SaveAll(const SessionSettings& session, MessagePrompts* messages = nullptr) const;

    // One value; false when the store cannot be written. Never reports.
    bool WriteValue(const std::string& name, const std::string& value) const;
    bool WriteBoolean(const std::string& name, bool value) const;
    bool WriteInteger(const std::string& name, long long value) const;
    // The empty string when the value is missing.
    std::string ReadValue(const std::string& name) const;

    ValueStore& store() const { return m_store; }

private:
    ValueStore& m_store;
};

// The main window closing: the checked bots and teams, the CTF teams, the own
// team, the last map of each list that has a selection and the extra script,
// then SaveAll.
void WriteExplicitValues(const SessionSettings& session, const TEasyReg& reg);
void SaveWindowState(const SessionSettings& session, const TEasyReg& reg);

// The main window showing: RestoreAll and everything that follows it up to and
// including the first command-line rebuild. The first failure of a reaction is
// thrown after the whole sequence has run, so a broken game directory still
// leaves the window repaired and usable.
void RestoreWindowState(SessionSettings& session, const TEasyReg& reg);

}  // namespace wyn
