#include "bots/roster_editor.h"

#include <algorithm>
#include <utility>

#include "base/file_system.h"
#include "base/text.h"
#include "bots/player_models.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

std::string without(std::string_view text, std::string_view dropped) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (dropped.find(c) == std::string_view::npos) {
            result += c;
        }
    }
    return result;
}

template <typename Profile>
std::vector<std::string> namesOf(const std::vector<Profile>& profiles) {
    std::vector<std::string> names;
    names.reserve(profiles.size());
    for (const auto& profile : profiles) {
        names.push_back(profile.name);
    }
    return names;
}

std::optional<std::size_t> firstOf(std::size_t size) {
    return size == 0 ? std::nullopt : std::optional<std::size_t>(0);
}

void selectIn(SelectList& list, int index) {
    list.selected = (index >= 0 && index < static_cast<int>(list.items.size())) ? index : -1;
}

std::string flag(bool checked) {
    return checked ? "1" : "0";
}

}  // namespace

std::string teamWithoutMembersText(const std::string& team) {
    return "Please add some team members to team " + team + ".";
}

std::string rosterFilePath(std::string_view gameDirectory, const PlatformProfile& profile) {
    return profile.path(gameDirectory, {"vantor", "bots.cfg"});
}

const std::vector<std::string>& skillItems() {
    static const std::vector<std::string> items{"1", "2", "3", "4", "5"};
    return items;
}

const std::vector<std::string>& weaponItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> names;
        for (const auto& weapon : weaponTable()) {
            names.emplace_back(weapon.name);
        }
        return names;
    }();
    return items;
}

const std::vector<std::string>& pingItems() {
    static const std::vector<std::string> items{"50",  "100", "150", "200",
                                                "250", "300", "350", "400"};
    return items;
}

const std::vector<std::string_view>& rosterTabCaptions() {
    static const std::vector<std::string_view> captions{"Bots", "Teams", "VWep"};
    return captions;
}

const std::vector<ControlCaption>& rosterControlCaptions() {
    static const std::vector<ControlCaption> captions{
        {"NewButton", "&New Bot"},
        {"DeleteButton", "&Delete Bot"},
        {"QuadCheckBox", "Quad Freak"},
        {"CamperCheckBox", "Camper"},
        {"NewTeamButton", "&New Team"},
        {"DeleteTeamButton", "&Delete Team"},
        {"AddButton", "<"},
        {"RemoveButton", ">"},
        {"OtherMemberButton", "&Other Member"},
        {"AddVWepButton", "<"},
        {"RemoveVWepButton", ">"},
        {"OKButton", "&OK"},
        {"CancelButton", "&Cancel"},
    };
    return captions;
}

const std::vector<ControlCaption>& rosterControlLabels() {
    static const std::vector<ControlCaption> labels{
        {"BotNameEdit", "Name:"},
        {"ModelComboBox", "Model:"},
        {"SkinComboBox", "Skin:"},
        {"AccuracyComboBox", "Firing Accuracy:"},
        {"AggressivenessComboBox", "Aggressiveness:"},
        {"CombatSkillsComboBox", "Combat Skills:"},
        {"FavWeaponComboBox", "Favorite Weapon:"},
        {"AvgPingComboBox", "Average Ping:"},
        {"CurrentListBox", "Current Members:"},
        {"AvailableListBox", "Available Members:"},
        {"TeamNameEdit", "Name:"},
        {"TeamModelComboBox", "Model:"},
        {"TeamSkinComboBox", "Skin:"},
        {"TeamIDEdit", "ID:"},
        {"CurrentVWepListBox", "Current Supporters:"},
        {"AvailableVWepListBox", "Available Supporters:"},
    };
    return labels;
}

std::string rosterFieldText(std::string_view text) {
    return without(text, " \"\r\n");
}

std::string rosterLookText(std::string_view text) {
    return without(text, " \"\r\n/\\");
}

// --- The main window's choices across a save.

RosterChoices captureRosterChoices(const SessionSettings& session) {
    return {joinNames(session.bots().checkedNames()), joinNames(session.botTeams().checkedNames()),
            session.text(Field::YourTeamComboBox), joinNames(session.redList().items),
            joinNames(session.blueList().items)};
}

void storeRosterChoices(const RosterChoices& choices, ValueStore& store) {
    store.writeValue("Bots", choices.bots);
    store.writeValue("BotTeams", choices.botTeams);
    store.writeValue("YourTeam", choices.yourTeam);
    store.writeValue("RedBots", choices.redBots);
    store.writeValue("BlueBots", choices.blueBots);
}

void restoreRosterChoices(SessionSettings& session, const RosterChoices& choices) {
    session.checkBots(splitNames(choices.bots));
    session.setText(Field::YourTeamComboBox, choices.yourTeam);
    session.checkBotTeams(splitNames(choices.botTeams));
    session.setCtfTeams(splitNames(choices.redBots), splitNames(choices.blueBots));
    session.fillAvailable();
}

// --- The editor.

RosterEditor::RosterEditor(std::string gameDirectory, const PlatformProfile& profile,
                           RosterPrompts& prompts)
    : m_gameDirectory(std::move(gameDirectory)),
      m_profile(profile),
      m_prompts(prompts),
      m_path(rosterFilePath(m_gameDirectory, m_profile)) {}

void RosterEditor::open() {
    m_result = RosterEditorResult::Open;
    m_roster = {};
    m_models.clear();
    m_bot.reset();
    m_team.reset();
    m_availableMember.reset();
    m_botView = {};
    m_teamView = {};
    m_currentMembers = {};
    m_currentSupporters = {};
    m_availableSupporters = {};
    if (!fileExists(m_path)) {
        m_prompts.showError(std::string(kRosterFileMissing));
        return;
    }
    m_roster = ReadRoster(m_path);
    m_models = ListPlayerModels(m_gameDirectory, m_profile);
    m_currentSupporters.setItems(m_roster.supporters);
    m_availableSupporters.setItems(availableWeaponSupporters(m_models, m_roster.supporters));

    m_team = firstOf(m_roster.teams.size());
    if (m_team) {
        showTeam();
    }
    m_bot = firstOf(m_roster.bots.size());
    if (m_bot) {
        showBot();
    }
    m_availableMember = firstOf(m_roster.bots.size());
    m_availableSupporters.selectFirst();
}

BotProfile* RosterEditor::currentBot() {
    return m_bot ? &m_roster.bots[*m_bot] : nullptr;
}

TeamProfile* RosterEditor::currentTeam() {
    return m_team ? &m_roster.teams[*m_team] : nullptr;
}

std::optional<std::string> RosterEditor::askName(std::string_view caption, std::string_view label,
                                                 std::string_view blankMessage) {
    const auto answer = m_prompts.askText(std::string(caption), std::string(label), "");
    if (!answer) {
        return std::nullopt;
    }
    if (answer->find(' ') != std::string::npos) {
        m_prompts.showError(std::string(blankMessage));
        return std::nullopt;
    }
    // An empty answer would add an entry without a name: it counts as Cancel.
    std::string name = rosterFieldText(*answer);
    if (name.empty()) {
        return std::nullopt;
    }
    return name;
}

bool RosterEditor::modelDirectoryExists(const std::string& model) const {
    // An empty model names the players directory itself, which is no model.
    return !model.empty() && model != "." && model != ".." &&
           directoryExists(m_profile.path(m_gameDirectory, {"baseq2", "players", model}));
}

// --- Bots tab.

std::vector<std::string> RosterEditor::botNames() const {
    return namesOf(m_roster.bots);
}

void RosterEditor::selectBot(std::size_t index) {
    if (index >= m_roster.bots.size()) {
        return;
    }
    m_bot = index;
    showBot();
}

void RosterEditor::showBot() {
    const BotProfile& bot = m_roster.bots[*m_bot];
    m_botView.panelCaption = bot.name;
    m_botView.name = bot.name;
    m_botView.model = bot.model;
    m_botView.skin = bot.skin;
    m_botView.accuracy = bot.accuracy;
    m_botView.aggressiveness = bot.aggressiveness;
    m_botView.combatSkills = bot.combatSkills;
    // A code without a name ("1") leaves the box as it was.
    if (const auto weapon = weaponName(bot.favouriteWeapon)) {
        m_botView.favouriteWeapon = *weapon;
    }
    m_botView.quadFreak = bot.quadFreak == "1";
    m_botView.camper = bot.camper == "1";
    m_botView.averagePing = bot.averagePing;
    // A bot whose model is not installed must not show the previous bot's skin.
    refreshSkinsAndPreview(true);
}

void RosterEditor::resetBotControls() {
    m_botView.panelCaption.clear();
    m_botView.name.clear();
    m_botView.model.clear();
    m_botView.skin.clear();
    m_botView.averagePing = "100";
    m_botView.accuracy = "1";
    m_botView.aggressiveness = "1";
    m_botView.combatSkills = "1";
    m_botView.favouriteWeapon = "Chaingun";
    m_botView.quadFreak = false;
    m_botView.camper = false;
    m_botView.skinItems.clear();
    m_botView.coverShown = true;
}

void RosterEditor::refreshSkinsAndPreview(bool coverWithoutModel) {
    if (!modelDirectoryExists(m_botView.model)) {
        // While a model name is being typed the last picture stays.
        m_botView.skinItems.clear();
        if (coverWithoutModel || m_botView.model.empty()) {
            m_botView.coverShown = true;
        }
        return;
    }
    m_botView.skinItems = ListSkins(m_gameDirectory, m_botView.model, m_profile);
    refreshPreview();
}

void RosterEditor::refreshPreview() {
    if (m_botView.model.empty() || m_botView.skin.empty()) {
        m_botView.coverShown = true;
        return;
    }
    const std::string icon =
        SkinIconPath(m_gameDirectory, m_botView.model, m_botView.skin, m_profile);
    if (fileExists(icon)) {
        m_botView.previewPath = icon;
        m_botView.coverShown = false;
    } else {
        m_botView.coverShown = true;
    }
}

void RosterEditor::botNameChanged(std::string_view text) {
    m_botView.name = rosterFieldText(text);
    m_botView.panelCaption = m_botView.name;
    if (auto* bot = currentBot()) {
        bot->name = m_botView.name;
    }
}

void RosterEditor::modelChanged(std::string_view text) {
    m_botView.model = rosterLookText(text);
    if (auto* bot = currentBot()) {
        bot->model = m_botView.model;
    }
    refreshSkinsAndPreview(false);
}

void RosterEditor::skinChanged(std::string_view text) {
    m_botView.skin = rosterLookText(text);
    if (auto* bot = currentBot()) {
        bot->skin = m_botView.skin;
    }
    refreshPreview();
}

void RosterEditor::accuracyChanged(std::string_view text) {
    m_botView.accuracy = rosterFieldText(text);
    if (auto* bot = currentBot()) {
        bot->accuracy = m_botView.accuracy;
    }
}

void RosterEditor::aggressivenessChanged(std::string_view text) {
    m_botView.aggressiveness = rosterFieldText(text);
    if (auto* bot = currentBot()) {
        bot->aggressiveness = m_botView.aggressiveness;
    }
}

void RosterEditor::combatSkillsChanged(std::string_view text) {
    m_botView.combatSkills = rosterFieldText(text);
    if (auto* bot = currentBot()) {
        bot->combatSkills = m_botView.combatSkills;
    }
}

void RosterEditor::favouriteWeaponChanged(std::string_view text) {
    // The text is never written; only a weapon name changes the bot.
    m_botView.favouriteWeapon = std::string(text);
    const auto code = weaponCode(m_botView.favouriteWeapon);
    auto* bot = currentBot();
    if (bot != nullptr && code) {
        bot->favouriteWeapon = *code;
    }
}

void RosterEditor::quadClicked(bool checked) {
    m_botView.quadFreak = checked;
    if (auto* bot = currentBot()) {
        bot->quadFreak = flag(checked);
    }
}

void RosterEditor::camperClicked(bool checked) {
    m_botView.camper = checked;
    if (auto* bot = currentBot()) {
        bot->camper = flag(checked);
    }
}

void RosterEditor::averagePingChanged(std::string_view text) {
    m_botView.averagePing = rosterFieldText(text);
    if (auto* bot = currentBot()) {
        bot->averagePing = m_botView.averagePing;
    }
}

void RosterEditor::newBot() {
    const auto name = askName(kNewBotCaption, kBotNameLabel, kBlankInBotName);
    if (!name) {
        return;
    }
    BotProfile bot;  // the defaults of a new bot
    bot.name = *name;
    m_roster.bots.push_back(std::move(bot));
    m_bot = m_roster.bots.size() - 1;
    showBot();
}

void RosterEditor::deleteBot() {
    if (!m_bot) {
        m_prompts.showError(std::string(kNoBotToDelete));
        resetBotControls();
        return;
    }
    m_roster.bots.erase(m_roster.bots.begin() + static_cast<std::ptrdiff_t>(*m_bot));
    m_bot = firstOf(m_roster.bots.size());
    m_availableMember = m_bot;
    if (m_bot) {
        showBot();
    } else {
        resetBotControls();  // the deleted bot is no longer on show
    }
}

// --- Teams tab.

std::vector<std::string> RosterEditor::teamNames() const {
    return namesOf(m_roster.teams);
}

void RosterEditor::selectTeam(std::size_t index) {
    if (index >= m_roster.teams.size()) {
        return;
    }
    m_team = index;
    showTeam();
}

void RosterEditor::selectAvailableMember(int index) {
    m_availableMember = (index >= 0 && static_cast<std::size_t>(index) < m_roster.bots.size())
                            ? std::optional<std::size_t>(index)
                            : std::nullopt;
}

void RosterEditor::selectCurrentMember(int index) {
    selectIn(m_currentMembers, index);
}

void RosterEditor::showTeam() {
    const TeamProfile& team = m_roster.teams[*m_team];
    m_currentMembers.setItems(splitNames(team.members));
    m_teamView.panelCaption = team.name;
    m_teamView.name = team.name;
    m_teamView.model = team.model;
    m_teamView.skin = team.skin;
    m_teamView.id = team.id;
    refreshTeamSkins();
}

void RosterEditor::resetTeamControls() {
    m_teamView = {};
    m_currentMembers = {};
}

void RosterEditor::refreshTeamSkins() {
    m_teamView.skinItems = modelDirectoryExists(m_teamView.model)
                               ? ListSkins(m_gameDirectory, m_teamView.model, m_profile)
                               : std::vector<std::string>{};
}

void RosterEditor::teamNameChanged(std::string_view text) {
    m_teamView.name = rosterFieldText(text);
    m_teamView.panelCaption = m_teamView.name;
    if (auto* team = currentTeam()) {
        team->name = m_teamView.name;
    }
}

void RosterEditor::teamModelChanged(std::string_view text) {
    m_teamView.model = rosterLookText(text);
    if (auto* team = currentTeam()) {
        team->model = m_teamView.model;
        refreshTeamSkins();
    }
}

void RosterEditor::teamSkinChanged(std::string_view text) {
    m_teamView.skin = rosterLookText(text);
    if (auto* team = currentTeam()) {
        team->skin = m_teamView.skin;
    }
}

void RosterEditor::teamIdChanged(std::string_view text) {
    std::string id = toUpper(rosterFieldText(text));
    if (id.size() > kTeamIdLength) {
        id.resize(kTeamIdLength);
    }
    m_teamView.id = std::move(id);
    if (auto* team = currentTeam()) {
        team->id = m_teamView.id;
    }
}

void RosterEditor::newTeam() {
    const auto name = askName(kNewTeamCaption, kTeamNameLabel, kBlankInTeamName);
    if (!name) {
        return;
    }
    m_roster.teams.push_back(TeamProfile{*name, "", "", "", ""});
    m_team = m_roster.teams.size() - 1;
    showTeam();
}

void RosterEditor::deleteTeam() {
    if (!m_team) {
        m_prompts.showError(std::string(kNoTeamToDelete));
        resetTeamControls();
        return;
    }
    m_roster.teams.erase(m_roster.teams.begin() + static_cast<std::ptrdiff_t>(*m_team));
    m_team = firstOf(m_roster.teams.size());
    if (m_team) {
        showTeam();
    } else {
        resetTeamControls();  // the deleted team is no longer on show
    }
}

void RosterEditor::addMemberName(const std::string& name) {
    TeamProfile& team = *currentTeam();
    if (m_currentMembers.hasSelection()) {
        // Inserted before the selected member: the file keeps the order shown.
        m_currentMembers.insertAtSelection(name);
        team.members = joinNames(m_currentMembers.items);
    } else {
        // The first member leaves a leading blank, which the writer drops.
        m_currentMembers.items.push_back(name);
        team.members += ' ' + name;
    }
}

void RosterEditor::addMember() {
    if (currentTeam() == nullptr || !m_availableMember) {
        return;
    }
    const std::string& name = m_roster.bots[*m_availableMember].name;
    if (!name.empty()) {
        addMemberName(name);
    }
}

void RosterEditor::removeMember() {
    TeamProfile* team = currentTeam();
    if (team == nullptr || !m_currentMembers.hasSelection()) {
        return;
    }
    m_currentMembers.takeSelection();
    team->members = joinNames(m_currentMembers.items);
}

void RosterEditor::otherMember() {
    if (currentTeam() == nullptr) {
        return;
    }
    // One name per member: a blank would split it into two in the file.
    if (const auto name = askName(kOtherMemberCaption, kBotNameLabel, kBlankInBotName)) {
        addMemberName(*name);
    }
}

// --- VWep tab.

void RosterEditor::selectCurrentSupporter(int index) {
    selectIn(m_currentSupporters, index);
}

void RosterEditor::selectAvailableSupporter(int index) {
    selectIn(m_availableSupporters, index);
}

void RosterEditor::moveSupporter(SelectList& from, SelectList& to) {
    if (!from.hasSelection()) {
        return;
    }
    to.insertAtSelection(from.takeSelection());
    m_roster.supporters = m_currentSupporters.items;
}

void RosterEditor::addSupporter() {
    moveSupporter(m_availableSupporters, m_currentSupporters);
}

void RosterEditor::removeSupporter() {
    moveSupporter(m_currentSupporters, m_availableSupporters);
}

// --- Saving.

bool RosterEditor::ok(SessionSettings& session, ValueStore& store) {
    if (const auto team = WriteRoster(m_path, m_roster)) {
        m_prompts.showError(teamWithoutMembersText(*team));
        return false;
    }
    const RosterChoices choices = captureRosterChoices(session);
    storeRosterChoices(choices, store);
    // The names as the file just written holds them, without reading it again.
    const BotRoster written = rosterFromLines(rosterLines(m_roster).lines);
    session.setRoster(namesOf(written.bots), namesOf(written.teams));
    // Restored from what was stored, not read back: a store that cannot be
    // written must not lose the main window's choices.
    restoreRosterChoices(session, choices);
    m_result = RosterEditorResult::Ok;
    return true;
}

}  // namespace wyn
