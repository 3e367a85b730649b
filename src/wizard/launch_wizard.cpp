#include "wizard/launch_wizard.h"

#include <random>
#include <utility>

#include "base/text_file.h"
#include "session/console_values.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

// The wizard's codec keeps empty names, so a marked entry is never dropped.
std::string joinWithBlanks(const std::vector<std::string>& names) {
    return joinList(names, " ", true);
}

std::vector<std::string> numberItems(int first, int last) {
    std::vector<std::string> items;
    for (int i = first; i <= last; ++i) {
        items.push_back(std::to_string(i));
    }
    return items;
}

bool isTeamGame(const WizardAnswers& a) {
    return a.gameType == WizardGameType::DeathmatchWithTeams;
}

}  // namespace

const char* wizardGameTypeName(WizardGameType type) {
    switch (type) {
        case WizardGameType::Deathmatch:
            return "Deathmatch";
        case WizardGameType::DeathmatchWithTeams:
            return "Deathmatch with Teams";
        case WizardGameType::CaptureTheFlag:
            return "Capture the Flag";
    }
    return "";
}

WizardAnswers wizardAnswersFrom(const SessionSettings& session) {
    WizardAnswers a;
    std::vector<std::string> maps;
    for (const auto type : kMapTypes) {
        const auto& items = session.mapList(type).items();
        maps.insert(maps.end(), items.begin(), items.end());
    }
    a.maps.setItems(std::move(maps));
    a.maps.selectFirst();
    a.bots.setItems(session.bots().items());
    for (std::size_t i = 0; i < a.bots.size(); ++i) {
        a.bots.setChecked(i, session.bots().isChecked(i));
    }
    a.yourTeamItems = session.yourTeamItems();
    a.yourTeam = a.yourTeamItems.empty() ? std::string() : a.yourTeamItems.front();
    a.botTeams.setItems(a.yourTeamItems);
    return a;
}

std::vector<std::string> wizardBotCountItems() {
    return numberItems(0, 30);
}

std::vector<std::string> wizardPlayersPerTeamItems() {
    return numberItems(1, 12);
}

std::string wizardOpponentList(const std::vector<std::string>& names) {
    std::vector<std::string> items;
    items.reserve(names.size());
    for (const auto& name : names) {
        items.push_back(name + ",");
    }
    std::string list = joinWithBlanks(items);
    while (!list.empty() && list.back() == ',') {
        list.pop_back();
    }
    return list;
}

WizardPageCheck checkBotPage(const WizardAnswers& a) {
    WizardPageCheck check;
    if (a.botMode == WizardBotMode::Specific) {
        const auto bots = a.bots.checkedNames();
        if (bots.empty()) {
            check.errors.emplace_back(kWizardSelectBot);
        } else {
            check.launcherLines.push_back(launcherBotsLine(joinWithBlanks(bots)));
        }
    } else if (a.botCount.empty()) {
        check.errors.emplace_back(kWizardSelectBotCount);
    }
    return check;
}

WizardPageCheck checkTeamPage(const WizardAnswers& a) {
    WizardPageCheck check;
    const auto teams = a.botTeams.checkedNames();
    if (a.yourTeam.empty()) {
        check.errors.emplace_back(kWizardSelectTeam);
    }
    if (a.playersPerTeam.empty()) {
        check.errors.emplace_back(kWizardSelectPlayersPerTeam);
    }
    if (teams.empty()) {
        check.errors.emplace_back(kWizardSelectTeams);
    }
    if (check.errors.empty()) {
        check.launcherLines = launcherTeamLines(a.yourTeam, joinWithBlanks(teams));
    }
    return check;
}

std::vector<std::string> wizardSummary(const WizardAnswers& a) {
    std::vector<std::string> lines{
        std::string("Game Type:  ") + wizardGameTypeName(a.gameType),
        "",
        "Initial Map:  " + a.maps.selection(),
        "",
    };
    if (isTeamGame(a)) {
        lines.insert(lines.end(),
                     {"Maximum Number of Players per Team:  " + a.playersPerTeam, "",
                      "Your Team:  " + a.yourTeam, "",
                      "Opponent Teams:  " + wizardOpponentList(a.botTeams.checkedNames())});
    } else if (a.botMode == WizardBotMode::Specific) {
        lines.push_back("Opponent Bots:  " + wizardOpponentList(a.bots.checkedNames()));
    } else {
        lines.push_back("Number of opponent bots:  " + a.botCount);
    }
    return lines;
}

std::vector<std::string> wizardScriptLines(const WizardAnswers& a) {
    std::vector<std::string> lines;
    if (a.gameType == WizardGameType::DeathmatchWithTeams) {
        lines.emplace_back("set teamplay 1");
    } else if (a.gameType == WizardGameType::CaptureTheFlag) {
        lines.emplace_back("set ctf 1");
    }
    lines.emplace_back("set bot_show_connect_info 1");
    lines.emplace_back("set bot_allow_client_commands 1");
    if (!isTeamGame(a) && a.botMode == WizardBotMode::Random) {
        lines.push_back("set bot_num " + a.botCount);
    }
    if (isTeamGame(a) && !a.playersPerTeam.empty()) {
        lines.push_back("set players_per_team " + a.playersPerTeam);
    }
    lines.emplace_back("set bot_chat 1");
    lines.push_back("map " + consoleWord(a.maps.selection()));
    return lines;
}

std::optional<std::string> unsafeWizardValue(const WizardAnswers& a) {
    std::vector<std::pair<std::string_view, std::string>> values;
    if (!isTeamGame(a) && a.botMode == WizardBotMode::Random) {
        values.emplace_back("# of Bots", a.botCount);
    }
    if (isTeamGame(a)) {
        values.emplace_back("Players per Team", a.playersPerTeam);
    }
    values.emplace_back("map", a.maps.selection());
    if (isTeamGame(a)) {
        values.emplace_back(kYourTeamSource, a.yourTeam);
    }
    for (const auto& [source, value] : values) {
        if (auto message = unsafeValueMessage(source, value)) {
            return message;
        }
    }
    if (isTeamGame(a)) {
        return unsafeNameMessage("team", a.botTeams.checkedNames());
    }
    if (a.botMode == WizardBotMode::Specific) {
        return unsafeNameMessage("bot", a.bots.checkedNames());
    }
    return std::nullopt;
}

// -- The wizard --------------------------------------------------------------------

LaunchWizard::LaunchWizard(const SessionSettings& session, WizardPrompts& prompts,
                           GameStarter& starter)
    : m_session(session),
      m_prompts(prompts),
      m_starter(starter),
      m_assistent(assistentSetup(), kIntroPage),
      m_answers(wizardAnswersFrom(session)) {}

// Back, Next (Launch on the last page) and Cancel; the team page is reached
// only by the map page's question, and the bot page skips it.
AssistentSetup LaunchWizard::assistentSetup() {
    AssistentSetup setup;
    setup.WayList = {kWayFollowing, kWayFollowing, kWayAsk, kLaunchPage, kWayFollowing, kWayLast};
    setup.BtnFinish.Text = "&Launch";
    setup.OnAskPageChange = [this](int aktPage, int& newPage) {
        WizardAssistentAskPageChange(aktPage, newPage);
    };
    setup.OnCanPageChange = [this](int fromPage, int& toPage) {
        return WizardAssistentCanPageChange(fromPage, toPage);
    };
    setup.OnCancelClick = [](int) { return true; };
    return setup;
}

bool WizardChange::any() const {
    return page || answers || maps.any() || bots.any() || botTeams.any() || yourTeamItems ||
           ctfText || summary || closed;
}

LaunchWizard::Snapshot LaunchWizard::snapshot() const {
    const WizardAnswers& a = m_answers;
    return {page(),
            a.gameType,
            a.botMode,
            a.botCount,
            a.playersPerTeam,
            a.yourTeam,
            a.closeOnLaunch,
            a.maps.revision(),
            a.bots.revision(),
            a.botTeams.revision(),
            a.yourTeamItems,
            m_ctfTextShown,
            m_summary,
            closed()};
}

WizardChange LaunchWizard::compare(const Snapshot& b) const {
    const WizardAnswers& a = m_answers;
    WizardChange change;
    change.page = b.page != page();
    change.answers = b.gameType != a.gameType || b.botMode != a.botMode ||
                     b.botCount != a.botCount || b.playersPerTeam != a.playersPerTeam ||
                     b.yourTeam != a.yourTeam || b.closeOnLaunch != a.closeOnLaunch;
    change.maps = ListChange::between(b.maps, a.maps.revision());
    change.bots = ListChange::between(b.bots, a.bots.revision());
    change.botTeams = ListChange::between(b.botTeams, a.botTeams.revision());
    change.yourTeamItems = b.yourTeamItems != a.yourTeamItems;
    change.ctfText = b.ctfTextShown != m_ctfTextShown;
    change.summary = b.summary != m_summary;
    change.closed = b.closed != closed();
    return change;
}

void LaunchWizard::next() {
    m_tracker.run([&] { m_assistent.next(); });
}

void LaunchWizard::back() {
    m_tracker.run([&] { m_assistent.back(); });
}

void LaunchWizard::cancel() {
    m_tracker.run([&] { m_assistent.cancel(); });
}

void LaunchWizard::setGameType(WizardGameType type) {
    m_tracker.run([&] { m_answers.gameType = type; });
}

void LaunchWizard::setBotMode(WizardBotMode mode) {
    m_tracker.run([&] { m_answers.botMode = mode; });
}

void LaunchWizard::setBotCount(std::string text) {
    m_tracker.run([&] { m_answers.botCount = std::move(text); });
}

void LaunchWizard::setPlayersPerTeam(std::string text) {
    m_tracker.run([&] { m_answers.playersPerTeam = std::move(text); });
}

void LaunchWizard::setYourTeam(std::string text) {
    m_tracker.run([&] { m_answers.yourTeam = std::move(text); });
}

void LaunchWizard::setCloseOnLaunch(bool value) {
    m_tracker.run([&] { m_answers.closeOnLaunch = value; });
}

void LaunchWizard::selectMap(Selection index) {
    m_tracker.run([&] { m_answers.maps.select(index); });
}

void LaunchWizard::RandomButtonClick(unsigned seed) {
    const auto count = static_cast<int>(m_answers.maps.size());
    if (count == 0) {
        return;
    }
    m_tracker.run([&] {
        std::mt19937 generator(seed);
        const int pick = std::uniform_int_distribution<int>(0, count - 1)(generator);
        m_answers.maps.select(static_cast<std::size_t>(pick));
    });
}

void LaunchWizard::setBotChecked(std::size_t index, bool value) {
    m_tracker.run([&] { m_answers.bots.setChecked(index, value); });
}

void LaunchWizard::setBotTeamChecked(std::size_t index, bool value) {
    m_tracker.run([&] { m_answers.botTeams.setChecked(index, value); });
}

void LaunchWizard::editBotProfiles() {
    m_tracker.run([&] {
        m_prompts.editBotProfiles();
        refillRoster();
    });
}

// The editor may have added, renamed or removed bots and teams; lists left as
// they were would launch with names bots.cfg no longer has.
void LaunchWizard::refillRoster() {
    m_answers.bots.setItemsKeepingChecks(m_session.bots().items());
    m_answers.yourTeamItems = m_session.yourTeamItems();
    m_answers.botTeams.setItemsKeepingChecks(m_answers.yourTeamItems);
}

void LaunchWizard::WizardAssistentAskPageChange(int aktPage, int& newPage) const {
    if (aktPage == kMapPage) {
        newPage = isTeamGame(m_answers) ? kTeamPage : kBotPage;
    }
}

bool LaunchWizard::WizardAssistentCanPageChange(int fromPage, int toPage) {
    if (fromPage == kGameTypePage && toPage == kMapPage) {
        m_ctfTextShown = m_answers.gameType == WizardGameType::CaptureTheFlag;
        return true;
    }
    if (fromPage == kMapPage && (toPage == kBotPage || toPage == kTeamPage)) {
        if (!m_answers.maps.hasSelection()) {
            m_prompts.showError(std::string(kWizardSelectMap));
            return false;
        }
        return true;
    }
    if (fromPage == kBotPage && toPage == kLaunchPage) {
        return leaveForLaunchPage(checkBotPage(m_answers));
    }
    if (fromPage == kTeamPage && toPage == kLaunchPage) {
        return leaveForLaunchPage(checkTeamPage(m_answers));
    }
    if (fromPage == kLaunchPage && toPage == kFinishPage) {
        launch();
        return false;  // the wizard stays open on the launch page
    }
    return true;
}

bool LaunchWizard::leaveForLaunchPage(const WizardPageCheck& check) {
    m_launcherLines = check.launcherLines;
    for (const auto& error : check.errors) {
        m_prompts.showError(error);
    }
    m_summary = wizardSummary(m_answers);
    return check.errors.empty();
}

void LaunchWizard::launch() {
    // Checked before anything is written.
    const GameEngine game = m_session.recogniseEngine();
    auto problem = unsafeWizardValue(m_answers);
    if (!problem) {
        problem = gameLibraryProblem(game);
    }
    if (problem) {
        m_prompts.showError(*problem);
        m_lastLaunch = LaunchResult{LaunchOutcome::Stopped, false};
        return;
    }
    m_scriptLines = wizardScriptLines(m_answers);
    makeScriptsFolder(game);
    writeLines(scriptPath(game), m_scriptLines);
    writeLines(launcherPath(game), m_launcherLines);
    // The wizard offers no dedicated server.
    m_lastLaunch = startGame(startRequest(m_session, game, false), m_answers.closeOnLaunch,
                             m_prompts, m_starter);
    if (m_lastLaunch->closeWindow && OnCloseMainWindow) {
        OnCloseMainWindow();
    }
}

}  // namespace wyn
