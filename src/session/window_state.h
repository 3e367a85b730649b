#pragma once

#include <span>

#include "content/map_catalogue.h"
#include "session/fields.h"

namespace wyn {

class MessagePrompts;
class SessionSettings;
class TEasyReg;

// The main window's controls that the state store walks, in their creation
// order. The window's hidden file-listing controls have no counterpart here:
// the session lists directories itself. LagEdit is a spin edit and never stored.
std::span<const Field> storedControls();

// TEasyReg's RestoreAll and SaveAll over the session's stored controls.
void RestoreControls(SessionSettings& session, const TEasyReg& reg);
void SaveControls(const SessionSettings& session, const TEasyReg& reg,
                  MessagePrompts* messages = nullptr);

// "LastGeneralMap", "LastCTFMap", "LastExternalMap".
const char* lastMapValue(MapType type);

// The main window closing: the checked bots and teams, the CTF teams, the own
// team, the last map of each list that has a selection and the extra script,
// then every stored control.
void WriteExplicitValues(const SessionSettings& session, const TEasyReg& reg);
void SaveWindowState(const SessionSettings& session, const TEasyReg& reg);

// The main window showing: every stored control and everything that follows
// it up to and including the first command-line rebuild, as one change. The
// first failure of a reaction is thrown after the whole sequence has run, so a
// broken game directory still leaves the window repaired and usable.
void RestoreWindowState(SessionSettings& session, const TEasyReg& reg);

}  // namespace wyn
