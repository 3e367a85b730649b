#include "session/session_settings.h"

#include <algorithm>
#include <random>

#include "base/file_system.h"
#include "base/text.h"
#include "base/text_file.h"
#include "bots/roster_file.h"
#include "content/installation.h"
#include "session/command_line.h"

namespace wyn {

// --- Lists.

void SelectList::setItems(std::vector<std::string> names) {
    items = std::move(names);
    selected = -1;
}

void SelectList::selectIgnoringCase(const std::string& name) {
    selected = indexOfIgnoringCase(items, name);
}

void SelectList::insertAtSelection(const std::string& name) {
    if (hasSelection()) {
        items.insert(items.begin() + selected, name);
        ++selected;  // the selection stays on its entry
    } else {
        items.push_back(name);
    }
}

std::string SelectList::takeSelection() {
    std::string name = items[selected];
    items.erase(items.begin() + selected);
    selected = -1;  // as a list box does when its selected entry goes
    return name;
}

void CheckList::setItems(std::vector<std::string> names) {
    items = std::move(names);
    checked.assign(items.size(), false);
    current = -1;
}

void CheckList::uncheckAll() {
    checked.assign(items.size(), false);
}

std::vector<std::string> CheckList::checkedNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (checked[i]) {
            names.push_back(items[i]);
        }
    }
    return names;
}

void CheckList::checkNames(const std::vector<std::string>& names) {
    for (const auto& name : names) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (equalsIgnoringCase(items[i], name)) {
                checked[i] = true;
            }
        }
    }
}

// --- Change notification: observers hear once, after the outermost change,
// also when a rule stopped with an error half-way.

class SessionSettings::ChangeScope {
public:
    explicit ChangeScope(SessionSettings& session) : m_session(session) {
        ++m_session.m_changeDepth;
    }
    ~ChangeScope() {
        if (--m_session.m_changeDepth == 0) {
            m_session.notify();
        }
    }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;

private:
    SessionSettings& m_session;
};

void SessionSettings::notify() {
    if (m_onChanged) {
        m_onChanged();
    }
}

// --- Construction and values.

SessionSettings::SessionSettings(const PlatformProfile& profile) : m_profile(profile) {
    for (const auto& info : allFields()) {
        if (isBoolean(info.field)) {
            m_checked[index(info.field)] = info.designDefault == "1";
        } else {
            m_text[index(info.field)] = std::string(info.designDefault);
        }
    }
    m_text[index(Field::DirectoryEdit)] = profile.defaultGameDirectory;
    m_text[index(Field::FilenameEdit)] = profile.defaultExecutable;
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
    if (checked(Field::SpecificRadio)) {
        return BotMode::Specific;
    }
    return checked(Field::RandomRadio) ? BotMode::Random : BotMode::None;
}

std::string SessionSettings::selectedMap() const {
    const auto type = mapType();
    return type ? mapList(*type).selection() : std::string();
}

std::string SessionSettings::executablePath() const {
    return m_profile.path(gameDirectory(), {text(Field::FilenameEdit)});
}

std::string SessionSettings::gamePath(std::initializer_list<std::string_view> parts) const {
    return m_profile.path(gameDirectory(), parts);
}

ViewState SessionSettings::viewState() const {
    const bool view = checked(Field::ViewCommandLineCheckBox);
    const bool external = view && checked(Field::ExternalCheckBox);
    const bool preview = view && !external;
    const auto type = mapType();
    ViewState state{};
    state.configComboEnabled = checked(Field::ConfigCheckBox);
    state.timeLimitComboEnabled = checked(Field::TimeLimitCheckBox);
    state.fragLimitComboEnabled = checked(Field::FragLimitCheckBox);
    state.captureLimitComboEnabled = checked(Field::CaptureLimitCheckBox);
    state.specialTeamsComboEnabled = checked(Field::SpecialTeamsCheckBox);
    state.externalCheckEnabled = view;
    state.botNumEnabled = botMode() == BotMode::Random;
    state.botsListEnabled = botMode() == BotMode::Specific;
    state.botSkillEnabled = !checked(Field::AutoSkillCheckBox);
    state.teamControlsEnabled = checked(Field::TeamplayCheckBox);
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
    ChangeScope scope(*this);
    m_presetName = path;
}

void SessionSettings::showPresetInCaption(const std::string& path) {
    ChangeScope scope(*this);
    // Windows paths end their directory part at '\\' or a drive's ':'.
    const std::string separators =
        m_profile.separator == '\\' ? std::string("\\:") : std::string(1, m_profile.separator);
    const auto cut = path.find_last_of(separators);
    m_caption = "Vantor Frontend - " + (cut == std::string::npos ? path : path.substr(cut + 1));
}

// --- Changes.

void SessionSettings::setChecked(Field field, bool value) {
    if (fieldInfo(field).kind == FieldKind::Radio) {
        if (value) {
            chooseRadio(field);
        } else if (checked(field)) {
            ChangeScope scope(*this);
            m_checked[index(field)] = false;  // a radio reacts only to being chosen
        }
        return;
    }
    if (checked(field) == value) {
        return;
    }
    ChangeScope scope(*this);
    m_checked[index(field)] = value;
    react(field);
}

void SessionSettings::chooseRadio(Field radio) {
    if (checked(radio)) {
        return;
    }
    ChangeScope scope(*this);
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
}

void SessionSettings::setComboText(Field field, const std::string& value) {
    m_text[index(field)] = value;
}

void SessionSettings::setText(Field field, const std::string& value) {
    if (fieldInfo(field).kind != FieldKind::Edit) {
        ChangeScope scope(*this);
        setComboText(field, value);
        return;
    }
    if (text(field) == value) {
        return;
    }
    ChangeScope scope(*this);
    m_text[index(field)] = value;
    react(field);
}

void SessionSettings::userSetText(Field field, const std::string& value) {
    ChangeScope scope(*this);
    m_text[index(field)] = value;
    react(field);
}

// --- Reactions of the controls.

void SessionSettings::ruleMaxClientsAgainstAutoTeams() {
    const long long maxClients = parseInteger(text(Field::MaxClientsComboBox));
    const long long autoTeams = parseInteger(text(Field::CTFAutoTeamsComboBox));
    if (maxClients < 2 * autoTeams) {
        setComboText(Field::CTFAutoTeamsComboBox, std::to_string(maxClients / 2));
    }
}

void SessionSettings::react(Field field) {
    using F = Field;
    if (isFlagField(field)) {
        computeFlagWord();
        return;
    }
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
            if (text(F::MaxClientsComboBox).empty()) {
                setComboText(F::MaxClientsComboBox, "0");
            } else {
                ruleMaxClientsAgainstAutoTeams();
            }
            break;
        case F::PlayersPerTeamComboBox:
            if (text(F::MaxClientsComboBox).empty()) {
                setComboText(F::MaxClientsComboBox, "2");
            } else {
                ruleMaxClientsAgainstAutoTeams();
            }
            break;
        case F::CTFAutoTeamsComboBox:
            if (text(F::CTFAutoTeamsComboBox).empty()) {
                setComboText(F::CTFAutoTeamsComboBox, "0");
            } else {
                if (text(F::MaxClientsComboBox).empty()) {
                    setComboText(F::MaxClientsComboBox, "2");
                }
                const long long maxClients = parseInteger(text(F::MaxClientsComboBox));
                const long long autoTeams = parseInteger(text(F::CTFAutoTeamsComboBox));
                if (maxClients < 2 * autoTeams) {
                    setComboText(F::MaxClientsComboBox, std::to_string(2 * autoTeams));
                }
            }
            if (text(F::CTFAutoTeamsComboBox) != "0") {
                setComboText(F::FreeClientsComboBox, "0");
            }
            break;
        case F::FreeClientsComboBox:
            setComboText(F::CTFAutoTeamsComboBox, "0");
            break;
        case F::SpecialTeamsComboBox:
            if (text(F::SpecialTeamsComboBox).empty()) {
                setComboText(F::SpecialTeamsComboBox, "0");
            } else {
                if (text(F::MaxClientsComboBox).empty()) {
                    setComboText(F::MaxClientsComboBox, "2");
                }
                const int maxClients = parseInteger(text(F::MaxClientsComboBox));
                const int specialTeams = parseInteger(text(F::SpecialTeamsComboBox));
                if (maxClients < specialTeams) {
                    setComboText(F::MaxClientsComboBox, std::to_string(specialTeams));
                }
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
    if (checked(Field::TeamplayCheckBox)) {
        m_teamLayout = mapType() == MapType::CTF ? TeamLayout::RedBlue : TeamLayout::TeamChoice;
    }
    if (m_teamLayout == TeamLayout::TeamChoice) {
        m_botTeams.selectFirst();
    }
    chooseRadio(Field::RandomRadio);
}

void SessionSettings::mapRadioReaction(MapType type) {
    showLayout(type == MapType::CTF ? TeamLayout::RedBlue : TeamLayout::TeamChoice);
    rebuildCommandLine();
}

void SessionSettings::applyMapTypeLayout() {
    ChangeScope scope(*this);
    m_teamLayout = mapType() == MapType::CTF ? TeamLayout::RedBlue : TeamLayout::TeamChoice;
}

// --- Maps.

void SessionSettings::setMapItems(MapType type, std::vector<std::string> maps) {
    ChangeScope scope(*this);
    m_maps[static_cast<int>(type)].setItems(std::move(maps));
}

void SessionSettings::selectMap(MapType type, int index) {
    ChangeScope scope(*this);
    auto& list = m_maps[static_cast<int>(type)];
    list.selected = (index >= 0 && index < static_cast<int>(list.items.size())) ? index : -1;
}

void SessionSettings::selectMapByName(MapType type, const std::string& name) {
    ChangeScope scope(*this);
    m_maps[static_cast<int>(type)].selectIgnoringCase(name);
}

void SessionSettings::userSelectMap(MapType type, int index) {
    ChangeScope scope(*this);
    selectMap(type, index);
    if (type == MapType::External && mapList(type).hasSelection()) {
        showLayout(contains(mapList(type).selection(), "ctf") ? TeamLayout::RedBlue
                                                              : TeamLayout::TeamChoice);
    }
    rebuildCommandLine();
}

void SessionSettings::scanMaps() {
    if (auto lists = ScanMaps(gameDirectory(), m_profile)) {
        for (const MapType type : kMapTypes) {
            setMapItems(type, std::move((*lists)[static_cast<int>(type)]));
        }
    }
}

void SessionSettings::refreshMaps() {
    ChangeScope scope(*this);
    scanMaps();
    for (auto& list : m_maps) {
        if (!list.hasSelection()) {
            list.selectFirst();
        }
    }
    // The selections may have changed under the preview.
    rebuildCommandLine();
}

void SessionSettings::randomMap(unsigned seed) {
    ChangeScope scope(*this);
    const MapType type = checked(Field::GeneralMapsRadio) ? MapType::General
                         : checked(Field::CTFMapsRadio)   ? MapType::CTF
                                                          : MapType::External;
    auto& list = m_maps[static_cast<int>(type)];
    if (!list.items.empty()) {
        std::mt19937 generator(seed);
        std::uniform_int_distribution<int> pick(0, static_cast<int>(list.items.size()) - 1);
        list.selected = pick(generator);
    }
    rebuildCommandLine();
}

// --- Bots and teams.

void SessionSettings::setBotChecked(int index, bool value) {
    if (index < 0 || index >= static_cast<int>(m_bots.items.size())) {
        return;
    }
    ChangeScope scope(*this);
    m_bots.checked[index] = value;
}

void SessionSettings::setBotTeamChecked(int index, bool value) {
    if (index < 0 || index >= static_cast<int>(m_botTeams.items.size())) {
        return;
    }
    ChangeScope scope(*this);
    m_botTeams.checked[index] = value;
}

void SessionSettings::checkBots(const std::vector<std::string>& names) {
    ChangeScope scope(*this);
    m_bots.checkNames(names);
}

void SessionSettings::checkBotTeams(const std::vector<std::string>& names) {
    ChangeScope scope(*this);
    m_botTeams.checkNames(names);
}

void SessionSettings::setBotTeamsCurrent(int index) {
    ChangeScope scope(*this);
    m_botTeams.current =
        (index >= 0 && index < static_cast<int>(m_botTeams.items.size())) ? index : -1;
}

void SessionSettings::setRoster(std::vector<std::string> botNames,
                                std::vector<std::string> teamNames) {
    ChangeScope scope(*this);
    m_bots.setItems(std::move(botNames));
    m_yourTeamItems = teamNames;
    m_botTeams.setItems(std::move(teamNames));
}

// --- CTF teams.

namespace {

void selectIn(SelectList& list, int index) {
    list.selected = (index >= 0 && index < static_cast<int>(list.items.size())) ? index : -1;
}

void move(SelectList& from, SelectList& to) {
    if (from.hasSelection()) {
        to.insertAtSelection(from.takeSelection());
    }
}

}  // namespace

void SessionSettings::selectRed(int index) {
    ChangeScope scope(*this);
    selectIn(m_red, index);
}

void SessionSettings::selectBlue(int index) {
    ChangeScope scope(*this);
    selectIn(m_blue, index);
}

void SessionSettings::selectAvailable(int index) {
    ChangeScope scope(*this);
    selectIn(m_available, index);
}

void SessionSettings::setCtfTeams(std::vector<std::string> red, std::vector<std::string> blue) {
    ChangeScope scope(*this);
    m_red.setItems(std::move(red));
    m_blue.setItems(std::move(blue));
}

void SessionSettings::fillAvailable() {
    ChangeScope scope(*this);
    std::vector<std::string> names;
    for (const auto& bot : m_bots.items) {
        if (indexOfIgnoringCase(m_red.items, bot) < 0 &&
            indexOfIgnoringCase(m_blue.items, bot) < 0) {
            names.push_back(bot);
        }
    }
    m_available.setItems(std::move(names));
}

void SessionSettings::addRed() {
    ChangeScope scope(*this);
    move(m_available, m_red);
}

void SessionSettings::removeRed() {
    ChangeScope scope(*this);
    move(m_red, m_available);
}

void SessionSettings::addBlue() {
    ChangeScope scope(*this);
    move(m_available, m_blue);
}

void SessionSettings::removeBlue() {
    ChangeScope scope(*this);
    move(m_blue, m_available);
}

// --- File > New and the start-up repairs.

void SessionSettings::resetToNew() {
    using F = Field;
    ChangeScope scope(*this);
    setCurrentPresetName("");
    m_caption = "Vantor Frontend";
    for (const F field :
         {F::ExitCheckBox, F::ManEditCheckBox, F::ExternalCheckBox, F::ConfigCheckBox}) {
        setChecked(field, false);
    }
    setText(F::ConfigComboBox, "");
    setChecked(F::LogCheckBox, false);
    setText(F::FilenameEdit, m_profile.defaultExecutable);
    setChecked(F::RandomMapCheckBox, false);
    setChecked(F::ViewCommandLineCheckBox, true);
    setChecked(F::DedicatedCheckBox, false);

    setText(F::MaxClientsComboBox, "2");
    setChecked(F::TimeLimitCheckBox, false);
    setChecked(F::FragLimitCheckBox, false);
    setText(F::TimeLimitComboBox, "0");
    setText(F::FragLimitComboBox, "0");
    setChecked(F::AllowCheatsCheckBox, false);
    setText(F::LagEdit, "1");

    for (const auto& bit : flagBits()) {
        setChecked(bit.field, false);
    }
    setText(F::CTFAutoTeamsComboBox, "0");
    setChecked(F::CaptureLimitCheckBox, false);
    setText(F::CaptureLimitComboBox, "0");
    setChecked(F::SpecialTeamsCheckBox, false);
    setText(F::SpecialTeamsComboBox, "0");
    setChecked(F::HumanOnlyCheckBox, false);

    for (const F field : {F::ClientCommandsCheckBox, F::DynamicNodeCheckBox, F::ViewWeaponsCheckBox,
                          F::BotConnectInfoCheckBox, F::BotChatCheckBox}) {
        setChecked(field, false);
    }
    setText(F::FreeClientsComboBox, "0");

    chooseRadio(F::SpecificRadio);
    setText(F::BotNumComboBox, "0");
    setChecked(F::AutoSkillCheckBox, false);
    setText(F::BotSkillComboBox, "1");
    setChecked(F::BotTarzanCheckBox, false);

    m_bots.selectFirst();
    m_bots.uncheckAll();

    setChecked(F::TeamplayCheckBox, false);
    setText(F::PlayersPerTeamComboBox, "2");
    if (indexOfIgnoringCase(m_yourTeamItems, text(F::YourTeamComboBox)) >= 0) {
        setText(F::YourTeamComboBox, m_yourTeamItems.front());
    }
    m_botTeams.uncheckAll();
    m_botTeams.selectFirst();

    chooseRadio(F::GeneralMapsRadio);
    for (auto& list : m_maps) {
        if (list.hasSelection()) {
            list.selectFirst();
        }
    }
    rebuildCommandLine();
}

void SessionSettings::repairAfterRestore() {
    using F = Field;
    ChangeScope scope(*this);
    static constexpr std::array<F, 12> kRepairOrder{
        F::CTFAutoTeamsComboBox, F::SpecialTeamsComboBox, F::DirectoryEdit,
        F::FilenameEdit,         F::MaxClientsComboBox,   F::TimeLimitComboBox,
        F::FragLimitComboBox,    F::CaptureLimitComboBox, F::PlayersPerTeamComboBox,
        F::BotNumComboBox,       F::BotSkillComboBox,     F::FreeClientsComboBox,
    };
    for (const F field : kRepairOrder) {
        if (!text(field).empty()) {
            continue;
        }
        if (field == F::DirectoryEdit) {
            setText(field, m_profile.defaultGameDirectory);
        } else if (field == F::FilenameEdit) {
            setText(field, m_profile.defaultExecutable);
        } else {
            setText(field, std::string(*fieldInfo(field).emptyRepair));
        }
    }
    if (text(F::CTFAutoTeamsComboBox) != "0") {
        setText(F::FreeClientsComboBox, "0");
    }
    if (botMode() == BotMode::None) {
        chooseRadio(F::RandomRadio);
    }
    if (!mapType()) {
        chooseRadio(F::GeneralMapsRadio);
    }
}

// --- The game directory.

void SessionSettings::directoryReaction() {
    ChangeScope scope(*this);
    const std::string directory = gameDirectory();
    if (!directoryExists(m_profile.path(directory, {"baseq2"}))) {
        const std::string initial = m_profile.defaultGameDirectory;
        std::optional<std::string> answer;
        if (m_directoryPrompt != nullptr) {
            answer = m_directoryPrompt->askText("Please locate your Quake II directory",
                                                "Quake II Directory", initial);
        }
        setText(Field::DirectoryEdit, answer.value_or(initial));
        return;
    }
    rebuildCommandLine();
    m_configItems = ListExtraConfigs(directory, m_profile);
    const std::string vantor = m_profile.path(directory, {"vantor"});
    if (FindInDirectory("bots.cfg", vantor, m_profile)) {
        const auto lines = readLines(m_profile.path(vantor, {"bots.cfg"}));
        setRoster(botNamesFromLines(lines), teamNamesFromLines(lines));
    } else {
        setRoster({}, {});
    }
    setComboText(Field::YourTeamComboBox, "");
    scanMaps();
    applyMapTypeLayout();
}

void SessionSettings::rebuildCommandLine() {
    ChangeScope scope(*this);
    m_commandLine = buildCommandLine(*this);
}

}  // namespace wyn
