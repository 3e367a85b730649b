#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialog_result.h"
#include "base/lists.h"
#include "base/notifier.h"
#include "base/platform_profile.h"
#include "base/prompts.h"
#include "bots/roster_file.h"

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
inline constexpr std::string_view kBracketInBotName = "A bot name cannot contain \"[\".";
inline constexpr std::string_view kBracketInTeamName = "A team name cannot contain \"[\".";
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
// characters. It loses '[' too: a line holding "[teams]" or "[view weapons]"
// reads back as a section marker, and a team line's members start at its
// first '['. A model or skin also loses '/' (the model/skin separator) and
// '\', which no directory name holds.
std::string rosterFieldText(std::string_view text);
std::string rosterLookText(std::string_view text);

// The input boxes of New Bot, New Team and Other Member, and the messages.
class RosterPrompts : public virtual MessagePrompts, public virtual TextPrompt {};

// What the Bots tab shows besides BotsListBox: the texts of its controls, the
// items of SkinComboBox and the preview.
struct BotControls {
    std::string panelCaption;  // BotPanel
    std::string name;          // BotNameEdit
    std::string model;         // ModelComboBox
    std::string skin;          // SkinComboBox
    std::string accuracy;
    std::string aggressiveness;
    std::string combatSkills;
    std::string favouriteWeapon;  // FavWeaponComboBox text
    bool quadFreak = false;       // QuadCheckBox
    bool camper = false;          // CamperCheckBox
    std::string averagePing;
    std::vector<std::string> skinItems;
    // BotImage holds the picture at previewPath (none while empty); CoverShape
    // lies over it while coverShown.
    std::string previewPath;
    bool coverShown = true;

    bool operator==(const BotControls&) const = default;
};

// What the Teams tab shows besides TeamsListBox and the member lists.
struct TeamControls {
    std::string panelCaption;  // TeamPanel
    std::string name;          // TeamNameEdit
    std::string id;            // TeamIDEdit
    std::string model;         // TeamModelComboBox
    std::string skin;          // TeamSkinComboBox
    std::vector<std::string> skinItems;

    bool operator==(const TeamControls&) const = default;
};

// What one change of the editor changed.
struct RosterChange {
    ListChange bots;                 // BotsListBox
    ListChange availableMembers;     // AvailableListBox
    ListChange teams;                // TeamsListBox
    ListChange currentMembers;       // CurrentListBox
    ListChange currentSupporters;    // CurrentVWepListBox
    ListChange availableSupporters;  // AvailableVWepListBox
    bool bot = false;                // the Bots tab's controls
    bool team = false;               // the Teams tab's controls
    bool models = false;             // the items of both model boxes
    bool result = false;             // the dialog closed

    bool any() const;
};

// What TEditForm shows and does. Each bot's and team's values are held once,
// in the roster; the controls show the selected bot and team. While none is
// selected they show values of their own, which no save writes.
// The window forwards each user event to one call and redraws from the
// change notice; texts it sets itself are not events.
class RosterEditor {
public:
    // roots: where the engine reads player models and skins from, first wins
    // (engineRoots); the game directory alone when none are given.
    RosterEditor(std::string gameDirectory, const PlatformProfile& profile, RosterPrompts& prompts,
                 std::vector<std::string> roots = {});
    RosterEditor(const RosterEditor&) = delete;
    RosterEditor& operator=(const RosterEditor&) = delete;

    [[nodiscard]] Connection onChange(std::function<void(const RosterChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }

    // Reads bots.cfg and shows its first team and bot. A missing file is
    // reported and leaves everything empty (no model lists either); a file
    // that exists but cannot be read throws, so the dialog never opens on a
    // roster it could not read.
    void open();

    const std::string& path() const { return m_path; }
    const BotRoster& roster() const { return m_roster; }
    DialogResult result() const { return m_result; }

    // --- Bots tab.
    const std::vector<std::string>& botNames() const { return m_botList.items(); }
    const SelectList& botList() const { return m_botList; }  // BotsListBox
    Selection selectedBot() const { return m_botList.selected(); }
    BotControls botControls() const;
    const std::vector<std::string>& models() const { return m_models; }  // both model boxes

    void selectBot(Selection index);  // out of range changes nothing
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
    const std::vector<std::string>& teamNames() const { return m_teamList.items(); }
    const SelectList& teamList() const { return m_teamList; }  // TeamsListBox
    Selection selectedTeam() const { return m_teamList.selected(); }
    TeamControls teamControls() const;
    // AvailableListBox: every bot of the roster.
    const SelectList& availableMembers() const { return m_availableMembers; }
    Selection selectedAvailableMember() const { return m_availableMembers.selected(); }
    // CurrentListBox: the selected team's member names; the empty pieces of
    // its members text (a leading or doubled blank) have no entry.
    const SelectList& currentMembers() const { return m_currentMembers; }

    void selectTeam(Selection index);  // out of range changes nothing
    void selectAvailableMember(Selection index);
    void selectCurrentMember(Selection index);
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
    void selectCurrentSupporter(Selection index);
    void selectAvailableSupporter(Selection index);
    void addSupporter();
    void removeSupporter();

    // Writes bots.cfg; false (the dialog stays open, nothing written) when a
    // team has no members. A failed write throws and leaves the editor open.
    bool ok();
    void cancel();

private:
    struct Snapshot {
        std::array<ListRevision, 6> lists;
        BotControls bot;
        TeamControls team;
        std::uint64_t models;
        DialogResult result;
    };
    Snapshot snapshot() const;
    RosterChange compare(const Snapshot& before) const;

    // The profile the controls show and change: the selected one, or the
    // controls' own values while none is selected.
    BotProfile& shownBot();
    const BotProfile& shownBot() const;
    TeamProfile& shownTeam();
    const TeamProfile& shownTeam() const;

    std::optional<std::string> askName(std::string_view caption, std::string_view label,
                                       std::string_view blankMessage,
                                       std::string_view bracketMessage);
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
    std::vector<std::string> m_roots;
    PlatformProfile m_profile;
    RosterPrompts& m_prompts;
    std::string m_path;
    DialogResult m_result = DialogResult::Open;

    BotRoster m_roster;
    std::vector<std::string> m_models;
    std::uint64_t m_modelsRevision = 0;
    SelectList m_botList;
    SelectList m_availableMembers;
    SelectList m_teamList;
    SelectList m_currentMembers;
    SelectList m_currentSupporters;
    SelectList m_availableSupporters;

    // What the controls show beyond the profile's values.
    BotProfile m_noBot;
    TeamProfile m_noTeam;
    std::string m_weaponText;  // FavWeaponComboBox may hold any text
    std::vector<std::string> m_skinItems;
    std::string m_previewPath;
    bool m_coverShown = true;
    std::vector<std::string> m_teamSkinItems;

    ChangeTracker<RosterChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

}  // namespace wyn
