#include "session/fields.h"

#include <algorithm>

namespace wyn {

namespace {

using K = FieldKind;
using F = Field;
using V = std::optional<std::string_view>;
constexpr std::nullopt_t none = std::nullopt;
constexpr V zero{"0"};
constexpr V clear{"0"};
constexpr V set{"1"};

constexpr std::array<std::string_view, 8> kMaxClients{"2", "4", "8", "16", "24", "32", "64", "100"};
constexpr std::array<std::string_view, 13> kMinutes{"0",  "10", "20", "30",  "40",  "50", "60",
                                                    "70", "80", "90", "100", "110", "120"};
constexpr std::array<std::string_view, 11> kClientCounts{"0",  "1",  "2",  "3",  "4", "5",
                                                         "10", "15", "20", "25", "30"};
constexpr std::array<std::string_view, 12> kPlayersPerTeam{"1", "2", "3", "4",  "5",  "6",
                                                           "7", "8", "9", "10", "11", "12"};
constexpr std::array<std::string_view, 31> kBotCounts{
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13", "14", "15",
    "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30"};
constexpr std::array<std::string_view, 4> kSkills{"0", "1", "2", "3"};

constexpr FieldInfo check(F field, std::string_view name, std::string_view design, V newValue) {
    return {field, name, K::CheckBox, design, newValue, none};
}
constexpr FieldInfo radio(F field, std::string_view name, std::string_view design) {
    return {field, name, K::Radio, design, none, none};
}
constexpr FieldInfo combo(F field, std::string_view name, std::string_view design, V newValue,
                          V repair, std::span<const std::string_view> items,
                          bool completes = true) {
    return {field, name, K::Combo, design, newValue, repair, false, items, completes};
}

// Design default, File > New value and start-up repair of every field, in
// declaration order. The radio buttons get their New choice from the order of
// File > New, which chooses one of each group.
constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {F::DirectoryEdit, "DirectoryEdit", K::Edit, "", none, V{""}, true},
    {F::FilenameEdit, "FilenameEdit", K::Edit, "", V{""}, V{""}, true},
    check(F::ExitCheckBox, "ExitCheckBox", "0", clear),
    check(F::SaveSettingsCheckBox, "SaveSettingsCheckBox", "0", none),
    check(F::ViewCommandLineCheckBox, "ViewCommandLineCheckBox", "1", set),
    check(F::ExternalCheckBox, "ExternalCheckBox", "0", clear),
    check(F::ManEditCheckBox, "ManEditCheckBox", "0", clear),
    check(F::ConfigCheckBox, "ConfigCheckBox", "0", clear),
    combo(F::ConfigComboBox, "ConfigComboBox", "", V{""}, none, {}),
    check(F::LogCheckBox, "LogCheckBox", "0", clear),
    radio(F::GeneralMapsRadio, "GeneralMapsRadio", "1"),
    radio(F::CTFMapsRadio, "CTFMapsRadio", "0"),
    radio(F::ExternalMapsRadio, "ExternalMapsRadio", "0"),
    check(F::RandomMapCheckBox, "RandomMapCheckBox", "0", clear),
    check(F::DedicatedCheckBox, "DedicatedCheckBox", "0", clear),
    combo(F::MaxClientsComboBox, "MaxClientsComboBox", "2", V{"2"}, V{"24"}, kMaxClients),
    check(F::TimeLimitCheckBox, "TimeLimitCheckBox", "0", clear),
    combo(F::TimeLimitComboBox, "TimeLimitComboBox", "0", zero, zero, kMinutes),
    check(F::FragLimitCheckBox, "FragLimitCheckBox", "0", clear),
    combo(F::FragLimitComboBox, "FragLimitComboBox", "0", zero, zero, kMinutes),
    check(F::AllowCheatsCheckBox, "AllowCheatsCheckBox", "0", clear),
    {F::LagEdit, "LagEdit", K::Edit, "1", V{"1"}, none, false, {}, false, IntegerRange{1, 1000, 4}},
    check(F::NoHealthCheckBox, "NoHealthCheckBox", "0", clear),
    check(F::NoPowerupsCheckBox, "NoPowerupsCheckBox", "0", clear),
    check(F::WeaponsStayCheckBox, "WeaponsStayCheckBox", "0", clear),
    check(F::NoFallingDamageCheckBox, "NoFallingDamageCheckBox", "0", clear),
    check(F::InstantItemsCheckBox, "InstantItemsCheckBox", "0", clear),
    check(F::SameLevelCheckBox, "SameLevelCheckBox", "0", clear),
    check(F::TeamsSkinsCheckBox, "TeamsSkinsCheckBox", "0", clear),
    check(F::TeamsModelsCheckBox, "TeamsModelsCheckBox", "0", clear),
    check(F::NoFriendlyFireCheckBox, "NoFriendlyFireCheckBox", "0", clear),
    check(F::SpawnFarthestCheckBox, "SpawnFarthestCheckBox", "0", clear),
    check(F::ForceRespawnCheckBox, "ForceRespawnCheckBox", "0", clear),
    check(F::NoArmorCheckBox, "NoArmorCheckBox", "0", clear),
    check(F::AllowExitCheckBox, "AllowExitCheckBox", "0", clear),
    check(F::InfiniteAmmoCheckBox, "InfiniteAmmoCheckBox", "0", clear),
    check(F::QuadDropCheckBox, "QuadDropCheckBox", "0", clear),
    check(F::FixedFOVCheckBox, "FixedFOVCheckBox", "0", clear),
    check(F::ForceJoinCheckBox, "ForceJoinCheckBox", "0", clear),
    check(F::ArmorProtectCheckBox, "ArmorProtectCheckBox", "0", clear),
    check(F::NoTechCheckBox, "NoTechCheckBox", "0", clear),
    combo(F::CTFAutoTeamsComboBox, "CTFAutoTeamsComboBox", "0", zero, zero, kClientCounts),
    check(F::CaptureLimitCheckBox, "CaptureLimitCheckBox", "0", clear),
    combo(F::CaptureLimitComboBox, "CaptureLimitComboBox", "0", zero, zero, kMinutes),
    check(F::HumanOnlyCheckBox, "HumanOnlyCheckBox", "0", clear),
    check(F::SpecialTeamsCheckBox, "SpecialTeamsCheckBox", "0", clear),
    combo(F::SpecialTeamsComboBox, "SpecialTeamsComboBox", "0", zero, zero, kMinutes),
    check(F::TeamplayCheckBox, "TeamplayCheckBox", "0", clear),
    combo(F::PlayersPerTeamComboBox, "PlayersPerTeamComboBox", "2", V{"2"}, V{"4"}, kPlayersPerTeam,
          false),
    // File > New chooses the first team only when one was chosen (its own step).
    combo(F::YourTeamComboBox, "YourTeamComboBox", "", none, none, {}, false),
    check(F::ClientCommandsCheckBox, "ClientCommandsCheckBox", "0", clear),
    check(F::DynamicNodeCheckBox, "DynamicNodeCheckBox", "0", clear),
    check(F::ViewWeaponsCheckBox, "ViewWeaponsCheckBox", "0", clear),
    check(F::BotConnectInfoCheckBox, "BotConnectInfoCheckBox", "0", clear),
    check(F::BotChatCheckBox, "BotChatCheckBox", "0", clear),
    check(F::BotTarzanCheckBox, "BotTarzanCheckBox", "0", clear),
    combo(F::FreeClientsComboBox, "FreeClientsComboBox", "0", zero, zero, kClientCounts),
    radio(F::SpecificRadio, "SpecificRadio", "1"),
    radio(F::RandomRadio, "RandomRadio", "0"),
    combo(F::BotNumComboBox, "BotNumComboBox", "0", zero, zero, kBotCounts),
    check(F::AutoSkillCheckBox, "AutoSkillCheckBox", "0", clear),
    combo(F::BotSkillComboBox, "BotSkillComboBox", "1", V{"1"}, zero, kSkills),
}};

NewOrderEntry field(F f) {
    return {NewStep::Field, f};
}

// File > New, step by step.
const std::array kNewOrder{
    NewOrderEntry{NewStep::Caption},
    field(F::ExitCheckBox),
    field(F::ManEditCheckBox),
    field(F::ExternalCheckBox),
    field(F::ConfigCheckBox),
    field(F::ConfigComboBox),
    field(F::LogCheckBox),
    field(F::FilenameEdit),
    field(F::RandomMapCheckBox),
    field(F::ViewCommandLineCheckBox),
    field(F::DedicatedCheckBox),
    field(F::MaxClientsComboBox),
    field(F::TimeLimitCheckBox),
    field(F::FragLimitCheckBox),
    field(F::TimeLimitComboBox),
    field(F::FragLimitComboBox),
    field(F::AllowCheatsCheckBox),
    field(F::LagEdit),
    // The 19 flags in the order of their bits.
    field(F::NoHealthCheckBox),
    field(F::NoPowerupsCheckBox),
    field(F::WeaponsStayCheckBox),
    field(F::NoFallingDamageCheckBox),
    field(F::InstantItemsCheckBox),
    field(F::SameLevelCheckBox),
    field(F::TeamsSkinsCheckBox),
    field(F::TeamsModelsCheckBox),
    field(F::NoFriendlyFireCheckBox),
    field(F::SpawnFarthestCheckBox),
    field(F::ForceRespawnCheckBox),
    field(F::NoArmorCheckBox),
    field(F::AllowExitCheckBox),
    field(F::InfiniteAmmoCheckBox),
    field(F::QuadDropCheckBox),
    field(F::FixedFOVCheckBox),
    field(F::ForceJoinCheckBox),
    field(F::ArmorProtectCheckBox),
    field(F::NoTechCheckBox),
    field(F::CTFAutoTeamsComboBox),
    field(F::CaptureLimitCheckBox),
    field(F::CaptureLimitComboBox),
    field(F::SpecialTeamsCheckBox),
    field(F::SpecialTeamsComboBox),
    field(F::HumanOnlyCheckBox),
    field(F::ClientCommandsCheckBox),
    field(F::DynamicNodeCheckBox),
    field(F::ViewWeaponsCheckBox),
    field(F::BotConnectInfoCheckBox),
    field(F::BotChatCheckBox),
    field(F::FreeClientsComboBox),
    field(F::SpecificRadio),  // clears teamplay by its rule
    field(F::BotNumComboBox),
    field(F::AutoSkillCheckBox),
    field(F::BotSkillComboBox),
    field(F::BotTarzanCheckBox),
    NewOrderEntry{NewStep::BotsList},
    field(F::TeamplayCheckBox),
    field(F::PlayersPerTeamComboBox),
    NewOrderEntry{NewStep::YourTeam},
    NewOrderEntry{NewStep::BotTeamsList},
    field(F::GeneralMapsRadio),
    NewOrderEntry{NewStep::MapSelections},
};

constexpr std::array<F, 12> kRepairOrder{
    F::CTFAutoTeamsComboBox, F::SpecialTeamsComboBox, F::DirectoryEdit,
    F::FilenameEdit,         F::MaxClientsComboBox,   F::TimeLimitComboBox,
    F::FragLimitComboBox,    F::CaptureLimitComboBox, F::PlayersPerTeamComboBox,
    F::BotNumComboBox,       F::BotSkillComboBox,     F::FreeClientsComboBox,
};

constexpr std::array<ListInfo, kSessionListCount> kLists{{
    {SessionList::GeneralMapsListBox, "GeneralMapsListBox", ListKind::Select},
    {SessionList::CTFMapsListBox, "CTFMapsListBox", ListKind::Select},
    {SessionList::ExternalMapsListBox, "ExternalMapsListBox", ListKind::Select},
    {SessionList::BotsListBox, "BotsListBox", ListKind::Check},
    {SessionList::BotTeamsListBox, "BotTeamsListBox", ListKind::Check},
    {SessionList::RedListBox, "RedListBox", ListKind::Select},
    {SessionList::BlueListBox, "BlueListBox", ListKind::Select},
    {SessionList::AvailableListBox, "AvailableListBox", ListKind::Select},
}};

constexpr bool tableFollowsEnum() {
    for (int i = 0; i < kFieldCount; ++i) {
        if (static_cast<int>(kFields[i].field) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableFollowsEnum(), "the field table must follow the order of Field");

constexpr bool listsFollowEnum() {
    for (int i = 0; i < kSessionListCount; ++i) {
        if (static_cast<int>(kLists[i].list) != i) {
            return false;
        }
    }
    return true;
}
static_assert(listsFollowEnum(), "the list table must follow the order of SessionList");

constexpr std::array<FlagBit, 19> kFlagBits{{
    {F::NoHealthCheckBox, 0x1},         {F::NoPowerupsCheckBox, 0x2},
    {F::WeaponsStayCheckBox, 0x4},      {F::NoFallingDamageCheckBox, 0x8},
    {F::InstantItemsCheckBox, 0x10},    {F::SameLevelCheckBox, 0x20},
    {F::TeamsSkinsCheckBox, 0x40},      {F::TeamsModelsCheckBox, 0x80},
    {F::NoFriendlyFireCheckBox, 0x100}, {F::SpawnFarthestCheckBox, 0x200},
    {F::ForceRespawnCheckBox, 0x400},   {F::NoArmorCheckBox, 0x800},
    {F::AllowExitCheckBox, 0x1000},     {F::InfiniteAmmoCheckBox, 0x2000},
    {F::QuadDropCheckBox, 0x4000},      {F::FixedFOVCheckBox, 0x8000},
    {F::ForceJoinCheckBox, 0x20000},    {F::ArmorProtectCheckBox, 0x40000},
    {F::NoTechCheckBox, 0x80000},
}};

}  // namespace

const FieldInfo& fieldInfo(Field field) {
    return kFields[static_cast<std::size_t>(field)];
}

const std::array<FieldInfo, kFieldCount>& allFields() {
    return kFields;
}

std::optional<Field> fieldByName(std::string_view name) {
    const auto it = std::find_if(kFields.begin(), kFields.end(),
                                 [name](const FieldInfo& info) { return info.name == name; });
    return it == kFields.end() ? std::nullopt : std::optional<Field>(it->field);
}

std::span<const NewOrderEntry> newOrder() {
    return kNewOrder;
}

std::span<const Field> repairOrder() {
    return kRepairOrder;
}

const std::array<ListInfo, kSessionListCount>& allLists() {
    return kLists;
}

const std::array<FlagBit, 19>& flagBits() {
    return kFlagBits;
}

bool isFlagField(Field field) {
    return std::any_of(kFlagBits.begin(), kFlagBits.end(),
                       [field](const FlagBit& bit) { return bit.field == field; });
}

}  // namespace wyn
