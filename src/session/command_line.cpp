#include "session/command_line.h"

#include "base/file_system.h"
#include "session/session_settings.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

using F = Field;

class LineBuilder {
public:
    explicit LineBuilder(const SessionSettings& session) : m_session(session) {}

    void item(const char* literal, const std::string& value) {
        m_line += literal;
        m_line += value;
    }
    void flag(const char* literal, Field field) { item(literal, m_session.flagText(field)); }
    void ifNotEmpty(const char* literal, Field field) {
        if (!m_session.text(field).empty()) {
            item(literal, m_session.text(field));
        }
    }
    void ifNotZero(const char* literal, Field field) {
        const auto& value = m_session.text(field);
        if (!value.empty() && value != "0") {
            item(literal, value);
        }
    }
    void ifChecked(const char* literal, Field check, Field field) {
        if (m_session.checked(check)) {
            ifNotEmpty(literal, field);
        }
    }
    std::string take() { return std::move(m_line); }

private:
    const SessionSettings& m_session;
    std::string m_line;
};

}  // namespace

std::string buildCommandLine(const SessionSettings& s) {
    LineBuilder line(s);
    line.item("", s.executablePath() + " +set game vantor");
    line.ifNotEmpty(" +set skill ", F::BotSkillComboBox);
    line.flag(" +set teamplay ", F::TeamplayCheckBox);
    line.flag(" +set bot_show_connect_info ", F::BotConnectInfoCheckBox);
    line.flag(" +set bot_allow_client_commands ", F::ClientCommandsCheckBox);
    line.flag(" +set bot_auto_skill ", F::AutoSkillCheckBox);
    line.flag(" +set bot_tarzan ", F::BotTarzanCheckBox);
    line.flag(" +set mapmod_random ", F::RandomMapCheckBox);
    if (s.botMode() == BotMode::Random) {
        line.item(" +set bot_num ", s.text(F::BotNumComboBox));
    }
    if (!s.flagWord().empty() && s.flagWord() != "0") {
        line.item(" +set dmflags ", s.flagWord());
    }
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
        line.item(" +map ", s.mapList(*type).selection());
    }
    const auto& config = s.text(F::ConfigComboBox);
    if (s.checked(F::ConfigCheckBox) && !config.empty() &&
        fileExists(s.gamePath({"baseq2", config + ".cfg"}))) {
        line.item(" +exec ", config + ".cfg");
    }
    line.ifNotEmpty(" +cmd lag ", F::LagEdit);
    if (s.checked(F::DedicatedCheckBox)) {
        line.item(" +set dedicated 1", "");
    }
    return line.take();
}

std::vector<std::string> commandLineToScript(const std::string& editedText,
                                             const std::string& executablePath) {
    std::string line = editedText.substr(0, editedText.find_first_of("\r\n"));
    if (const auto at = line.find(executablePath); !executablePath.empty() && at != std::string::npos) {
        line.erase(at, executablePath.size() + 1);
    }
    auto pieces = splitList(line, "+", true);
    if (!pieces.empty()) {
        pieces.erase(pieces.begin());
    }
    return pieces;
}

}  // namespace wyn
