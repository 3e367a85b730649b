#include "session/launch.h"

#include "base/text_file.h"
#include "session/command_line.h"
#include "session/preset_file.h"
#include "session/session_settings.h"
#include "session/setting_items.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

using F = Field;

// Script lines: the literal and the value make one line.
auto lineCollector(std::vector<std::string>& lines) {
    return [&lines](const char* literal, const std::string& value) {
        lines.push_back(literal + value);
    };
}

}  // namespace

std::vector<std::string> scriptSettingLines(const SessionSettings& s) {
    std::vector<std::string> lines;
    SettingItems script(s, lineCollector(lines));
    script.ifNotEmpty("set skill ", F::BotSkillComboBox);
    script.flag("set teamplay ", F::TeamplayCheckBox);
    script.flag("set bot_show_connect_info ", F::BotConnectInfoCheckBox);
    script.flag("set bot_allow_client_commands ", F::ClientCommandsCheckBox);
    script.flag("set bot_auto_skill ", F::AutoSkillCheckBox);
    script.flag("set bot_tarzan ", F::BotTarzanCheckBox);
    script.flag("set mapmod_random ", F::RandomMapCheckBox);
    script.flagWord("set dmflags ");
    if (s.botMode() == BotMode::Random) {
        script.ifNotEmpty("set bot_num ", F::BotNumComboBox);
    }
    script.ifNotZero("set ctf_auto_teams ", F::CTFAutoTeamsComboBox);
    script.ifNotZero("set bot_free_clients ", F::FreeClientsComboBox);
    script.ifNotEmpty("set players_per_team ", F::PlayersPerTeamComboBox);
    script.flag("set view_weapons ", F::ViewWeaponsCheckBox);
    script.flag("set cheats ", F::AllowCheatsCheckBox);
    script.flag("set bot_calc_nodes ", F::DynamicNodeCheckBox);
    script.flag("set bot_chat ", F::BotChatCheckBox);
    script.ifChecked("set timelimit ", F::TimeLimitCheckBox, F::TimeLimitComboBox);
    script.ifChecked("set fraglimit ", F::FragLimitCheckBox, F::FragLimitComboBox);
    script.ifChecked("set capturelimit ", F::CaptureLimitCheckBox, F::CaptureLimitComboBox);
    script.flag("set logfile ", F::LogCheckBox);
    script.ifNotEmpty("set maxclients ", F::MaxClientsComboBox);
    return lines;
}

std::optional<std::vector<std::string>> scriptMapLines(const SessionSettings& s) {
    const auto type = s.mapType();
    if (!type || !s.mapList(*type).hasSelection()) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    SettingItems script(s, lineCollector(lines));
    script.always("map ", s.mapList(*type).selection());
    if (s.checked(F::ConfigCheckBox)) {
        if (const auto& config = s.text(F::ConfigComboBox); !config.empty()) {
            script.always("exec ", config + ".cfg");
        }
    }
    script.ifNotEmpty("cmd lag ", F::LagEdit);
    return lines;
}

LauncherLines launcherLines(const SessionSettings& s) {
    if (!s.checked(F::TeamplayCheckBox)) {
        if (s.botMode() != BotMode::Specific) {
            return {{""}, {}};
        }
        const auto bots = joinNames(s.bots().checkedNames());
        if (bots.empty()) {
            return {{}, launch_text::SelectBot};
        }
        return {{launcherBotsLine(bots)}, {}};
    }
    if (s.teamLayout() == TeamLayout::TeamChoice) {
        const auto& yourTeam = s.text(F::YourTeamComboBox);
        if (yourTeam.empty()) {
            return {{}, launch_text::SelectTeam};
        }
        const auto teams = joinNames(s.botTeams().checkedNames());
        if (teams.empty()) {
            return {{}, launch_text::SelectTeams};
        }
        return {launcherTeamLines(yourTeam, teams), {}};
    }
    const auto red = joinNames(s.redList().items());
    const auto blue = joinNames(s.blueList().items());
    if (red.empty() || blue.empty()) {
        return {{}, launch_text::AssignBots};
    }
    return {{"sv redbots " + red, "sv bluebots " + blue}, {}};
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
    return {s.executablePath(), startArguments(dedicated), s.gameDirectory()};
}

StartRequest startRequest(const SessionSettings& s) {
    return startRequest(s, s.checked(F::DedicatedCheckBox));
}

std::string scriptPath(const SessionSettings& s) {
    return s.gamePath({"vantor", "wyn.cfg"});
}

std::string launcherPath(const SessionSettings& s) {
    return s.gamePath({"vantor", "launcher.cfg"});
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
    return startGame(startRequest(s), s.checked(F::ExitCheckBox), prompts, starter);
}

}  // namespace wyn
