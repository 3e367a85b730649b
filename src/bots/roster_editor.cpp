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

// The values the Bots tab shows while no bot is selected: its controls' own.
// After a delete with nothing selected the weapon box shows a new bot's weapon.
BotProfile controlDefaults() {
    return BotProfile{.name = {},
                      .model = {},
                      .skin = {},
                      .accuracy = "1",
                      .aggressiveness = "1",
                      .combatSkills = "1"};
}
constexpr const char* kWeaponBeforeAnyBot = "Grenade Launcher";

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
    return without(text, " \"\r\n[");
}

std::string rosterLookText(std::string_view text) {
    return without(text, " \"\r\n[/\\");
}

bool RosterChange::any() const {
    return bots.any() || availableMembers.any() || teams.any() || currentMembers.any() ||
           currentSupporters.any() || availableSupporters.any() || bot || team || models || result;
}

// --- The editor.

RosterEditor::RosterEditor(std::string gameDirectory, const PlatformProfile& profile,
                           RosterPrompts& prompts, std::vector<std::string> roots)
    : m_gameDirectory(std::move(gameDirectory)),
      m_roots(roots.empty() ? std::vector<std::string>{m_gameDirectory} : std::move(roots)),
      m_profile(profile),
      m_prompts(prompts),
      m_path(rosterFilePath(m_gameDirectory, m_profile)),
      m_noBot(controlDefaults()),
      m_weaponText(kWeaponBeforeAnyBot) {}

RosterEditor::Snapshot RosterEditor::snapshot() const {
    return {{m_botList.revision(), m_availableMembers.revision(), m_teamList.revision(),
             m_currentMembers.revision(), m_currentSupporters.revision(),
             m_availableSupporters.revision()},
            botControls(),
            teamControls(),
            m_modelsRevision,
            m_result};
}

RosterChange RosterEditor::compare(const Snapshot& before) const {
    const auto& b = before.lists;
    return {ListChange::between(b[0], m_botList.revision()),
            ListChange::between(b[1], m_availableMembers.revision()),
            ListChange::between(b[2], m_teamList.revision()),
            ListChange::between(b[3], m_currentMembers.revision()),
            ListChange::between(b[4], m_currentSupporters.revision()),
            ListChange::between(b[5], m_availableSupporters.revision()),
            !(before.bot == botControls()),
            !(before.team == teamControls()),
            before.models != m_modelsRevision,
            before.result != m_result};
}

void RosterEditor::open() {
    m_tracker.run([&] {
        m_result = DialogResult::Open;
        m_roster = {};
        m_models.clear();
        ++m_modelsRevision;
        m_botList.clear();
        m_availableMembers.clear();
        m_teamList.clear();
        m_currentMembers.clear();
        m_currentSupporters.clear();
        m_availableSupporters.clear();
        m_noBot = controlDefaults();
        m_noTeam = {};
        m_weaponText = kWeaponBeforeAnyBot;
        m_skinItems.clear();
        m_previewPath.clear();
        m_coverShown = true;
        m_teamSkinItems.clear();
        if (!fileExists(m_path)) {
            m_prompts.showError(std::string(kRosterFileMissing));
            return;
        }
        m_roster = ReadRoster(m_path);
        m_models = ListPlayerModels(m_roots, m_profile);
        m_botList.setItems(wyn::botNames(m_roster));
        m_availableMembers.setItems(m_botList.items());
        m_teamList.setItems(wyn::teamNames(m_roster));
        m_currentSupporters.setItems(m_roster.supporters);
        m_availableSupporters.setItems(availableWeaponSupporters(m_models, m_roster.supporters));

        m_teamList.selectFirst();
        if (selectedTeam()) {
            showTeam();
        }
        m_botList.selectFirst();
        if (selectedBot()) {
            showBot();
        }
        m_availableMembers.selectFirst();
        m_availableSupporters.selectFirst();
    });
}

BotProfile& RosterEditor::shownBot() {
    return selectedBot() ? m_roster.bots[*selectedBot()] : m_noBot;
}

const BotProfile& RosterEditor::shownBot() const {
    return selectedBot() ? m_roster.bots[*selectedBot()] : m_noBot;
}

TeamProfile& RosterEditor::shownTeam() {
    return selectedTeam() ? m_roster.teams[*selectedTeam()] : m_noTeam;
}

const TeamProfile& RosterEditor::shownTeam() const {
    return selectedTeam() ? m_roster.teams[*selectedTeam()] : m_noTeam;
}

BotControls RosterEditor::botControls() const {
    const BotProfile& bot = shownBot();
    return {bot.name,          bot.name,        bot.model,
            bot.skin,          bot.accuracy,    bot.aggressiveness,
            bot.combatSkills,  m_weaponText,    bot.quadFreak == "1",
            bot.camper == "1", bot.averagePing, m_skinItems,
            m_previewPath,     m_coverShown};
}

TeamControls RosterEditor::teamControls() const {
    const TeamProfile& team = shownTeam();
    return {team.name, team.name, team.id, team.model, team.skin, m_teamSkinItems};
}

std::optional<std::string> RosterEditor::askName(std::string_view caption, std::string_view label,
                                                 std::string_view blankMessage,
                                                 std::string_view bracketMessage) {
    const auto answer = m_prompts.askText(std::string(caption), std::string(label), "");
    if (!answer) {
        return std::nullopt;
    }
    if (answer->find(' ') != std::string::npos) {
        m_prompts.showError(std::string(blankMessage));
        return std::nullopt;
    }
    // A whole name is refused where it is entered, as a blank is; the name
    // edits, which see one keystroke at a time, drop the '[' instead.
    if (answer->find('[') != std::string::npos) {
        m_prompts.showError(std::string(bracketMessage));
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
    return model != "." && model != ".." && PlayerModelExists(m_roots, model, m_profile);
}

// --- Bots tab.

void RosterEditor::selectBot(Selection index) {
    if (!index || *index >= m_roster.bots.size()) {
        return;
    }
    m_tracker.run([&] {
        m_botList.select(index);
        showBot();
    });
}

void RosterEditor::showBot() {
    // A code without a name ("1") leaves the box as it was.
    if (const auto weapon = weaponName(shownBot().favouriteWeapon)) {
        m_weaponText = *weapon;
    }
    // A bot whose model is not installed must not show the previous bot's skin.
    refreshSkinsAndPreview(true);
}

void RosterEditor::resetBotControls() {
    m_noBot = controlDefaults();
    m_weaponText = *weaponName(BotProfile{}.favouriteWeapon);
    m_skinItems.clear();
    m_coverShown = true;
}

void RosterEditor::refreshSkinsAndPreview(bool coverWithoutModel) {
    const BotProfile& bot = shownBot();
    if (!modelDirectoryExists(bot.model)) {
        // While a model name is being typed the last picture stays.
        m_skinItems.clear();
        if (coverWithoutModel || bot.model.empty()) {
            m_coverShown = true;
        }
        return;
    }
    m_skinItems = ListSkins(m_roots, bot.model, m_profile);
    refreshPreview();
}

void RosterEditor::refreshPreview() {
    const BotProfile& bot = shownBot();
    if (bot.model.empty() || bot.skin.empty()) {
        m_coverShown = true;
        return;
    }
    const std::string icon = SkinIconPath(m_roots, bot.model, bot.skin, m_profile);
    if (fileExists(icon)) {
        m_previewPath = icon;
        m_coverShown = false;
    } else {
        m_coverShown = true;
    }
}

void RosterEditor::botNameChanged(std::string_view text) {
    m_tracker.run([&] {
        shownBot().name = rosterFieldText(text);
        if (const auto bot = selectedBot()) {
            m_botList.replaceAt(*bot, shownBot().name);
            m_availableMembers.replaceAt(*bot, shownBot().name);
        }
    });
}

void RosterEditor::modelChanged(std::string_view text) {
    m_tracker.run([&] {
        shownBot().model = rosterLookText(text);
        refreshSkinsAndPreview(false);
    });
}

void RosterEditor::skinChanged(std::string_view text) {
    m_tracker.run([&] {
        shownBot().skin = rosterLookText(text);
        refreshPreview();
    });
}

void RosterEditor::accuracyChanged(std::string_view text) {
    m_tracker.run([&] { shownBot().accuracy = rosterFieldText(text); });
}

void RosterEditor::aggressivenessChanged(std::string_view text) {
    m_tracker.run([&] { shownBot().aggressiveness = rosterFieldText(text); });
}

void RosterEditor::combatSkillsChanged(std::string_view text) {
    m_tracker.run([&] { shownBot().combatSkills = rosterFieldText(text); });
}

void RosterEditor::favouriteWeaponChanged(std::string_view text) {
    m_tracker.run([&] {
        // The text is never written; only a weapon name changes the bot.
        m_weaponText = std::string(text);
        if (const auto code = weaponCode(m_weaponText)) {
            shownBot().favouriteWeapon = *code;
        }
    });
}

void RosterEditor::quadClicked(bool checked) {
    m_tracker.run([&] { shownBot().quadFreak = flag(checked); });
}

void RosterEditor::camperClicked(bool checked) {
    m_tracker.run([&] { shownBot().camper = flag(checked); });
}

void RosterEditor::averagePingChanged(std::string_view text) {
    m_tracker.run([&] { shownBot().averagePing = rosterFieldText(text); });
}

void RosterEditor::newBot() {
    m_tracker.run([&] {
        const auto name =
            askName(kNewBotCaption, kBotNameLabel, kBlankInBotName, kBracketInBotName);
        if (!name) {
            return;
        }
        BotProfile bot;  // the defaults of a new bot
        bot.name = *name;
        m_roster.bots.push_back(std::move(bot));
        m_botList.append(*name);
        m_availableMembers.append(*name);
        m_botList.select(m_roster.bots.size() - 1);
        showBot();
    });
}

void RosterEditor::deleteBot() {
    m_tracker.run([&] {
        const auto bot = selectedBot();
        if (!bot) {
            m_prompts.showError(std::string(kNoBotToDelete));
            resetBotControls();
            return;
        }
        m_roster.bots.erase(m_roster.bots.begin() + static_cast<std::ptrdiff_t>(*bot));
        m_botList.eraseAt(*bot);
        m_availableMembers.eraseAt(*bot);
        m_botList.selectFirst();
        m_availableMembers.selectFirst();
        if (selectedBot()) {
            showBot();
        } else {
            resetBotControls();  // the deleted bot is no longer on show
        }
    });
}

// --- Teams tab.

void RosterEditor::selectTeam(Selection index) {
    if (!index || *index >= m_roster.teams.size()) {
        return;
    }
    m_tracker.run([&] {
        m_teamList.select(index);
        showTeam();
    });
}

void RosterEditor::selectAvailableMember(Selection index) {
    m_tracker.run([&] { m_availableMembers.select(index); });
}

void RosterEditor::selectCurrentMember(Selection index) {
    m_tracker.run([&] { m_currentMembers.select(index); });
}

void RosterEditor::showTeam() {
    m_currentMembers.setItems(splitNames(shownTeam().members));
    refreshTeamSkins();
}

void RosterEditor::resetTeamControls() {
    m_noTeam = {};
    m_teamSkinItems.clear();
    m_currentMembers.clear();
}

void RosterEditor::refreshTeamSkins() {
    const std::string& model = shownTeam().model;
    m_teamSkinItems = modelDirectoryExists(model) ? ListSkins(m_roots, model, m_profile)
                                                  : std::vector<std::string>{};
}

void RosterEditor::teamNameChanged(std::string_view text) {
    m_tracker.run([&] {
        shownTeam().name = rosterFieldText(text);
        if (const auto team = selectedTeam()) {
            m_teamList.replaceAt(*team, shownTeam().name);
        }
    });
}

void RosterEditor::teamModelChanged(std::string_view text) {
    m_tracker.run([&] {
        shownTeam().model = rosterLookText(text);
        if (selectedTeam()) {
            refreshTeamSkins();
        }
    });
}

void RosterEditor::teamSkinChanged(std::string_view text) {
    m_tracker.run([&] { shownTeam().skin = rosterLookText(text); });
}

void RosterEditor::teamIdChanged(std::string_view text) {
    m_tracker.run([&] {
        std::string id = toUpper(rosterFieldText(text));
        if (id.size() > kTeamIdLength) {
            id.resize(kTeamIdLength);
        }
        shownTeam().id = std::move(id);
    });
}

void RosterEditor::newTeam() {
    m_tracker.run([&] {
        const auto name =
            askName(kNewTeamCaption, kTeamNameLabel, kBlankInTeamName, kBracketInTeamName);
        if (!name) {
            return;
        }
        m_roster.teams.push_back(TeamProfile{*name, "", "", "", ""});
        m_teamList.append(*name);
        m_teamList.select(m_roster.teams.size() - 1);
        showTeam();
    });
}

void RosterEditor::deleteTeam() {
    m_tracker.run([&] {
        const auto team = selectedTeam();
        if (!team) {
            m_prompts.showError(std::string(kNoTeamToDelete));
            resetTeamControls();
            return;
        }
        m_roster.teams.erase(m_roster.teams.begin() + static_cast<std::ptrdiff_t>(*team));
        m_teamList.eraseAt(*team);
        m_teamList.selectFirst();
        if (selectedTeam()) {
            showTeam();
        } else {
            resetTeamControls();  // the deleted team is no longer on show
        }
    });
}

void RosterEditor::addMemberName(const std::string& name) {
    TeamProfile& team = shownTeam();
    if (m_currentMembers.hasSelection()) {
        // Inserted before the selected member: the file keeps the order shown.
        m_currentMembers.insertAtSelection(name);
        team.members = joinNames(m_currentMembers.items());
    } else {
        // The first member leaves a leading blank, which the writer drops.
        m_currentMembers.append(name);
        team.members += ' ' + name;
    }
}

void RosterEditor::addMember() {
    const auto member = selectedAvailableMember();
    if (!selectedTeam() || !member) {
        return;
    }
    m_tracker.run([&] {
        const std::string& name = m_roster.bots[*member].name;
        if (!name.empty()) {
            addMemberName(name);
        }
    });
}

void RosterEditor::removeMember() {
    if (!selectedTeam() || !m_currentMembers.hasSelection()) {
        return;
    }
    m_tracker.run([&] {
        m_currentMembers.takeSelection();
        shownTeam().members = joinNames(m_currentMembers.items());
    });
}

void RosterEditor::otherMember() {
    if (!selectedTeam()) {
        return;
    }
    m_tracker.run([&] {
        // One name per member: a blank would split it into two in the file.
        if (const auto name =
                askName(kOtherMemberCaption, kBotNameLabel, kBlankInBotName, kBracketInBotName)) {
            addMemberName(*name);
        }
    });
}

// --- VWep tab.

void RosterEditor::selectCurrentSupporter(Selection index) {
    m_tracker.run([&] { m_currentSupporters.select(index); });
}

void RosterEditor::selectAvailableSupporter(Selection index) {
    m_tracker.run([&] { m_availableSupporters.select(index); });
}

void RosterEditor::moveSupporter(SelectList& from, SelectList& to) {
    m_tracker.run([&] {
        if (moveSelected(from, to)) {
            m_roster.supporters = m_currentSupporters.items();
        }
    });
}

void RosterEditor::addSupporter() {
    moveSupporter(m_availableSupporters, m_currentSupporters);
}

void RosterEditor::removeSupporter() {
    moveSupporter(m_currentSupporters, m_availableSupporters);
}

// --- Closing.

bool RosterEditor::ok() {
    if (const auto team = WriteRoster(m_path, m_roster)) {
        m_prompts.showError(teamWithoutMembersText(*team));
        return false;
    }
    m_tracker.run([&] { m_result = DialogResult::Ok; });
    return true;
}

void RosterEditor::cancel() {
    m_tracker.run([&] { m_result = DialogResult::Cancel; });
}

}  // namespace wyn
