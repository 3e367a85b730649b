#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"
#include "base/prompts.h"
#include "base/value_store.h"
#include "bots/roster_file.h"
#include "session/session_settings.h"

namespace wyn {

inline constexpr std::string_view kRosterFormCaption = "Edit Bots.cfg";
inline constexpr std::string_view kRosterFileMissing = "Could not find bots.cfg.";
inline constexpr std::string_view kNewBotCaption = "Add New Bot";
inline constexpr std::string_view kNewTeamCaption = "Add New Team";
inline constexpr std::string_view kOtherMemberCaption = "Insert other Team Member";
inline constexpr std::string_view kBotNameLabel = "Bot Name";
inline constexpr std::string_view kTeamNameLabel = "Team Name";
inline constexpr std::string_view kBlankInBotName = "Spaces are not allow in bot names.";
inline constexpr std::string_view kBlankInTeamName = "Spaces are not allow in team names.";
inline constexpr std::string_view kNoBotToDelete = "There are no more bots to delete.";
inline constexpr std::string_view kNoTeamToDelete = "There are no more teams to delete.";
// TeamIDEdit takes upper case and at most this many characters.
inline constexpr std::size_t kTeamIdLength = 4;

// "Please add some team members to team NAME."
std::string teamWithoutMembersText(const std::string& team);

// The game directory's vantor/bots.cfg.
std::string rosterFilePath(std::string_view gameDirectory, const PlatformProfile& profile);

// The fixed items of the Bots tab's combo boxes.
const std::vector<std::string>& skillItems();   // "1" to "5"
const std::vector<std::string>& weaponItems();  // the weapon names, codes "2" to "9", "0"
const std::vector<std::string>& pingItems();    // "50" to "400" in steps of 50

// The fixed captions of TEditForm: tabs, buttons, check boxes, and the label
// beside each edit, combo box and list (keyed by the labelled control).
struct ControlCaption {
    std::string_view control;
    std::string_view caption;
};
const std::vector<std::string_view>& rosterTabCaptions();  // "Bots", "Teams", "VWep"
const std::vector<ControlCaption>& rosterControlCaptions();
const std::vector<ControlCaption>& rosterControlLabels();

// bots.cfg separates its fields with blanks and encloses them in double
// quotes, and a line break would end the line: a typed text loses those
// characters. A model or skin also loses '/' (the model/skin separator) and
// '\', which no directory name holds.
std::string rosterFieldText(std::string_view text);
std::string rosterLookText(std::string_view text);

// The input boxes of New Bot, New Team and Other Member, and the messages.
class RosterPrompts : public MessagePrompts, public TextPrompt {};

// What the Bots tab shows besides BotsListBox: the texts of its controls, the
// items of SkinComboBox and the preview. Before any bot is shown the skill
// boxes read "1" and the weapon box "Grenade Launcher".
struct BotControls {
    std::string panelCaption;  // BotPanel
    std::string name;          // BotNameEdit
    std::string model;         // ModelComboBox
    std::string skin;          // SkinComboBox
    std::string accuracy = "1";
    std::string aggressiveness = "1";
    std::string combatSkills = "1";
    std::string favouriteWeapon = "Grenade Launcher";  // FavWeaponComboBox text
    bool quadFreak = false;                            // QuadCheckBox
    bool camper = false;                               // CamperCheckBox
    std::string averagePing = "100";
    std::vector<std::string> skinItems;
    // BotImage holds the picture at previewPath (none while empty); CoverShape
    // lies over it while coverShown.
    std::string previewPath;
    bool coverShown = true;
};

// What the Teams tab shows besides TeamsListBox and the member lists.
struct TeamControls {
    std::string panelCaption;  // TeamPanel
    std::string name;          // TeamNameEdit
    std::string id;            // TeamIDEdit
    std::string model;         // TeamModelComboBox
    std::string skin;          // TeamSkinComboBox
    std::vector<std::string> skinItems;
};

// The main window's bot and team choices as the editor keeps them across a
// save: each value as it is stored ("Bots", "BotTeams", "YourTeam",
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

enum class RosterEditorResult { Open, Ok, Cancel };

// What TEditForm shows and does. BotsListBox and AvailableListBox list the
// roster's bot names, TeamsListBox its team names, so a rename shows at once.
// Showing a bot or a team only sets what the controls show; it never writes
// the roster, so every value the user does not touch is written back as read.
// The window forwards each user event to one call and redraws from the
// getters; texts it sets itself are not events.
class RosterEditor {
public:
    RosterEditor(std::string gameDirectory, const PlatformProfile& profile, RosterPrompts& prompts);

    // Reads bots.cfg and shows its first team and bot. A missing file is
    // reported and leaves everything empty (no model lists either); a file
    // that exists but cannot be read throws, so the dialog never opens on a
    // roster it could not read.
    void open();

    const std::string& path() const { return m_path; }
    const BotRoster& roster() const { return m_roster; }
    RosterEditorResult result() const { return m_result; }

    // --- Bots tab.
    std::vector<std::string> botNames() const;  // BotsListBox and AvailableListBox
    std::optional<std::size_t> selectedBot() const { return m_bot; }
    const BotControls& botControls() const { return m_botView; }
    const std::vector<std::string>& models() const { return m_models; }  // both model boxes

    void selectBot(std::size_t index);  // out of range changes nothing
    void botNameChanged(std::string_view text);
    void modelChanged(std::string_view text);
    void skinChanged(std::string_view text);
    void accuracyChanged(std::string_view text);
    void aggressivenessChanged(std::string_view text);
    void combatSkillsChanged(std::string_view text);
    void favouriteWeaponChanged(std::string_view text);
    void quadClicked(bool checked);
    void camperClicked(bool checked);
    void averagePingChanged(std::string_view text);
    void newBot();
    void deleteBot();

    // --- Teams tab.
    std::vector<std::string> teamNames() const;  // TeamsListBox
    std::optional<std::size_t> selectedTeam() const { return m_team; }
    const TeamControls& teamControls() const { return m_teamView; }
    std::optional<std::size_t> selectedAvailableMember() const { return m_availableMember; }
    // CurrentListBox: the selected team's member names; the empty pieces of
    // its members text (a leading or doubled blank) have no entry.
    const SelectList& currentMembers() const { return m_currentMembers; }

    void selectTeam(std::size_t index);     // out of range changes nothing
    void selectAvailableMember(int index);  // -1 or out of range: none
    void selectCurrentMember(int index);
    void teamNameChanged(std::string_view text);
    void teamModelChanged(std::string_view text);
    void teamSkinChanged(std::string_view text);
    void teamIdChanged(std::string_view text);
    void newTeam();
    void deleteTeam();
    void addMember();
    void removeMember();
    void otherMember();

    // --- VWep tab.
    const SelectList& currentSupporters() const { return m_currentSupporters; }
    const SelectList& availableSupporters() const { return m_availableSupporters; }
    void selectCurrentSupporter(int index);
    void selectAvailableSupporter(int index);
    void addSupporter();
    void removeSupporter();

    // Writes bots.cfg and refreshes the main window's roster lists, keeping
    // its bot and team choices; false (dialog stays open, nothing written)
    // when a team has no members. A failed write throws before the main
    // window is touched.
    bool ok(SessionSettings& session, ValueStore& store);
    void cancel() { m_result = RosterEditorResult::Cancel; }

private:
    BotProfile* currentBot();
    TeamProfile* currentTeam();
    std::optional<std::string> askName(std::string_view caption, std::string_view label,
                                       std::string_view blankMessage);
    bool modelDirectoryExists(const std::string& model) const;
    void showBot();
    void resetBotControls();
    void refreshSkinsAndPreview(bool coverWithoutModel);
    void refreshPreview();
    void showTeam();
    void resetTeamControls();
    void refreshTeamSkins();
    void addMemberName(const std::string& name);
    void moveSupporter(SelectList& from, SelectList& to);

    std::string m_gameDirectory;
    PlatformProfile m_profile;
    RosterPrompts& m_prompts;
    std::string m_path;
    RosterEditorResult m_result = RosterEditorResult::Open;

    BotRoster m_roster;
    std::vector<std::string> m_models;
    std::optional<std::size_t> m_bot;
    std::optional<std::size_t> m_team;
    std::optional<std::size_t> m_availableMember;
    BotControls m_botView;
    TeamControls m_teamView;
    SelectList m_currentMembers;
    SelectList m_currentSupporters;
    SelectList m_availableSupporters;
};

}  // namespace wyn
