#include "session/session_settings.h"

#include <algorithm>
#include <random>

#include "base/file_system.h"
#include "base/text.h"
#include "base/text_file.h"
#include "bots/roster_file.h"
#include "content/installation.h"
#include "engine/engine.h"
#include "session/command_line.h"

namespace wyn {

using F = Field;

// --- The view.

bool ViewState::enabled(Field field) const {
    switch (field) {
        case F::ConfigComboBox:
            return configComboEnabled;
        case F::TimeLimitComboBox:
            return timeLimitComboEnabled;
        case F::FragLimitComboBox:
            return fragLimitComboEnabled;
        case F::CaptureLimitComboBox:
            return captureLimitComboEnabled;
        case F::SpecialTeamsComboBox:
            return specialTeamsComboEnabled;
        case F::ExternalCheckBox:
            return externalCheckEnabled;
        case F::BotNumComboBox:
            return botNumEnabled;
        case F::BotSkillComboBox:
            return botSkillEnabled;
        case F::PlayersPerTeamComboBox:
        case F::YourTeamComboBox:
            return teamControlsEnabled;
        default:
            return true;
    }
}

bool ViewState::enabled(SessionList list) const {
    switch (list) {
        case SessionList::GeneralMapsListBox:
        case SessionList::CTFMapsListBox:
        case SessionList::ExternalMapsListBox:
            return mapListEnabled[static_cast<std::size_t>(list)];
        case SessionList::BotsListBox:
            return botsListEnabled;
        case SessionList::BotTeamsListBox:
        case SessionList::RedListBox:
        case SessionList::BlueListBox:
        case SessionList::AvailableListBox:
            return teamControlsEnabled;
    }
    return true;
}

bool SessionChange::any() const {
    return text.any() || checked.any() || enabled.any() || items.any() || preview || caption ||
           view ||
           std::any_of(lists.begin(), lists.end(), [](const ListChange& c) { return c.any(); });
}

SessionList mapListOf(MapType type) {
    return static_cast<SessionList>(static_cast<int>(SessionList::GeneralMapsListBox) +
                                    static_cast<int>(type));
}

// --- Construction and values.

SessionSettings::SessionSettings(const PlatformProfile& profile) : m_profile(profile) {
    for (const auto& info : allFields()) {
        const std::string value = tableValue(info.field, info.designDefault);
        if (isBoolean(info.field)) {
            m_checked[index(info.field)] = value == "1";
        } else {
            m_text[index(info.field)] = value;
        }
    }
}

std::string SessionSettings::tableValue(Field field, std::string_view value) const {
    if (fieldInfo(field).fromProfile) {
        return field == F::DirectoryEdit ? m_profile.defaultGameDirectory
                                         : defaultGameProgram(m_profile);
    }
    return std::string(value);
}

std::optional<MapType> SessionSettings::mapType() const {
    for (std::size_t i = 0; i < kMapRadios.size(); ++i) {
        if (checked(kMapRadios[i])) {
            return kMapTypes[i];
        }
    }
    return std::nullopt;
}

BotMode SessionSettings::botMode() const {
    if (checked(F::SpecificRadio)) {
        return BotMode::Specific;
    }
    return checked(F::RandomRadio) ? BotMode::Random : BotMode::None;
}

std::string SessionSettings::selectedMap() const {
    const auto type = mapType();
    return type ? mapList(*type).selection() : std::string();
}

std::vector<std::string> SessionSettings::comboItems(Field field) const {
    if (field == F::ConfigComboBox) {
        return m_configItems;
    }
    if (field == F::YourTeamComboBox) {
        return m_yourTeamItems;
    }
    const auto items = fieldInfo(field).items;
    return {items.begin(), items.end()};
}

const ListRevision& SessionSettings::listRevision(SessionList list) const {
    switch (list) {
        case SessionList::GeneralMapsListBox:
        case SessionList::CTFMapsListBox:
        case SessionList::ExternalMapsListBox:
            return m_maps[static_cast<std::size_t>(list)].revision();
        case SessionList::BotsListBox:
            return m_bots.revision();
        case SessionList::BotTeamsListBox:
            return m_botTeams.revision();
        case SessionList::RedListBox:
            return m_red.revision();
        case SessionList::BlueListBox:
            return m_blue.revision();
        case SessionList::AvailableListBox:
            break;
    }
    return m_available.revision();
}

std::string SessionSettings::executablePath() const {
    return m_profile.programPath(gameDirectory(), text(F::FilenameEdit));
}

GameEngine SessionSettings::recogniseEngine() const {
    return gameEngineAt(executablePath(), gameDirectory(), m_profile);
}

void SessionSettings::findContentRoots() {
    const auto game = recogniseEngine();
    m_contentRoots = engineRoots(game.engine, game.environment);
}

std::string SessionSettings::gamePath(std::initializer_list<std::string_view> parts) const {
    return m_profile.path(gameDirectory(), parts);
}

ViewState SessionSettings::viewState() const {
    const bool view = checked(F::ViewCommandLineCheckBox);
    const bool external = view && checked(F::ExternalCheckBox);
    const bool preview = view && !external;
    const auto type = mapType();
    ViewState state{};
    state.configComboEnabled = checked(F::ConfigCheckBox);
    state.timeLimitComboEnabled = checked(F::TimeLimitCheckBox);
    state.fragLimitComboEnabled = checked(F::FragLimitCheckBox);
    state.captureLimitComboEnabled = checked(F::CaptureLimitCheckBox);
    state.specialTeamsComboEnabled = checked(F::SpecialTeamsCheckBox);
    state.externalCheckEnabled = view;
    state.botNumEnabled = botMode() == BotMode::Random;
    state.botsListEnabled = botMode() == BotMode::Specific;
    state.botSkillEnabled = !checked(F::AutoSkillCheckBox);
    state.teamControlsEnabled = checked(F::TeamplayCheckBox);
    for (std::size_t i = 0; i < kMapTypes.size(); ++i) {
        state.mapListEnabled[i] = type == kMapTypes[i];
    }
    state.teamLayout = m_teamLayout;
    state.previewPanelShown = preview;
    state.externalWindowShown = external;
    state.windowHeight = preview ? kHeightWithPreview : kHeightWithoutPreview;
    return state;
}

void SessionSettings::setCurrentPresetName(const std::string& path) {
    m_tracker.run([&] { m_presetName = path; });
}

void SessionSettings::showPresetInCaption(const std::string& path) {
    m_tracker.run([&] {
        // Windows paths end their directory part at '\\' or a drive's ':'.
        const std::string separators =
            std::string(1, m_profile.separator()) + (m_profile.hasDrives() ? ":" : "");
        const auto cut = path.find_last_of(separators);
        m_caption = "Vantor Frontend - " + (cut == std::string::npos ? path : path.substr(cut + 1));
    });
}

// --- What a change changed.

SessionSettings::Snapshot SessionSettings::snapshot() const {
    Snapshot s{m_checked,     m_text,        {},        m_yourTeamItems,
               m_configItems, m_commandLine, m_caption, viewState()};
    for (const auto& info : allLists()) {
        s.lists[static_cast<std::size_t>(info.list)] = listRevision(info.list);
    }
    return s;
}

SessionChange SessionSettings::compare(const Snapshot& before) const {
    SessionChange change;
    const ViewState view = viewState();
    for (const auto& info : allFields()) {
        const auto i = index(info.field);
        change.text[i] = before.text[i] != m_text[i];
        change.checked[i] = before.checked[i] != m_checked[i];
        change.enabled[i] = before.view.enabled(info.field) != view.enabled(info.field);
    }
    change.items[index(F::ConfigComboBox)] = before.configItems != m_configItems;
    change.items[index(F::YourTeamComboBox)] = before.yourTeamItems != m_yourTeamItems;
    for (const auto& info : allLists()) {
        const auto i = static_cast<std::size_t>(info.list);
        change.lists[i] = ListChange::between(before.lists[i], listRevision(info.list));
    }
    change.preview = before.commandLine != m_commandLine;
    change.caption = before.caption != m_caption;
    change.view = !(before.view == view);
    return change;
}

// --- Changes.

void SessionSettings::setChecked(Field field, bool value) {
    if (fieldInfo(field).kind == FieldKind::Radio) {
        if (value) {
            chooseRadio(field);
        } else if (checked(field)) {
            // A radio reacts only to being chosen.
            m_tracker.run([&] { m_checked[index(field)] = false; });
        }
        return;
    }
    if (checked(field) == value) {
        return;
    }
    m_tracker.run([&] {
        m_checked[index(field)] = value;
        react(field);
    });
}

void SessionSettings::chooseRadio(Field radio) {
    if (checked(radio)) {
        return;
    }
    m_tracker.run([&] {
        const bool isMapRadio =
            std::find(kMapRadios.begin(), kMapRadios.end(), radio) != kMapRadios.end();
        if (isMapRadio) {
            for (const Field sibling : kMapRadios) {
                m_checked[index(sibling)] = false;
            }
        } else {
            for (const Field sibling : kBotRadios) {
                m_checked[index(sibling)] = false;
            }
        }
        m_checked[index(radio)] = true;
        react(radio);
    });
}

void SessionSettings::setComboText(Field field, const std::string& value) {
    m_text[index(field)] = value;
}

void SessionSettings::setText(Field field, const std::string& value, Reaction reaction) {
    const bool reacts = reaction == Reaction::Always ||
                        (fieldInfo(field).kind == FieldKind::Edit && text(field) != value);
    if (!reacts && text(field) == value) {
        return;
    }
    m_tracker.run([&] {
        m_text[index(field)] = value;
        if (reacts) {
            react(field);
        }
    });
}

// --- Reactions of the controls.

// The CTF teams share the clients: half of them at most per team.
void SessionSettings::autoTeamsAgainstMaxClients() {
    const long long maxClients = parseInteger(text(F::MaxClientsComboBox));
    const long long autoTeams = parseInteger(text(F::CTFAutoTeamsComboBox));
    if (maxClients < 2 * autoTeams) {
        setComboText(F::CTFAutoTeamsComboBox, std::to_string(maxClients / 2));
    }
}

// Max clients grows to hold what a source field asks for: factor times its value.
void SessionSettings::raiseMaxClientsTo(Field source, int factor) {
    if (text(F::MaxClientsComboBox).empty()) {
        setComboText(F::MaxClientsComboBox, "2");
    }
    const long long maxClients = parseInteger(text(F::MaxClientsComboBox));
    const long long needed = static_cast<long long>(factor) * parseInteger(text(source));
    if (maxClients < needed) {
        setComboText(F::MaxClientsComboBox, std::to_string(needed));
    }
}

// CTF auto teams and bot free clients exclude each other.
void SessionSettings::autoTeamsExcludeFreeClients() {
    if (text(F::CTFAutoTeamsComboBox) != "0") {
        setComboText(F::FreeClientsComboBox, "0");
    }
}

void SessionSettings::react(Field field) {
    if (isFlagField(field)) {
        computeFlagWord();
        return;
    }
    const auto emptyBecomes = [this](Field f, const char* value) {
        if (text(f).empty()) {
            setComboText(f, value);
            return true;
        }
        return false;
    };
    switch (field) {
        case F::DirectoryEdit:
        case F::FilenameEdit:
            directoryReaction();
            return;
        case F::ExitCheckBox:
        case F::ManEditCheckBox:
        case F::ViewCommandLineCheckBox:
        case F::ExternalCheckBox:
        case F::YourTeamComboBox:
            return;  // read when needed; the view follows from the state
        case F::GeneralMapsRadio:
            mapRadioReaction(MapType::General);
            return;
        case F::CTFMapsRadio:
            mapRadioReaction(MapType::CTF);
            return;
        case F::ExternalMapsRadio:
            mapRadioReaction(MapType::External);
            return;
        case F::MaxClientsComboBox:
            if (!emptyBecomes(F::MaxClientsComboBox, "0")) {
                autoTeamsAgainstMaxClients();
            }
            break;
        case F::PlayersPerTeamComboBox:
            if (!emptyBecomes(F::MaxClientsComboBox, "2")) {
                autoTeamsAgainstMaxClients();
            }
            break;
        case F::CTFAutoTeamsComboBox:
            if (!emptyBecomes(F::CTFAutoTeamsComboBox, "0")) {
                raiseMaxClientsTo(F::CTFAutoTeamsComboBox, 2);
            }
            autoTeamsExcludeFreeClients();
            break;
        case F::FreeClientsComboBox:
            setComboText(F::CTFAutoTeamsComboBox, "0");
            break;
        case F::SpecialTeamsComboBox:
            if (!emptyBecomes(F::SpecialTeamsComboBox, "0")) {
                raiseMaxClientsTo(F::SpecialTeamsComboBox, 1);
            }
            break;
        case F::FragLimitCheckBox:
            if (!checked(F::FragLimitCheckBox)) {
                setChecked(F::CaptureLimitCheckBox, false);
            }
            break;
        case F::CaptureLimitCheckBox:
            if (checked(F::CaptureLimitCheckBox)) {
                setChecked(F::FragLimitCheckBox, true);
            }
            break;
        case F::TeamplayCheckBox:
            teamplayReaction();
            break;
        case F::SpecificRadio:
            if (checked(F::TeamplayCheckBox)) {
                setChecked(F::TeamplayCheckBox, false);
                chooseRadio(F::SpecificRadio);
            }
            break;
        default:
            break;  // every other control only refreshes the preview
    }
    rebuildCommandLine();
}

void SessionSettings::computeFlagWord() {
    unsigned word = 0;
    for (const auto& bit : flagBits()) {
        if (checked(bit.field)) {
            word += bit.value;
        }
    }
    m_flagWord = std::to_string(word);
    rebuildCommandLine();
}

void SessionSettings::showLayout(TeamLayout layout) {
    m_teamLayout = layout;
    if (layout == TeamLayout::TeamChoice) {
        m_botTeams.selectFirst();
    }
}

void SessionSettings::teamplayReaction() {
    if (checked(F::TeamplayCheckBox)) {
        m_teamLayout = mapType() == MapType::CTF ? TeamLayout::RedBlue : TeamLayout::TeamChoice;
    }
    if (m_teamLayout == TeamLayout::TeamChoice) {
        m_botTeams.selectFirst();
    }
    chooseRadio(F::RandomRadio);
}

void SessionSettings::mapRadioReaction(MapType type) {
    showLayout(type == MapType::CTF ? TeamLayout::RedBlue : TeamLayout::TeamChoice);
    rebuildCommandLine();
}

void SessionSettings::applyMapTypeLayout() {
    m_tracker.run([&] {
        m_teamLayout = mapType() == MapType::CTF ? TeamLayout::RedBlue : TeamLayout::TeamChoice;
    });
}

// --- Maps.

void SessionSettings::setMapItems(MapType type, std::vector<std::string> maps) {
    m_tracker.run([&] { map(type).setItems(std::move(maps)); });
}

void SessionSettings::selectMap(MapType type, Selection index) {
    m_tracker.run([&] { map(type).select(index); });
}

void SessionSettings::selectMapByName(MapType type, const std::string& name) {
    m_tracker.run([&] { map(type).selectIgnoringCase(name); });
}

void SessionSettings::userSelectMap(MapType type, Selection index) {
    m_tracker.run([&] {
        map(type).select(index);
        if (type == MapType::External && mapList(type).hasSelection()) {
            showLayout(contains(mapList(type).selection(), "ctf") ? TeamLayout::RedBlue
                                                                  : TeamLayout::TeamChoice);
        }
        rebuildCommandLine();
    });
}

void SessionSettings::scanMaps() {
    if (auto lists = ScanMaps(m_contentRoots, m_profile)) {
        for (const MapType type : kMapTypes) {
            map(type).setItems(std::move((*lists)[static_cast<int>(type)]));
        }
    }
}

void SessionSettings::refreshMaps() {
    m_tracker.run([&] {
        findContentRoots();
        scanMaps();
        for (auto& list : m_maps) {
            if (!list.hasSelection()) {
                list.selectFirst();
            }
        }
        // The selections may have changed under the preview.
        rebuildCommandLine();
    });
}

void SessionSettings::randomMap(unsigned seed) {
    m_tracker.run([&] {
        const MapType type = checked(F::GeneralMapsRadio) ? MapType::General
                             : checked(F::CTFMapsRadio)   ? MapType::CTF
                                                          : MapType::External;
        auto& list = map(type);
        if (!list.empty()) {
            std::mt19937 generator(seed);
            std::uniform_int_distribution<int> pick(0, static_cast<int>(list.size()) - 1);
            list.select(static_cast<std::size_t>(pick(generator)));
        }
        rebuildCommandLine();
    });
}

// --- Bots and teams.

void SessionSettings::setBotChecked(std::size_t index, bool value) {
    m_tracker.run([&] { m_bots.setChecked(index, value); });
}

void SessionSettings::setBotTeamChecked(std::size_t index, bool value) {
    m_tracker.run([&] { m_botTeams.setChecked(index, value); });
}

void SessionSettings::checkBots(const std::vector<std::string>& names) {
    m_tracker.run([&] { m_bots.checkNames(names); });
}

void SessionSettings::checkBotTeams(const std::vector<std::string>& names) {
    m_tracker.run([&] { m_botTeams.checkNames(names); });
}

void SessionSettings::setBotsCurrent(Selection index) {
    m_tracker.run([&] { m_bots.setCurrent(index); });
}

void SessionSettings::setBotTeamsCurrent(Selection index) {
    m_tracker.run([&] { m_botTeams.setCurrent(index); });
}

void SessionSettings::setRoster(std::vector<std::string> botNames,
                                std::vector<std::string> teamNames) {
    m_tracker.run([&] {
        m_bots.setItems(std::move(botNames));
        m_yourTeamItems = teamNames;
        m_botTeams.setItems(std::move(teamNames));
    });
}

// --- CTF teams.

void SessionSettings::selectRed(Selection index) {
    m_tracker.run([&] { m_red.select(index); });
}

void SessionSettings::selectBlue(Selection index) {
    m_tracker.run([&] { m_blue.select(index); });
}

void SessionSettings::selectAvailable(Selection index) {
    m_tracker.run([&] { m_available.select(index); });
}

void SessionSettings::setCtfTeams(std::vector<std::string> red, std::vector<std::string> blue) {
    m_tracker.run([&] {
        m_red.setItems(std::move(red));
        m_blue.setItems(std::move(blue));
    });
}

void SessionSettings::fillAvailable() {
    m_tracker.run([&] {
        std::vector<std::string> names;
        for (const auto& bot : m_bots.items()) {
            if (indexOfIgnoringCase(m_red.items(), bot) < 0 &&
                indexOfIgnoringCase(m_blue.items(), bot) < 0) {
                names.push_back(bot);
            }
        }
        m_available.setItems(std::move(names));
    });
}

void SessionSettings::addRed() {
    m_tracker.run([&] { moveSelected(m_available, m_red); });
}

void SessionSettings::removeRed() {
    m_tracker.run([&] { moveSelected(m_red, m_available); });
}

void SessionSettings::addBlue() {
    m_tracker.run([&] { moveSelected(m_available, m_blue); });
}

void SessionSettings::removeBlue() {
    m_tracker.run([&] { moveSelected(m_blue, m_available); });
}

// --- File > New and the start-up repairs.

void SessionSettings::applyNewValue(Field field) {
    const auto& info = fieldInfo(field);
    if (info.kind == FieldKind::Radio) {
        chooseRadio(field);
    } else if (info.newValue) {
        const std::string value = tableValue(field, *info.newValue);
        if (isBoolean(field)) {
            setChecked(field, value == "1");
        } else {
            setText(field, value);
        }
    }
}

void SessionSettings::resetToNew() {
    m_tracker.run([&] {
        for (const auto& entry : newOrder()) {
            switch (entry.step) {
                case NewStep::Field:
                    applyNewValue(entry.field);
                    break;
                case NewStep::Caption:
                    m_presetName.clear();
                    m_caption = "Vantor Frontend";
                    break;
                case NewStep::BotsList:
                    m_bots.selectFirst();
                    m_bots.uncheckAll();
                    break;
                case NewStep::YourTeam:
                    // A chosen team becomes the first team; an empty text stays.
                    if (indexOfIgnoringCase(m_yourTeamItems, text(F::YourTeamComboBox)) >= 0) {
                        setText(F::YourTeamComboBox, m_yourTeamItems.front());
                    }
                    break;
                case NewStep::BotTeamsList:
                    m_botTeams.uncheckAll();
                    m_botTeams.selectFirst();
                    break;
                case NewStep::MapSelections:
                    for (auto& list : m_maps) {
                        if (list.hasSelection()) {
                            list.selectFirst();
                        }
                    }
                    break;
            }
        }
        rebuildCommandLine();
    });
}

void SessionSettings::repairAfterRestore() {
    m_tracker.run([&] {
        for (const Field field : repairOrder()) {
            if (text(field).empty()) {
                setText(field, tableValue(field, *fieldInfo(field).emptyRepair));
            }
        }
        autoTeamsExcludeFreeClients();
        if (botMode() == BotMode::None) {
            chooseRadio(F::RandomRadio);
        }
        if (!mapType()) {
            chooseRadio(F::GeneralMapsRadio);
        }
    });
}

// --- The game directory.

void SessionSettings::directoryReaction() {
    m_tracker.run([&] {
        const std::string directory = gameDirectory();
        if (!directoryExists(m_profile.path(directory, {"baseq2"}))) {
            const std::string initial = m_profile.defaultGameDirectory;
            std::optional<std::string> answer;
            if (m_directoryPrompt != nullptr) {
                answer = m_directoryPrompt->askText("Please locate your Quake II directory",
                                                    "Quake II Directory", initial);
            }
            m_contentRoots = {directory};
            setText(F::DirectoryEdit, answer.value_or(initial));
            return;
        }
        // The engine is recognised once for the reaction's lists and preview.
        findContentRoots();
        rebuildCommandLine();
        m_configItems = ListExtraConfigs(m_contentRoots, m_profile);
        const std::string vantor = m_profile.path(directory, {"vantor"});
        if (FindInDirectory("bots.cfg", vantor, m_profile)) {
            const auto lines = readLines(m_profile.path(vantor, {"bots.cfg"}));
            setRoster(botNamesFromLines(lines), teamNamesFromLines(lines));
        } else {
            setRoster({}, {});
        }
        setComboText(F::YourTeamComboBox, "");
        scanMaps();
        applyMapTypeLayout();
    });
}

void SessionSettings::rebuildCommandLine() {
    m_tracker.run([&] { m_commandLine = buildCommandLine(*this); });
}

}  // namespace wyn
