#include "session/launch.h"

#include <algorithm>

#include "base/file_system.h"
#include "base/text_file.h"
#include "session/command_line.h"
#include "session/console_values.h"
#include "session/game_settings.h"
#include "session/preset_file.h"
#include "session/session_settings.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

using F = Field;

// The script splits at the map: the settings before it, and the map with the
// lines after it, which a launch without a map never writes.
std::span<const GameSetting* const> scriptSettings() {
    return gameSettings(GameOutput::Script);
}

std::size_t mapPlace() {
    const auto all = scriptSettings();
    const auto map = std::ranges::find_if(
        all, [](const GameSetting* setting) { return setting->rule == SettingRule::Map; });
    return static_cast<std::size_t>(map - all.begin());
}

std::vector<std::string> scriptLines(const SessionSettings& s,
                                     std::span<const GameSetting* const> settings) {
    std::vector<std::string> lines;
    for (const GameSetting* setting : settings) {
        if (const auto value = settingValue(*setting, GameOutput::Script, s)) {
            appendSettingValue(lines.emplace_back(setting->command), *setting, *value);
        }
    }
    return lines;
}

// The names launcher.cfg takes from the session, each list with its source as
// a message names it: the layout's lists only.
std::vector<std::pair<std::string_view, std::vector<std::string>>> launcherNames(
    const SessionSettings& s) {
    if (!s.checked(F::TeamplayCheckBox)) {
        if (s.botMode() != BotMode::Specific) {
            return {};
        }
        return {{"bot", s.bots().checkedNames()}};
    }
    if (s.teamLayout() == TeamLayout::TeamChoice) {
        return {{kYourTeamSource, {s.text(F::YourTeamComboBox)}},
                {"team", s.botTeams().checkedNames()}};
    }
    return {{"bot", s.redList().items()}, {"bot", s.blueList().items()}};
}

}  // namespace

std::vector<std::string> scriptSettingLines(const SessionSettings& s) {
    return scriptLines(s, scriptSettings().first(mapPlace()));
}

std::optional<std::vector<std::string>> scriptMapLines(const SessionSettings& s) {
    const auto fromMap = scriptSettings().subspan(mapPlace());
    if (!settingValue(*fromMap.front(), GameOutput::Script, s)) {
        return std::nullopt;
    }
    return scriptLines(s, fromMap);
}

std::optional<std::string> unsafeConsoleValue(const SessionSettings& s) {
    // The edited line is split at '+' into script lines.
    const bool edited = s.checked(F::ManEditCheckBox);
    const auto output = edited ? GameOutput::Preview : GameOutput::Script;
    const auto context = edited ? ConsoleContext::CommandLine : ConsoleContext::Script;
    for (const GameSetting* setting : gameSettings(output)) {
        if (setting->source.empty()) {
            continue;  // the program's own value: a flag, the flag word
        }
        if (const auto value = settingValue(*setting, output, s)) {
            if (auto message = unsafeValueMessage(setting->source, value->text, context)) {
                return message;
            }
        }
    }
    for (const auto& [source, names] : launcherNames(s)) {
        if (auto message = unsafeNameMessage(source, names)) {
            return message;
        }
    }
    return std::nullopt;
}

LauncherLines launcherLines(const SessionSettings& s) {
    if (!s.checked(F::TeamplayCheckBox)) {
        if (s.botMode() != BotMode::Specific) {
            return {{""}, {}};
        }
        const auto bots = s.bots().checkedNames();
        if (bots.empty()) {
            return {{}, launch_text::SelectBot};
        }
        return {{launcherBotsLine(joinNames(bots))}, {}};
    }
    if (s.teamLayout() == TeamLayout::TeamChoice) {
        const auto& yourTeam = s.text(F::YourTeamComboBox);
        if (yourTeam.empty()) {
            return {{}, launch_text::SelectTeam};
        }
        const auto teams = s.botTeams().checkedNames();
        if (teams.empty()) {
            return {{}, launch_text::SelectTeams};
        }
        return {launcherTeamLines(yourTeam, joinNames(teams)), {}};
    }
    const auto& red = s.redList().items();
    const auto& blue = s.blueList().items();
    if (red.empty() || blue.empty()) {
        return {{}, launch_text::AssignBots};
    }
    return {{"sv redbots " + joinNames(red), "sv bluebots " + joinNames(blue)}, {}};
}

std::string launcherBotsLine(const std::string& bots) {
    return "sv bots " + bots;
}

std::vector<std::string> launcherTeamLines(const std::string& yourTeam, const std::string& teams) {
    return {"cmd join " + yourTeam, "sv teams " + teams};
}

StartRequest startRequest(const SessionSettings& s, const GameEngine& game, bool dedicated,
                          bool endsWithStarter) {
    // An engine that would not take the game directory by itself is told it
    // first (a sandboxed one is started through flatpak); the start
    // parameters follow unchanged.
    auto command = startCommand(game.engine, game.environment, s.executablePath(), endsWithStarter);
    const auto parameters = startParameters(dedicated);
    command.arguments.insert(command.arguments.end(), parameters.begin(), parameters.end());
    return {std::move(command.program), std::move(command.arguments), s.gameDirectory(), false,
            s.executablePath()};
}

StartRequest startRequest(const SessionSettings& s) {
    return startRequest(s, s.recogniseEngine(), s.checked(F::DedicatedCheckBox));
}

std::string scriptsFolder(const GameEngine& game) {
    return engineScriptsFolder(game.engine, game.environment);
}

void makeScriptsFolder(const GameEngine& game) {
    const std::string folder = scriptsFolder(game);
    const auto& environment = game.environment;
    // The game directory's add-on folder is the add-on's own: where it is
    // missing, the write fails and says so.
    if (folder != environment.profile.path(environment.gameDirectory, {kAddOnFolder})) {
        makeDirectories(folder);
    }
}

std::string scriptPath(const GameEngine& game) {
    return game.environment.profile.path(scriptsFolder(game), {"wyn.cfg"});
}

std::string launcherPath(const GameEngine& game) {
    return game.environment.profile.path(scriptsFolder(game), {"launcher.cfg"});
}

std::optional<std::string> gameLibraryProblem(const GameEngine& game) {
    if (auto unreachable = checkGameDirectoryReach(game.engine, game.environment)) {
        return unreachable;
    }
    return checkGameLibrary(game.engine, game.environment, kAddOnFolder);
}

std::optional<std::string> preflightProblem(const SessionSettings& s, const GameEngine& game) {
    if (auto unsafe = unsafeConsoleValue(s)) {
        return unsafe;
    }
    return gameLibraryProblem(game);
}

LaunchResult startGame(const StartRequest& request, bool closeOnLaunch, MessagePrompts& prompts,
                       GameStarter& starter) {
    // A window that stays can tell the player why the game went away.
    StartRequest start = request;
    start.watch = !closeOnLaunch;
    const bool started = starter.start(start);
    if (!started) {
        prompts.showError(launch_text::StartFailed);
    }
    return {started ? LaunchOutcome::Started : LaunchOutcome::StartFailed, closeOnLaunch};
}

LaunchResult Launch(SessionSettings& s, LaunchPrompts& prompts, GameStarter& starter) {
    const GameEngine game = s.recogniseEngine();
    if (const auto problem = preflightProblem(s, game)) {
        prompts.showError(*problem);
        return {LaunchOutcome::Stopped, false};
    }
    makeScriptsFolder(game);
    const std::string script = scriptPath(game);
    writeLines(script, {});

    std::vector<std::string> lines;
    if (s.checked(F::ManEditCheckBox)) {
        std::string line = s.commandLine();
        if (!prompts.editCommandLine(line)) {
            return {LaunchOutcome::Cancelled, false};
        }
        lines = commandLineToScript(line, s.executablePath());
    } else {
        lines = scriptSettingLines(s);
        const auto mapLines = scriptMapLines(s);
        if (!mapLines) {
            prompts.showError(launch_text::SelectMap);
            return {LaunchOutcome::Stopped, false};
        }
        lines.insert(lines.end(), mapLines->begin(), mapLines->end());
    }
    writeLines(script, lines);

    const auto launcher = launcherLines(s);
    if (!launcher.error.empty()) {
        prompts.showError(launcher.error);
        return {LaunchOutcome::Stopped, false};
    }
    writeLines(launcherPath(game), launcher.lines);

    if (s.checked(F::SaveSettingsCheckBox)) {
        SavePresetAs(s, prompts);  // cancelled: nothing is saved, the launch goes on
    }
    return startGame(
        startRequest(s, game, s.checked(F::DedicatedCheckBox), starter.waitsForTheGame()),
        s.checked(F::ExitCheckBox), prompts, starter);
}

}  // namespace wyn
