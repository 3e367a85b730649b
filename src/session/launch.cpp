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
            auto& line = lines.emplace_back(setting->command);
            line += value->text;
            line += value->suffix;
        }
    }
    return lines;
}

}  // namespace

std::optional<std::string> unsafeScriptValue(const SessionSettings& s) {
    for (const GameSetting* setting : scriptSettings()) {
        if (setting->source.empty()) {
            continue;  // the program's own value: a flag, the flag word
        }
        if (const auto value = settingValue(*setting, GameOutput::Script, s)) {
            if (auto message = unsafeValueMessage(setting->source, value->text)) {
                return message;
            }
        }
    }
    return std::nullopt;
}

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

LauncherLines launcherLines(const SessionSettings& s) {
    if (!s.checked(F::TeamplayCheckBox)) {
        if (s.botMode() != BotMode::Specific) {
            return {{""}, {}};
        }
        const auto bots = s.bots().checkedNames();
        if (bots.empty()) {
            return {{}, launch_text::SelectBot};
        }
        if (auto unsafe = unsafeNameMessage("bot", bots)) {
            return {{}, std::move(*unsafe)};
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
        if (auto unsafe = unsafeValueMessage(kYourTeamSource, yourTeam)) {
            return {{}, std::move(*unsafe)};
        }
        if (auto unsafe = unsafeNameMessage("team", teams)) {
            return {{}, std::move(*unsafe)};
        }
        return {launcherTeamLines(yourTeam, joinNames(teams)), {}};
    }
    const auto& red = s.redList().items();
    const auto& blue = s.blueList().items();
    if (red.empty() || blue.empty()) {
        return {{}, launch_text::AssignBots};
    }
    for (const auto* names : {&red, &blue}) {
        if (auto unsafe = unsafeNameMessage("bot", *names)) {
            return {{}, std::move(*unsafe)};
        }
    }
    return {{"sv redbots " + joinNames(red), "sv bluebots " + joinNames(blue)}, {}};
}

std::vector<std::string> startArguments(bool dedicated) {
    std::vector<std::string> arguments{"+set", "game", "vantor"};
    if (dedicated) {
        arguments.insert(arguments.end(), {"+set", "dedicated", "1"});
    }
    arguments.insert(arguments.end(), {"+exec", "wyn.cfg"});
    return arguments;
}

std::string launcherBotsLine(const std::string& bots) {
    return "sv bots " + bots;
}

std::vector<std::string> launcherTeamLines(const std::string& yourTeam, const std::string& teams) {
    return {"cmd join " + yourTeam, "sv teams " + teams};
}

StartRequest startRequest(const SessionSettings& s, bool dedicated) {
    // An engine that would not take the game directory by itself is told it
    // first; the start parameters follow unchanged.
    auto arguments = startArguments(s.engine(), s.engineEnvironment());
    const auto parameters = startArguments(dedicated);
    arguments.insert(arguments.end(), parameters.begin(), parameters.end());
    return {s.executablePath(), std::move(arguments), s.gameDirectory()};
}

StartRequest startRequest(const SessionSettings& s) {
    return startRequest(s, s.checked(F::DedicatedCheckBox));
}

std::string scriptsFolder(const SessionSettings& s) {
    return engineScriptsFolder(s.engine(), s.engineEnvironment());
}

void makeScriptsFolder(const SessionSettings& s) {
    const std::string folder = scriptsFolder(s);
    // The game directory's add-on folder is the add-on's own: where it is
    // missing, the write fails and says so.
    if (folder != s.gamePath({kAddOnFolder})) {
        makeDirectories(folder);
    }
}

std::string scriptPath(const SessionSettings& s) {
    return s.profile().path(scriptsFolder(s), {"wyn.cfg"});
}

std::string launcherPath(const SessionSettings& s) {
    return s.profile().path(scriptsFolder(s), {"launcher.cfg"});
}

std::optional<std::string> gameLibraryProblem(const SessionSettings& s) {
    return checkGameLibrary(s.engine(), s.engineEnvironment(), kAddOnFolder);
}

LaunchResult startSessionGame(const SessionSettings& s, bool dedicated, bool closeOnLaunch,
                              MessagePrompts& prompts, GameStarter& starter) {
    if (const auto problem = gameLibraryProblem(s)) {
        prompts.showError(*problem);
        return {LaunchOutcome::Stopped, false};
    }
    return startGame(startRequest(s, dedicated), closeOnLaunch, prompts, starter);
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
    makeScriptsFolder(s);
    const std::string script = scriptPath(s);
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
        // The edited line above is the user's own console text; these values
        // come from presets, files and stored state.
        if (const auto unsafe = unsafeScriptValue(s)) {
            prompts.showError(*unsafe);
            return {LaunchOutcome::Stopped, false};
        }
    }
    writeLines(script, lines);

    const auto launcher = launcherLines(s);
    if (!launcher.error.empty()) {
        prompts.showError(launcher.error);
        return {LaunchOutcome::Stopped, false};
    }
    writeLines(launcherPath(s), launcher.lines);

    if (s.checked(F::SaveSettingsCheckBox)) {
        SavePresetAs(s, prompts);  // cancelled: nothing is saved, the launch goes on
    }
    return startSessionGame(s, s.checked(F::DedicatedCheckBox), s.checked(F::ExitCheckBox), prompts,
                            starter);
}

}  // namespace wyn
