#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/game_starter.h"
#include "base/lists.h"
#include "base/notifier.h"
#include "base/prompts.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "wizard/assistent.h"

namespace wyn {

inline constexpr std::string_view kWizardCaption = "WYN Wizard";

// The wizard's pages, numbered from 1 as the framework numbers them.
inline constexpr int kIntroPage = 1;
inline constexpr int kGameTypePage = 2;
inline constexpr int kMapPage = 3;
inline constexpr int kBotPage = 4;
inline constexpr int kTeamPage = 5;
inline constexpr int kLaunchPage = 6;

inline constexpr std::string_view kWizardSelectMap = "Please select a starting map.";
inline constexpr std::string_view kWizardSelectBot = launch_text::SelectBot;
inline constexpr std::string_view kWizardSelectBotCount =
    "Please select a number of bots to play against.";
inline constexpr std::string_view kWizardSelectTeam = launch_text::SelectTeam;
inline constexpr std::string_view kWizardSelectPlayersPerTeam =
    "Please select a maximum number of players allowed on each team.";
inline constexpr std::string_view kWizardSelectTeams = launch_text::SelectTeams;

// DMRadio, DMTeamsRadio, CTFRadio.
enum class WizardGameType { Deathmatch, DeathmatchWithTeams, CaptureTheFlag };
// SpecificRadio, RandomRadio.
enum class WizardBotMode { Specific, Random };

// "Deathmatch", "Deathmatch with Teams", "Capture the Flag".
const char* wizardGameTypeName(WizardGameType type);

// The answers as the wizard's controls hold them. Texts are used exactly as
// they stand; the counts get no numeric check.
struct WizardAnswers {
    WizardGameType gameType = WizardGameType::Deathmatch;
    SelectList maps;  // MapListBox
    WizardBotMode botMode = WizardBotMode::Specific;
    CheckList bots;                          // BotsListBox
    std::string botCount = "0";              // BotNumComboBox
    std::string playersPerTeam = "2";        // PlayersPerTeamComboBox
    std::string yourTeam;                    // YourTeamComboBox text
    std::vector<std::string> yourTeamItems;  // YourTeamComboBox items
    CheckList botTeams;                      // BotTeamsListBox
    bool closeOnLaunch = false;              // ExitCheckBox
};

// The answers of a fresh wizard, its lists copied from the main window: the
// three map lists in turn (first entry selected), the bots with their marks,
// the team names (first one chosen as your team, none marked as opponents).
WizardAnswers wizardAnswersFrom(const SessionSettings& session);

// The items of BotNumComboBox ("0" to "30") and PlayersPerTeamComboBox ("1" to "12").
std::vector<std::string> wizardBotCountItems();
std::vector<std::string> wizardPlayersPerTeamItems();

// Names for the summary: each followed by a comma, joined with blanks, the
// commas at the very end removed ("A, B").
std::string wizardOpponentList(const std::vector<std::string>& names);

// What leaving the bot or team page towards the launch page finds: the
// messages of the failing checks, in order, and the lines of launcher.cfg
// (empty while a check fails, and for random bots).
struct WizardPageCheck {
    std::vector<std::string> errors;
    std::vector<std::string> launcherLines;
};
WizardPageCheck checkBotPage(const WizardAnswers& answers);
WizardPageCheck checkTeamPage(const WizardAnswers& answers);

// The lines of SettingsMemo.
std::vector<std::string> wizardSummary(const WizardAnswers& answers);
// The lines of the wizard's wyn.cfg.
std::vector<std::string> wizardScriptLines(const WizardAnswers& answers);
// The message for the first answer bound for the scripts that the game's
// console would read as more than that one value; nothing when all are plain.
std::optional<std::string> unsafeWizardValue(const WizardAnswers& answers);

// What one change of the wizard changed.
struct WizardChange {
    bool page = false;     // the page shown, its buttons and the caption
    bool answers = false;  // the radio buttons, texts and the close box
    ListChange maps;       // MapListBox
    ListChange bots;       // BotsListBox
    ListChange botTeams;   // BotTeamsListBox
    bool yourTeamItems = false;
    bool ctfText = false;
    bool summary = false;  // SettingsMemo
    bool closed = false;

    bool any() const;
};

// What the wizard asks the window for in its middle.
class WizardPrompts : public virtual MessagePrompts {
public:
    // The map cycle editor, modal over the wizard.
    virtual void editMapCycle() = 0;
    // The bot profile editor, modal over the wizard. It refills the main
    // window's bot and team lists when it writes bots.cfg.
    virtual void editBotProfiles() = 0;
};

// The logic of TWizardForm: the answers, the page framework configured as the
// wizard uses it (WizardAssistent), the checks of each move, the summary and
// the launch. The window forwards each event to one call and redraws from the
// answers and the framework's state (the page, the buttons).
//
// The main window's session is read when the wizard opens (its lists), after
// the bot profile editor (its bot and team lists again) and at each launch
// (game directory and executable); the wizard never changes it.
class LaunchWizard {
public:
    LaunchWizard(const SessionSettings& session, WizardPrompts& prompts, GameStarter& starter);
    // The framework's events call back into this object.
    LaunchWizard(const LaunchWizard&) = delete;
    LaunchWizard& operator=(const LaunchWizard&) = delete;

    [[nodiscard]] Connection onChange(std::function<void(const WizardChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }

    const TAssistent& WizardAssistent() const { return m_assistent; }
    const WizardAnswers& answers() const { return m_answers; }
    int page() const { return m_assistent.page(); }
    // Cancel was pressed: the window closes.
    bool closed() const { return m_assistent.result() == DialogResult::Cancel; }

    // -- Navigation (the framework's buttons). Next on the launch page is the
    // launch; a script that cannot be written throws WynError ("Cannot create
    // file PATH") for the general error display, and nothing is started.
    void next();
    void back();
    void cancel();

    // -- The controls.
    void setGameType(WizardGameType type);
    // MapListBox click; an index out of range selects nothing.
    void selectMap(Selection index);
    // "&Random Map": a uniformly random entry; the seed comes from the clock.
    void RandomButtonClick(unsigned seed);
    void MapCycleButtonClick() { m_prompts.editMapCycle(); }
    void SpecificRadioClick() { setBotMode(WizardBotMode::Specific); }
    void RandomRadioClick() { setBotMode(WizardBotMode::Random); }
    void setBotChecked(std::size_t index, bool value);
    void setBotCount(std::string text);
    void BotsCFGButtonClick() { editBotProfiles(); }
    void setPlayersPerTeam(std::string text);
    void setYourTeam(std::string text);
    void setBotTeamChecked(std::size_t index, bool value);
    void EditTeamsButtonClick() { editBotProfiles(); }
    void setCloseOnLaunch(bool value);

    // -- What the window draws beyond the answers.
    bool botNumEnabled() const { return m_answers.botMode == WizardBotMode::Random; }
    bool botsListEnabled() const { return m_answers.botMode == WizardBotMode::Specific; }
    // CTFText on the map page.
    bool ctfTextShown() const { return m_ctfTextShown; }
    // SettingsMemo, LauncherCFGMemo and WYNCFGMemo (the script of the last launch).
    const std::vector<std::string>& summary() const { return m_summary; }
    const std::vector<std::string>& launcherLines() const { return m_launcherLines; }
    const std::vector<std::string>& scriptLines() const { return m_scriptLines; }

    // -- Launch. Close on Launch asks the owner to close the main window (its
    // normal closing, which ends the program and the wizard with it).
    std::function<void()> OnCloseMainWindow;
    // The last launch that reached the start request.
    const std::optional<LaunchResult>& lastLaunch() const { return m_lastLaunch; }

private:
    struct Snapshot {
        int page;
        WizardGameType gameType;
        WizardBotMode botMode;
        std::string botCount;
        std::string playersPerTeam;
        std::string yourTeam;
        bool closeOnLaunch;
        ListRevision maps;
        ListRevision bots;
        ListRevision botTeams;
        std::vector<std::string> yourTeamItems;
        bool ctfTextShown;
        std::vector<std::string> summary;
        bool closed;
    };
    Snapshot snapshot() const;
    WizardChange compare(const Snapshot& before) const;
    void setBotMode(WizardBotMode mode);
    AssistentSetup assistentSetup();
    void editBotProfiles();
    void refillRoster();
    void WizardAssistentAskPageChange(int aktPage, int& newPage) const;
    bool WizardAssistentCanPageChange(int fromPage, int toPage);
    bool leaveForLaunchPage(const WizardPageCheck& check);
    void launch();

    const SessionSettings& m_session;
    WizardPrompts& m_prompts;
    GameStarter& m_starter;
    TAssistent m_assistent;
    WizardAnswers m_answers;
    bool m_ctfTextShown = false;
    std::vector<std::string> m_summary;
    std::vector<std::string> m_launcherLines;
    std::vector<std::string> m_scriptLines;
    std::optional<LaunchResult> m_lastLaunch;
    ChangeTracker<WizardChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

}  // namespace wyn
