#pragma once

#include <array>
#include <bitset>
#include <functional>
#include <string>
#include <vector>

#include "base/lists.h"
#include "base/notifier.h"
#include "base/platform_profile.h"
#include "base/prompts.h"
#include "content/map_catalogue.h"
#include "engine/engine_folders.h"
#include "session/fields.h"

namespace wyn {

enum class BotMode { None, Specific, Random };

// Which panel of the Teamplay tab is shown: it decides the team lines of a launch.
enum class TeamLayout { TeamChoice, RedBlue };

// The derived state of the window: which controls are enabled, which panel and
// window are shown, how high the main window is.
struct ViewState {
    bool configComboEnabled;
    bool timeLimitComboEnabled;
    bool fragLimitComboEnabled;
    bool captureLimitComboEnabled;
    bool specialTeamsComboEnabled;
    bool externalCheckEnabled;
    bool botNumEnabled;
    bool botsListEnabled;
    bool botSkillEnabled;      // BotSkillComboBox and its label
    bool teamControlsEnabled;  // the controls of both team panels
    std::array<bool, 3> mapListEnabled;
    TeamLayout teamLayout;
    bool previewPanelShown;
    bool externalWindowShown;
    int windowHeight;

    bool operator==(const ViewState&) const = default;

    // The enabled state of a field's control or of a list.
    bool enabled(Field field) const;
    bool enabled(SessionList list) const;
};

inline constexpr int kHeightWithPreview = 487;
inline constexpr int kHeightWithoutPreview = 390;

// What one change of the session changed, so that a window redraws exactly that.
struct SessionChange {
    std::bitset<kFieldCount> text;     // a text field's text
    std::bitset<kFieldCount> checked;  // a check box's or radio button's state
    std::bitset<kFieldCount> enabled;  // a field's enabled state
    std::bitset<kFieldCount> items;    // a combo box's items
    std::array<ListChange, kSessionListCount> lists{};
    bool preview = false;  // the command line
    bool caption = false;
    bool view = false;  // anything of ViewState: panels, heights, list and team controls

    bool any() const;
    const ListChange& list(SessionList which) const {
        return lists[static_cast<std::size_t>(which)];
    }
};

// How a text set by the program reacts.
enum class Reaction {
    AsProgram,  // an edit reacts to a new text, a combo box does not
    Always,     // as a change by the user: the control's reaction runs
};

// Every option of one game session, with the rules that tie them together.
// Changes go through the setters, which run the reactions the main window's
// controls have: a check box or radio reacts only when its state changes; a
// combo box text set by the program runs nothing; the edits (directory,
// executable, latency) react to every change of their text. Observers are
// told after each outermost change what it changed.
class SessionSettings {
public:
    explicit SessionSettings(const PlatformProfile& profile);
    SessionSettings(const SessionSettings&) = delete;
    SessionSettings& operator=(const SessionSettings&) = delete;

    const PlatformProfile& profile() const { return m_profile; }

    // The input prompt of the directory reaction ("Please locate your Quake II
    // directory"). Without one, the prompt counts as cancelled.
    void setDirectoryPrompt(TextPrompt* prompt) { m_directoryPrompt = prompt; }

    // Observers hear once after every outermost change, also when a rule
    // stopped half-way with an error.
    [[nodiscard]] Connection onChange(std::function<void(const SessionChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }
    // Runs several changes as one: the observers hear once, at the end.
    void change(const std::function<void()>& body) { m_tracker.run(body); }

    // --- Values.
    bool checked(Field field) const { return m_checked[index(field)]; }
    const std::string& text(Field field) const { return m_text[index(field)]; }
    // "1" or "0".
    std::string flagText(Field field) const { return checked(field) ? "1" : "0"; }
    const std::string& gameDirectory() const { return text(Field::DirectoryEdit); }
    // The value of a field's column (design default, New, repair) as this
    // platform has it: the profile's directory and executable stand in.
    std::string tableValue(Field field, std::string_view value) const;

    std::optional<MapType> mapType() const;
    BotMode botMode() const;
    TeamLayout teamLayout() const { return m_teamLayout; }

    const SelectList& mapList(MapType type) const { return m_maps[static_cast<int>(type)]; }
    // The selected map of the current map type's list; empty when none.
    std::string selectedMap() const;
    const CheckList& bots() const { return m_bots; }
    const CheckList& botTeams() const { return m_botTeams; }
    const SelectList& redList() const { return m_red; }
    const SelectList& blueList() const { return m_blue; }
    const SelectList& availableList() const { return m_available; }
    // The items of a combo box: the fixed ones of the field table, the extra
    // scripts of ConfigComboBox and the teams of YourTeamComboBox.
    std::vector<std::string> comboItems(Field field) const;
    const std::vector<std::string>& yourTeamItems() const { return m_yourTeamItems; }
    const std::vector<std::string>& configItems() const { return m_configItems; }

    // A list's revision, whichever kind it is.
    const ListRevision& listRevision(SessionList list) const;

    // The deathmatch flag word; empty until first computed.
    const std::string& flagWord() const { return m_flagWord; }
    // The command-line preview, as of the last rebuild.
    const std::string& commandLine() const { return m_commandLine; }
    // The executable path: directory, separator, file name; a full path in
    // FilenameEdit stands as it is.
    std::string executablePath() const;
    // The engine the executable is, as it runs for this user in the game
    // directory. It reads the executable (through the recognition's cache):
    // an operation asks once and passes the answer on.
    GameEngine recogniseEngine() const;
    // Where the engine reads maps, scripts, models and skins, first wins: its
    // user folder, then the game directory (engineRoots), as the last directory
    // reaction or map refresh found them.
    const std::vector<std::string>& contentRoots() const { return m_contentRoots; }
    // A path below the game directory: gamePath({"vantor", "wyn.cfg"}).
    std::string gamePath(std::initializer_list<std::string_view> parts) const;

    ViewState viewState() const;

    // The current preset file, and the window caption: "Vantor Frontend", or
    // "Vantor Frontend - " and the file name of the preset last opened or saved.
    const std::string& currentPresetName() const { return m_presetName; }
    void setCurrentPresetName(const std::string& path);
    const std::string& caption() const { return m_caption; }
    void showPresetInCaption(const std::string& path);
    // The presets opened so far in this run, in order, repeats kept: the open
    // dialog offers them.
    const std::vector<std::string>& openHistory() const { return m_openHistory; }
    void addToOpenHistory(const std::string& path) { m_openHistory.push_back(path); }

    // --- Changes, each with the control's reaction.
    void setChecked(Field field, bool value);
    // Chooses a radio button (its siblings are cleared) and runs its reaction.
    void chooseRadio(Field radio);
    void setText(Field field, const std::string& value, Reaction reaction = Reaction::AsProgram);

    // Map lists. A selection by the program runs nothing; a click of the user
    // refreshes the preview (and picks the team layout for an External map).
    // Replaces a list's maps (as a scan does); the list has no selection then.
    void setMapItems(MapType type, std::vector<std::string> maps);
    void selectMap(MapType type, Selection index);
    void selectMapByName(MapType type, const std::string& name);
    void userSelectMap(MapType type, Selection index);
    void refreshMaps();             // "R&efresh"
    void randomMap(unsigned seed);  // "&Random Map"; seed from the clock

    // Bot and team lists.
    void setBotChecked(std::size_t index, bool value);
    void setBotTeamChecked(std::size_t index, bool value);
    void checkBots(const std::vector<std::string>& names);
    void checkBotTeams(const std::vector<std::string>& names);
    void setBotsCurrent(Selection index);
    void setBotTeamsCurrent(Selection index);
    // New bot and team names (all unchecked); the own team's items follow.
    void setRoster(std::vector<std::string> botNames, std::vector<std::string> teamNames);

    // CTF teams: the selection of each list and the four move buttons.
    void selectRed(Selection index);
    void selectBlue(Selection index);
    void selectAvailable(Selection index);
    void setCtfTeams(std::vector<std::string> red, std::vector<std::string> blue);
    void fillAvailable();  // every bot on neither team, in roster order
    void addRed();
    void removeRed();
    void addBlue();
    void removeBlue();

    // File > New.
    void resetToNew();
    // Fills the fields still empty after the stored state was restored.
    void repairAfterRestore();
    // Shows the panel the map type asks for (start-up, directory change).
    void applyMapTypeLayout();

    // Re-reads everything that depends on the game directory (runs on every
    // change of DirectoryEdit and FilenameEdit).
    void directoryReaction();
    void rebuildCommandLine();

private:
    struct Snapshot {
        std::array<bool, kFieldCount> checked;
        std::array<std::string, kFieldCount> text;
        std::array<ListRevision, kSessionListCount> lists;
        std::vector<std::string> yourTeamItems;
        std::vector<std::string> configItems;
        std::string commandLine;
        std::string caption;
        ViewState view;
    };

    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }

    Snapshot snapshot() const;
    SessionChange compare(const Snapshot& before) const;

    void react(Field field);
    void setComboText(Field field, const std::string& value);  // no reaction
    void applyNewValue(Field field);
    void computeFlagWord();
    // The engine's folders for the content lists, recognised anew.
    void findContentRoots();
    // The map lists from the content roots.
    void scanMaps();
    void teamplayReaction();
    void showLayout(TeamLayout layout);
    void mapRadioReaction(MapType type);
    void raiseMaxClientsTo(Field source, int factor);
    void autoTeamsAgainstMaxClients();
    void autoTeamsExcludeFreeClients();
    SelectList& map(MapType type) { return m_maps[static_cast<int>(type)]; }

    PlatformProfile m_profile;
    TextPrompt* m_directoryPrompt = nullptr;

    std::array<bool, kFieldCount> m_checked{};
    std::array<std::string, kFieldCount> m_text{};
    std::array<SelectList, 3> m_maps;
    CheckList m_bots;
    CheckList m_botTeams;
    std::vector<std::string> m_yourTeamItems;
    std::vector<std::string> m_configItems;
    std::vector<std::string> m_contentRoots;
    SelectList m_red;
    SelectList m_blue;
    SelectList m_available;
    TeamLayout m_teamLayout = TeamLayout::TeamChoice;
    std::string m_flagWord;
    std::string m_commandLine;
    std::string m_presetName;
    std::vector<std::string> m_openHistory;
    std::string m_caption = "Vantor Frontend";

    ChangeTracker<SessionChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

// The list box of a map type's list.
SessionList mapListOf(MapType type);

}  // namespace wyn
