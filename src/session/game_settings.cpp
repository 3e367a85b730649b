#include "session/game_settings.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/file_system.h"
#include "session/console_values.h"
#include "session/session_settings.h"

namespace wyn {

namespace {

using enum Field;
using enum SettingRule;
using enum AlsoWhen;

constexpr Placement absent{};

// Every game setting once. The preview and the script each write them in their
// own order; a setting absent from one of them, or with a condition of its own
// there, says so in that column. The preview starts with the executable path.
// The table is laid out by hand: its columns are the point.
// clang-format off
constexpr std::array<GameSetting, 28> kSettings{{
    // console text                    rule         source in messages         preview             script              field                   check box
    {"set game vantor",                Fixed,       "",                        {0},                absent},
    {"set skill ",                     NotEmpty,    "Bot Skill",               {1},                {1},                BotSkillComboBox},
    {"set teamplay ",                  Flag,        "",                        {2},                {2},                TeamplayCheckBox},
    {"set bot_show_connect_info ",     Flag,        "",                        {3},                {3},                BotConnectInfoCheckBox},
    {"set bot_allow_client_commands ", Flag,        "",                        {4},                {4},                ClientCommandsCheckBox},
    {"set bot_auto_skill ",            Flag,        "",                        {5},                {5},                AutoSkillCheckBox},
    {"set bot_tarzan ",                Flag,        "",                        {6},                {6},                BotTarzanCheckBox},
    {"set mapmod_random ",             Flag,        "",                        {7},                {7},                RandomMapCheckBox},
    {"set bot_num ",                   RandomBots,  "# of Bots",               {8},                {9, ValueNotEmpty}, BotNumComboBox},
    {"set dmflags ",                   FlagWord,    "",                        {9},                {8}},
    {"set ctf_auto_teams ",            NotZero,     "CTF Auto Teams",          {10},               {10},               CTFAutoTeamsComboBox},
    {"set ctf_humanonly_teams ",       Flag,        "",                        {11},               absent,             HumanOnlyCheckBox},
    {"set bot_free_clients ",          NotZero,     "Bot Free Clients",        {12},               {11},               FreeClientsComboBox},
    {"set players_per_team ",          NotEmpty,    "Players per Team",        {13},               {12},               PlayersPerTeamComboBox},
    {"set view_weapons ",              Flag,        "",                        {14},               {13},               ViewWeaponsCheckBox},
    {"set cheats ",                    Flag,        "",                        {15},               {14},               AllowCheatsCheckBox},
    {"set bot_calc_nodes ",            Flag,        "",                        {16},               {15},               DynamicNodeCheckBox},
    {"set bot_chat ",                  Flag,        "",                        {17},               {16},               BotChatCheckBox},
    {"set timelimit ",                 CheckedText, "Time Limit",              {18},               {17},               TimeLimitComboBox,      TimeLimitCheckBox},
    {"set fraglimit ",                 CheckedText, "Frag Limit",              {19},               {18},               FragLimitComboBox,      FragLimitCheckBox},
    {"set capturelimit ",              CheckedText, "Capture Limit",           {20},               {19},               CaptureLimitComboBox,   CaptureLimitCheckBox},
    // Two blanks before the value, as the game has always been given it.
    {"set ctf_special_teams  ",        CheckedText, "Special Teams",           {21},               absent,             SpecialTeamsComboBox,   SpecialTeamsCheckBox},
    {"set maxclients ",                NotEmpty,    "Max Clients",             {22},               {21},               MaxClientsComboBox},
    {"set logfile ",                   Flag,        "",                        {23},               {20},               LogCheckBox},
    {"map ",                           Map,         "map",                     {24},               {22}},
    {"exec ",                          Exec,        "script",                  {25, FileInBaseq2}, {23},               ConfigComboBox,         ConfigCheckBox},
    {"cmd lag ",                       NotEmpty,    "Client Latency (1-1000)", {26},               {24},               LagEdit},
    {"set dedicated 1",                Switch,      "",                        {27},               absent,             DedicatedCheckBox},
}};
// clang-format on

template <GameOutput output>
constexpr auto orderOf() {
    constexpr auto count = std::ranges::count_if(
        kSettings, [](const GameSetting& setting) { return setting.in(output).present(); });
    std::array<const GameSetting*, count> order{};
    auto next = order.begin();
    for (const auto& setting : kSettings) {
        if (setting.in(output).present()) {
            *next++ = &setting;
        }
    }
    std::ranges::sort(order, {}, [](const GameSetting* s) { return s->in(output).order; });
    return order;
}

// The places of one output follow each other without a gap or a double.
template <std::size_t N>
constexpr bool consecutive(const std::array<const GameSetting*, N>& order, GameOutput output) {
    for (std::size_t i = 1; i < N; ++i) {
        if (order[i]->in(output).order != order[i - 1]->in(output).order + 1) {
            return false;
        }
    }
    return true;
}

constexpr auto kPreviewOrder = orderOf<GameOutput::Preview>();
constexpr auto kScriptOrder = orderOf<GameOutput::Script>();
static_assert(consecutive(kPreviewOrder, GameOutput::Preview));
static_assert(consecutive(kScriptOrder, GameOutput::Script));
static_assert(std::ranges::none_of(kSettings, [](const GameSetting& s) {
    return !s.preview.present() && !s.script.present();
}));
// A launch splits its script at the map.
static_assert(std::ranges::count_if(kScriptOrder,
                                    [](const GameSetting* s) { return s->rule == Map; }) == 1);

bool isZero(std::string_view text) {
    return text.empty() || text == "0";
}

using Value = std::optional<SettingValue>;

Value unlessEmpty(std::string_view text) {
    return text.empty() ? std::nullopt : Value(SettingValue{text});
}

Value unlessZero(std::string_view text) {
    return isZero(text) ? std::nullopt : Value(SettingValue{text});
}

Value ruleValue(const GameSetting& g, const SessionSettings& s) {
    switch (g.rule) {
        case Fixed:
            return SettingValue{};
        case Switch:
            return s.checked(*g.field) ? Value(SettingValue{}) : std::nullopt;
        case Flag:
            return SettingValue{s.checked(*g.field) ? "1" : "0"};
        case NotEmpty:
            return unlessEmpty(s.text(*g.field));
        case NotZero:
            return unlessZero(s.text(*g.field));
        case CheckedText:
            return s.checked(*g.check) ? unlessEmpty(s.text(*g.field)) : std::nullopt;
        case FlagWord:
            return unlessZero(s.flagWord());
        case RandomBots:
            return s.botMode() == BotMode::Random ? Value(SettingValue{s.text(*g.field)})
                                                  : std::nullopt;
        case Map: {
            const auto type = s.mapType();
            if (!type || !s.mapList(*type).hasSelection()) {
                return std::nullopt;
            }
            const auto& maps = s.mapList(*type);
            return SettingValue{maps[*maps.selected()]};  // a view: selection() copies
        }
        case Exec:
            if (!s.checked(*g.check) || s.text(*g.field).empty()) {
                return std::nullopt;
            }
            return SettingValue{s.text(*g.field), ".cfg"};
    }
    return std::nullopt;
}

bool holds(AlsoWhen also, const SettingValue& value, const SessionSettings& s) {
    switch (also) {
        case Nothing:
            return true;
        case ValueNotEmpty:
            return !value.text.empty() || !value.suffix.empty();
        case FileInBaseq2: {
            const std::string file = std::string(value.text) + std::string(value.suffix);
            return std::ranges::any_of(s.contentRoots(), [&](const std::string& root) {
                return fileExists(s.profile().path(root, {"baseq2", file}));
            });
        }
    }
    return true;
}

}  // namespace

std::span<const GameSetting* const> gameSettings(GameOutput output) {
    if (output == GameOutput::Preview) {
        return kPreviewOrder;
    }
    return kScriptOrder;
}

void appendSettingValue(std::string& line, const GameSetting& setting, const SettingValue& value) {
    const bool quoted =
        (setting.rule == Map || setting.rule == Exec) && needsConsoleQuotes(value.text);
    if (quoted) {
        line += '"';
    }
    line += value.text;
    line += value.suffix;
    if (quoted) {
        line += '"';
    }
}

std::optional<SettingValue> settingValue(const GameSetting& setting, GameOutput output,
                                         const SessionSettings& session) {
    auto value = ruleValue(setting, session);
    if (value && !holds(setting.in(output).also, *value, session)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace wyn
