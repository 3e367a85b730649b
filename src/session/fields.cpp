#include "session/fields.h"

#include <algorithm>

namespace wyn {

namespace {

using K = FieldKind;
using F = Field;
constexpr std::nullopt_t none = std::nullopt;

// Design defaults and start-up repairs of every field, in declaration order.
constexpr std::array<FieldInfo, kFieldCount> kFields{{
    // The directory and the executable take their defaults from the platform profile.
    {F::DirectoryEdit, "DirectoryEdit", K::Edit, "", none},
    {F::FilenameEdit, "FilenameEdit", K::Edit, "", none},
    {F::ExitCheckBox, "ExitCheckBox", K::CheckBox, "0", none},
    {F::SaveSettingsCheckBox, "SaveSettingsCheckBox", K::CheckBox, "0", none},
    {F::ViewCommandLineCheckBox, "ViewCommandLineCheckBox", K::CheckBox, "1", none},
    {F::ExternalCheckBox, "ExternalCheckBox", K::CheckBox, "0", none},
    {F::ManEditCheckBox, "ManEditCheckBox", K::CheckBox, "0", none},
    {F::ConfigCheckBox, "ConfigCheckBox", K::CheckBox, "0", none},
    {F::ConfigComboBox, "ConfigComboBox", K::Combo, "", none},
    {F::LogCheckBox, "LogCheckBox", K::CheckBox, "0", none},
    {F::GeneralMapsRadio, "GeneralMapsRadio", K::Radio, "1", none},
    {F::CTFMapsRadio, "CTFMapsRadio", K::Radio, "0", none},
    {F::ExternalMapsRadio, "ExternalMapsRadio", K::Radio, "0", none},
    {F::RandomMapCheckBox, "RandomMapCheckBox", K::CheckBox, "0", none},
    {F::DedicatedCheckBox, "DedicatedCheckBox", K::CheckBox, "0", none},
    {F::MaxClientsComboBox, "MaxClientsComboBox", K::Combo, "2", std::string_view("24")},
    {F::TimeLimitCheckBox, "TimeLimitCheckBox", K::CheckBox, "0", none},
    {F::TimeLimitComboBox, "TimeLimitComboBox", K::Combo, "0", std::string_view("0")},
    {F::FragLimitCheckBox, "FragLimitCheckBox", K::CheckBox, "0", none},
    {F::FragLimitComboBox, "FragLimitComboBox", K::Combo, "0", std::string_view("0")},
    {F::AllowCheatsCheckBox, "AllowCheatsCheckBox", K::CheckBox, "0", none},
    {F::LagEdit, "LagEdit", K::Edit, "1", none},
    {F::NoHealthCheckBox, "NoHealthCheckBox", K::CheckBox, "0", none},
    {F::NoPowerupsCheckBox, "NoPowerupsCheckBox", K::CheckBox, "0", none},
    {F::WeaponsStayCheckBox, "WeaponsStayCheckBox", K::CheckBox, "0", none},
    {F::NoFallingDamageCheckBox, "NoFallingDamageCheckBox", K::CheckBox, "0", none},
    {F::InstantItemsCheckBox, "InstantItemsCheckBox", K::CheckBox, "0", none},
    {F::SameLevelCheckBox, "SameLevelCheckBox", K::CheckBox, "0", none},
    {F::TeamsSkinsCheckBox, "TeamsSkinsCheckBox", K::CheckBox, "0", none},
    {F::TeamsModelsCheckBox, "TeamsModelsCheckBox", K::CheckBox, "0", none},
    {F::NoFriendlyFireCheckBox, "NoFriendlyFireCheckBox", K::CheckBox, "0", none},
    {F::SpawnFarthestCheckBox, "SpawnFarthestCheckBox", K::CheckBox, "0", none},
    {F::ForceRespawnCheckBox, "ForceRespawnCheckBox", K::CheckBox, "0", none},
    {F::NoArmorCheckBox, "NoArmorCheckBox", K::CheckBox, "0", none},
    {F::AllowExitCheckBox, "AllowExitCheckBox", K::CheckBox, "0", none},
    {F::InfiniteAmmoCheckBox, "InfiniteAmmoCheckBox", K::CheckBox, "0", none},
    {F::QuadDropCheckBox, "QuadDropCheckBox", K::CheckBox, "0", none},
    {F::FixedFOVCheckBox, "FixedFOVCheckBox", K::CheckBox, "0", none},
    {F::ForceJoinCheckBox, "ForceJoinCheckBox", K::CheckBox, "0", none},
    {F::ArmorProtectCheckBox, "ArmorProtectCheckBox", K::CheckBox, "0", none},
    {F::NoTechCheckBox, "NoTechCheckBox", K::CheckBox, "0", none},
    {F::CTFAutoTeamsComboBox, "CTFAutoTeamsComboBox", K::Combo, "0", std::string_view("0")},
    {F::CaptureLimitCheckBox, "CaptureLimitCheckBox", K::CheckBox, "0", none},
    {F::CaptureLimitComboBox, "CaptureLimitComboBox", K::Combo, "0", std::string_view("0")},
    {F::HumanOnlyCheckBox, "HumanOnlyCheckBox", K::CheckBox, "0", none},
    {F::SpecialTeamsCheckBox, "SpecialTeamsCheckBox", K::CheckBox, "0", none},
    {F::SpecialTeamsComboBox, "SpecialTeamsComboBox", K::Combo, "0", std::string_view("0")},
    {F::TeamplayCheckBox, "TeamplayCheckBox", K::CheckBox, "0", none},
    {F::PlayersPerTeamComboBox, "PlayersPerTeamComboBox", K::Combo, "2", std::string_view("4")},
    {F::YourTeamComboBox, "YourTeamComboBox", K::Combo, "", none},
    {F::ClientCommandsCheckBox, "ClientCommandsCheckBox", K::CheckBox, "0", none},
    {F::DynamicNodeCheckBox, "DynamicNodeCheckBox", K::CheckBox, "0", none},
    {F::ViewWeaponsCheckBox, "ViewWeaponsCheckBox", K::CheckBox, "0", none},
    {F::BotConnectInfoCheckBox, "BotConnectInfoCheckBox", K::CheckBox, "0", none},
    {F::BotChatCheckBox, "BotChatCheckBox", K::CheckBox, "0", none},
    {F::BotTarzanCheckBox, "BotTarzanCheckBox", K::CheckBox, "0", none},
    {F::FreeClientsComboBox, "FreeClientsComboBox", K::Combo, "0", std::string_view("0")},
    {F::SpecificRadio, "SpecificRadio", K::Radio, "1", none},
    {F::RandomRadio, "RandomRadio", K::Radio, "0", none},
    {F::BotNumComboBox, "BotNumComboBox", K::Combo, "0", std::string_view("0")},
    {F::AutoSkillCheckBox, "AutoSkillCheckBox", K::CheckBox, "0", none},
    {F::BotSkillComboBox, "BotSkillComboBox", K::Combo, "1", std::string_view("0")},
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

const std::array<FlagBit, 19>& flagBits() {
    return kFlagBits;
}

bool isFlagField(Field field) {
    return std::any_of(kFlagBits.begin(), kFlagBits.end(),
                       [field](const FlagBit& bit) { return bit.field == field; });
}

}  // namespace wyn
