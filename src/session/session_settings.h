#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/platform_profile.h"
#include "base/prompts.h"
#include "content/map_catalogue.h"
#include "session/fields.h"

namespace wyn {

enum class BotMode { None, Specific, Random };

// Which panel of the Teamplay tab is shown: it decides the team lines of a launch.
enum class TeamLayout { TeamChoice, RedBlue };

// A list box with at most one selected entry.
struct SelectList {
    std::vector<std::string> items;
    int selected = -1;

    bool hasSelection() const { return selected >= 0 && selected < static_cast<int>(items.size()); }
    std::string selection() const { return hasSelection() ? items[selected] : std::string(); }
    void setItems(std::vector<std::string> names);
    // Selects the first entry equal to name ignoring case; none when there is none.
    void selectIgnoringCase(const std::string& name);
    void selectFirst() { selected = items.empty() ? -1 : 0; }
    // Inserts before the selected entry, or appends when nothing is selected.
    void insertAtSelection(const std::string& name);
    // Removes the selected entry and returns it.
    std::string takeSelection();
};

// A list with a check box in front of each entry; only the check marks count.
struct CheckList {
    std::vector<std::string> items;
    std::vector<bool> checked;
    int current = -1;  // highlighted row, not a check mark

    void setItems(std::vector<std::string> names);  // drops every check mark
    void uncheckAll();
    void selectFirst() { current = items.empty() ? -1 : 0; }
    std::vector<std::string> checkedNames() const;
    // Checks every entry equal to one of the names ignoring case; others stay.
    void checkNames(const std::vector<std::string>& names);
};

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
    bool botSkillEnabled;
    bool teamControlsEnabled;  // the controls of both team panels
    std::array<bool, 3> mapListEnabled;
    TeamLayout teamLayout;
    bool previewPanelShown;
    bool externalWindowShown;
    int windowHeight;
};

inline constexpr int kHeightWithPreview = 487;
inline constexpr int kHeightWithoutPreview = 390;

// Every option of one game session, with the rules that tie them together.
// Changes go through the setters, which run the reactions the main window's
// controls have: a check box or radio reacts only when its state changes; a
// combo box text set by the program runs nothing; the edits (directory,
// executable, latency) react to every change of their text. Observers are
// told after each outermost change.
class SessionSettings {
public:
    explicit SessionSettings(const PlatformProfile& profile);

    const PlatformProfile& profile() const { return m_profile; }

    // The input prompt of the directory reaction ("Please locate your Quake II
    // directory"). Without one, the prompt counts as cancelled.
    void setDirectoryPrompt(TextPrompt* prompt) { m_directoryPrompt = prompt; }
    void setOnChanged(std::function<void()> callback) { m_onChanged = std::move(callback); }

    // --- Values.
    bool checked(Field field) const { return m_checked[index(field)]; }
    const std::string& text(Field field) const { return m_text[index(field)]; }
    // "1" or "0".
    std::string flagText(Field field) const { return checked(field) ? "1" : "0"; }
    const std::string& gameDirectory() const { return text(Field::DirectoryEdit); }

    std::optional<MapType> mapType() const;
    BotMode botMode() const;
    TeamLayout teamLayout() const { return m_teamLayout; }

    const SelectList& mapList(MapType type) const { return m_maps[static_cast<int>(type)]; }
    // The selected map of the current map type's list; empty when none.
    std::string selectedMap() const;
    const CheckList& bots() const { return m_bots; }
    const CheckList& botTeams() const { return m_botTeams; }
    const std::vector<std::string>& yourTeamItems() const { return m_yourTeamItems; }
    const std::vector<std::string>& configItems() const { return m_configItems; }
    const SelectList& redList() const { return m_red; }
    const SelectList& blueList() const { return m_blue; }
    const SelectList& availableList() const { return m_available; }

    // The deathmatch flag word; empty until first computed.
    const std::string& flagWord() const { return m_flagWord; }
    // The command-line preview, as of the last rebuild.
    const std::string& commandLine() const { return m_commandLine; }
    // The executable path: directory, separator, file name.
    std::string executablePath() const;
    // A path below the game directory: gamePath({"vantor", "wyn.cfg"}).
    std::string gamePath(std::initializer_list<std::string_view> parts) const;

    ViewState viewState() const;

    // The current preset file, and the window caption: "Vantor Frontend", or
    // "Vantor Frontend - " and the file name of the preset last opened or saved.
    const std::string& currentPresetName() const { return m_presetName; }
    void setCurrentPresetName(const std::string& path);
    const std::string& caption() const { return m_caption; }
    void showPresetInCaption(const std::string& path);

    // --- Changes, each with the control's reaction.
    void setChecked(Field field, bool value);
    // Chooses a radio button (its siblings are cleared) and runs its reaction.
    void chooseRadio(Field radio);
    // The program sets a text: edits react, combo boxes do not.
    void setText(Field field, const std::string& value);
    // The user changed a text: the control's reaction always runs.
    void userSetText(Field field, const std::string& value);

    // Map lists. A selection by the program runs nothing; a click of the user
    // refreshes the preview (and picks the team layout for an External map).
    // Replaces a list's maps (as a scan does); the list has no selection then.
    void setMapItems(MapType type, std::vector<std::string> maps);
    void selectMap(MapType type, int index);
    void selectMapByName(MapType type, const std::string& name);
    void userSelectMap(MapType type, int index);
    void refreshMaps();             // "R&efresh"
    void randomMap(unsigned seed);  // "&Random Map"; seed from the clock

    // Bot and team lists.
    void setBotChecked(int index, bool value);
    void setBotTeamChecked(int index, bool value);
    void checkBots(const std::vector<std::string>& names);
    void checkBotTeams(const std::vector<std::string>& names);
    void setBotTeamsCurrent(int index);
    void setRoster(std::vector<std::string> botNames, std::vector<std::string> teamNames);

    // CTF teams: the selection of each list and the four move buttons.
    void selectRed(int index);
    void selectBlue(int index);
    void selectAvailable(int index);
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
    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }

    void react(Field field);
    void setComboText(Field field, const std::string& value);  // no reaction
    void computeFlagWord();
    void scanMaps();
    void teamplayReaction();
    void showLayout(TeamLayout layout);
    void mapRadioReaction(MapType type);
    void ruleMaxClientsAgainstAutoTeams();
    void notify();

    class ChangeScope;

    PlatformProfile m_profile;
    TextPrompt* m_directoryPrompt = nullptr;
    std::function<void()> m_onChanged;
    int m_changeDepth = 0;

    std::array<bool, kFieldCount> m_checked{};
    std::array<std::string, kFieldCount> m_text{};
    std::array<SelectList, 3> m_maps;
    CheckList m_bots;
    CheckList m_botTeams;
    std::vector<std::string> m_yourTeamItems;
    std::vector<std::string> m_configItems;
    SelectList m_red;
    SelectList m_blue;
    SelectList m_available;
    TeamLayout m_teamLayout = TeamLayout::TeamChoice;
    std::string m_flagWord;
    std::string m_commandLine;
    std::string m_presetName;
    std::string m_caption = "Vantor Frontend";
};

}  // namespace wyn
