#include "session/command_line.h"

#include "base/file_system.h"
#include "session/session_settings.h"
#include "session/setting_items.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

using F = Field;

}  // namespace

std::string buildCommandLine(const SessionSettings& s) {
    std::string text;
    SettingItems line(s, [&text](const char* literal, const std::string& value) {
        text += literal;
        text += value;
    });
    line.always("", s.executablePath() + " +set game vantor");
    line.ifNotEmpty(" +set skill ", F::BotSkillComboBox);
    line.flag(" +set teamplay ", F::TeamplayCheckBox);
    line.flag(" +set bot_show_connect_info ", F::BotConnectInfoCheckBox);
    line.flag(" +set bot_allow_client_commands ", F::ClientCommandsCheckBox);
    line.flag(" +set bot_auto_skill ", F::AutoSkillCheckBox);
    line.flag(" +set bot_tarzan ", F::BotTarzanCheckBox);
    line.flag(" +set mapmod_random ", F::RandomMapCheckBox);
    if (s.botMode() == BotMode::Random) {
        line.always(" +set bot_num ", s.text(F::BotNumComboBox));
    }
    line.flagWord(" +set dmflags ");
    line.ifNotZero(" +set ctf_auto_teams ", F::CTFAutoTeamsComboBox);
    line.flag(" +set ctf_humanonly_teams ", F::HumanOnlyCheckBox);
    line.ifNotZero(" +set bot_free_clients ", F::FreeClientsComboBox);
    line.ifNotEmpty(" +set players_per_team ", F::PlayersPerTeamComboBox);
    line.flag(" +set view_weapons ", F::ViewWeaponsCheckBox);
    line.flag(" +set cheats ", F::AllowCheatsCheckBox);
    line.flag(" +set bot_calc_nodes ", F::DynamicNodeCheckBox);
    line.flag(" +set bot_chat ", F::BotChatCheckBox);
    line.ifChecked(" +set timelimit ", F::TimeLimitCheckBox, F::TimeLimitComboBox);
    line.ifChecked(" +set fraglimit ", F::FragLimitCheckBox, F::FragLimitComboBox);
    line.ifChecked(" +set capturelimit ", F::CaptureLimitCheckBox, F::CaptureLimitComboBox);
    line.ifChecked(" +set ctf_special_teams  ", F::SpecialTeamsCheckBox, F::SpecialTeamsComboBox);
    line.ifNotEmpty(" +set maxclients ", F::MaxClientsComboBox);
    line.flag(" +set logfile ", F::LogCheckBox);
    if (const auto type = s.mapType(); type && s.mapList(*type).hasSelection()) {
        line.always(" +map ", s.mapList(*type).selection());
    }
    const auto& config = s.text(F::ConfigComboBox);
    if (s.checked(F::ConfigCheckBox) && !config.empty() &&
        fileExists(s.gamePath({"baseq2", config + ".cfg"}))) {
        line.always(" +exec ", config + ".cfg");
    }
    line.ifNotEmpty(" +cmd lag ", F::LagEdit);
    if (s.checked(F::DedicatedCheckBox)) {
        line.always(" +set dedicated 1", "");
    }
    return text;
}

std::vector<std::string> commandLineToScript(const std::string& editedText,
                                             const std::string& executablePath) {
    std::string line = editedText.substr(0, editedText.find_first_of("\r\n"));
    if (const auto at = line.find(executablePath);
        !executablePath.empty() && at != std::string::npos) {
        line.erase(at, executablePath.size() + 1);
    }
    auto pieces = splitList(line, "+", true);
    if (!pieces.empty()) {
        pieces.erase(pieces.begin());
    }
    return pieces;
}

}  // namespace wyn
