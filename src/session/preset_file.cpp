#include "session/preset_file.h"

#include <algorithm>
#include <array>

#include "base/text.h"
#include "base/text_file.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "store/list_codec.h"
#include "store/recent_files.h"

namespace wyn {

namespace {

using F = Field;

enum class LineKind { Map, Boolean, Text, Lag, Executable, Bots, BotTeams, MapType };

struct PresetLine {
    LineKind kind;
    Field field = F::ExitCheckBox;   // Boolean, Text
    MapType map = MapType::General;  // Map
};

constexpr PresetLine boolean(Field field) {
    return {LineKind::Boolean, field};
}
constexpr PresetLine text(Field field) {
    return {LineKind::Text, field};
}
constexpr PresetLine map(MapType type) {
    return {LineKind::Map, F::ExitCheckBox, type};
}
constexpr PresetLine special(LineKind kind) {
    return {kind};
}

// The preset's lines, in file order; each field once.
constexpr std::array<PresetLine, kPresetLineCount> kPresetLines{{
    map(MapType::General),            // 0
    map(MapType::CTF),                // 1
    map(MapType::External),           // 2
    boolean(F::ExitCheckBox),         // 3
    boolean(F::ManEditCheckBox),      // 4
    boolean(F::ExternalCheckBox),     // 5
    boolean(F::ConfigCheckBox),       // 6
    text(F::ConfigComboBox),          // 7
    boolean(F::LogCheckBox),          // 8
    special(LineKind::Executable),    // 9: written, never applied
    boolean(F::DedicatedCheckBox),    // 10
    text(F::MaxClientsComboBox),      // 11
    boolean(F::TimeLimitCheckBox),    // 12
    boolean(F::FragLimitCheckBox),    // 13
    text(F::TimeLimitComboBox),       // 14
    text(F::FragLimitComboBox),       // 15
    boolean(F::AllowCheatsCheckBox),  // 16
    special(LineKind::Lag),           // 17
    boolean(F::NoHealthCheckBox),     // 18
    boolean(F::NoPowerupsCheckBox),   // 19
    boolean(F::WeaponsStayCheckBox),  // 20
    boolean(F::NoFallingDamageCheckBox),
    boolean(F::InstantItemsCheckBox),
    boolean(F::SameLevelCheckBox),
    boolean(F::TeamsSkinsCheckBox),
    boolean(F::TeamsModelsCheckBox),  // 25
    boolean(F::NoFriendlyFireCheckBox),
    boolean(F::SpawnFarthestCheckBox),
    boolean(F::ForceRespawnCheckBox),
    boolean(F::NoArmorCheckBox),
    boolean(F::AllowExitCheckBox),  // 30
    boolean(F::InfiniteAmmoCheckBox),
    boolean(F::QuadDropCheckBox),
    boolean(F::FixedFOVCheckBox),
    boolean(F::ForceJoinCheckBox),
    boolean(F::ArmorProtectCheckBox),  // 35
    boolean(F::NoTechCheckBox),
    text(F::CTFAutoTeamsComboBox),
    boolean(F::CaptureLimitCheckBox),
    text(F::CaptureLimitComboBox),
    boolean(F::ClientCommandsCheckBox),  // 40
    boolean(F::DynamicNodeCheckBox),
    boolean(F::ViewWeaponsCheckBox),
    boolean(F::BotConnectInfoCheckBox),
    boolean(F::BotChatCheckBox),
    text(F::FreeClientsComboBox),  // 45
    boolean(F::SpecificRadio),
    boolean(F::RandomRadio),
    text(F::BotNumComboBox),
    boolean(F::AutoSkillCheckBox),
    text(F::BotSkillComboBox),  // 50
    boolean(F::TeamplayCheckBox),
    text(F::PlayersPerTeamComboBox),
    boolean(F::BotTarzanCheckBox),
    boolean(F::RandomMapCheckBox),
    boolean(F::ViewCommandLineCheckBox),  // 55
    special(LineKind::Bots),
    text(F::YourTeamComboBox),
    special(LineKind::BotTeams),
    special(LineKind::MapType),
    boolean(F::SpecialTeamsCheckBox),  // 60
    text(F::SpecialTeamsComboBox),
    boolean(F::HumanOnlyCheckBox),  // 62
}};

std::string lineOf(const SessionSettings& s, const PresetLine& line) {
    switch (line.kind) {
        case LineKind::Map:
            return s.mapList(line.map).selection();
        case LineKind::Boolean:
            return s.flagText(line.field);
        case LineKind::Text:
            return s.text(line.field);
        case LineKind::Lag:
            return s.text(F::LagEdit);
        case LineKind::Executable:
            return s.text(F::FilenameEdit);
        case LineKind::Bots:
            return joinNames(s.bots().checkedNames());
        case LineKind::BotTeams:
            return joinNames(s.botTeams().checkedNames());
        case LineKind::MapType:
            break;
    }
    return s.mapType() ? mapTypeName(*s.mapType()) : "External";
}

void applyLine(SessionSettings& s, const PresetLine& line, const std::string& value) {
    switch (line.kind) {
        case LineKind::Map:
            s.selectMapByName(line.map, value);
            return;
        case LineKind::Boolean:
            s.setChecked(line.field, value == "1");
            return;
        case LineKind::Text:
            s.setText(line.field, value);
            return;
        case LineKind::Lag:
            s.setText(F::LagEdit, std::to_string(std::clamp(parseInteger(value), 1, 1000)));
            return;
        case LineKind::Executable:
            return;  // the executable belongs to this machine, not to the preset
        case LineKind::Bots:
            s.checkBots(splitNames(value));
            return;
        case LineKind::BotTeams:
            s.checkBotTeams(splitNames(value));
            return;
        case LineKind::MapType:
            s.chooseRadio(value == "General" ? F::GeneralMapsRadio
                          : value == "CTF"   ? F::CTFMapsRadio
                                             : F::ExternalMapsRadio);
            return;
    }
}

}  // namespace

std::vector<std::string> presetLines(const SessionSettings& session) {
    std::vector<std::string> lines;
    lines.reserve(kPresetLines.size());
    for (const auto& line : kPresetLines) {
        lines.push_back(lineOf(session, line));
    }
    return lines;
}

void LoadPreset(SessionSettings& session, const std::string& path, RecentFiles* recent) {
    const auto lines = readLines(path);
    session.addToOpenHistory(path);
    if (recent != nullptr) {
        recent->AddRecent(path);
    }
    session.showPresetInCaption(path);
    session.setCurrentPresetName(path);
    for (std::size_t i = 0; i < kPresetLines.size(); ++i) {
        applyLine(session, kPresetLines[i], i < lines.size() ? lines[i] : std::string());
    }
}

void SavePreset(SessionSettings& session, const std::string& path) {
    writeLines(path, presetLines(session));
    session.showPresetInCaption(path);
}

void OpenPreset(SessionSettings& session, const std::string& path, RecentFiles& recent) {
    session.change([&] {
        try {
            LoadPreset(session, path, &recent);
        } catch (...) {
            session.rebuildCommandLine();
            throw;
        }
        session.rebuildCommandLine();
    });
}

bool SavePresetAs(SessionSettings& session, LaunchPrompts& prompts) {
    const auto path = prompts.choosePresetSavePath(session.currentPresetName());
    if (!path) {
        return false;
    }
    session.setCurrentPresetName(*path);
    SavePreset(session, *path);
    return true;
}

bool SaveCurrentPreset(SessionSettings& session, LaunchPrompts& prompts) {
    if (session.currentPresetName().empty()) {
        return SavePresetAs(session, prompts);
    }
    SavePreset(session, session.currentPresetName());
    return true;
}

}  // namespace wyn
