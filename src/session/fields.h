#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace wyn {

// Every scalar option of a game session, named after the main window's control.
// Lists (maps, bots, teams, CTF teams) are held beside these in the session.
enum class Field {
    // Launcher options (General tab).
    DirectoryEdit,
    FilenameEdit,
    ExitCheckBox,
    SaveSettingsCheckBox,
    ViewCommandLineCheckBox,
    ExternalCheckBox,
    ManEditCheckBox,
    ConfigCheckBox,
    ConfigComboBox,
    LogCheckBox,
    // Map (Maps tab).
    GeneralMapsRadio,
    CTFMapsRadio,
    ExternalMapsRadio,
    RandomMapCheckBox,
    // Server rules (Server tab).
    DedicatedCheckBox,
    MaxClientsComboBox,
    TimeLimitCheckBox,
    TimeLimitComboBox,
    FragLimitCheckBox,
    FragLimitComboBox,
    AllowCheatsCheckBox,
    LagEdit,
    NoHealthCheckBox,
    NoPowerupsCheckBox,
    WeaponsStayCheckBox,
    NoFallingDamageCheckBox,
    InstantItemsCheckBox,
    SameLevelCheckBox,
    TeamsSkinsCheckBox,
    TeamsModelsCheckBox,
    NoFriendlyFireCheckBox,
    SpawnFarthestCheckBox,
    ForceRespawnCheckBox,
    NoArmorCheckBox,
    AllowExitCheckBox,
    InfiniteAmmoCheckBox,
    QuadDropCheckBox,
    FixedFOVCheckBox,
    ForceJoinCheckBox,
    ArmorProtectCheckBox,
    NoTechCheckBox,
    CTFAutoTeamsComboBox,
    CaptureLimitCheckBox,
    CaptureLimitComboBox,
    HumanOnlyCheckBox,
    SpecialTeamsCheckBox,
    SpecialTeamsComboBox,
    // Teamplay tab.
    TeamplayCheckBox,
    PlayersPerTeamComboBox,
    YourTeamComboBox,
    // Bot add-on options (Vantor tab).
    ClientCommandsCheckBox,
    DynamicNodeCheckBox,
    ViewWeaponsCheckBox,
    BotConnectInfoCheckBox,
    BotChatCheckBox,
    BotTarzanCheckBox,
    FreeClientsComboBox,
    SpecificRadio,
    RandomRadio,
    BotNumComboBox,
    AutoSkillCheckBox,
    BotSkillComboBox,
};

inline constexpr int kFieldCount = static_cast<int>(Field::BotSkillComboBox) + 1;

// How a control holds its value and when its reaction runs.
enum class FieldKind {
    CheckBox,  // Boolean; reacts when its state changes
    Radio,     // Boolean within a group; reacts when it becomes chosen
    Combo,     // text; reacts only when the user changes it
    Edit,      // text; reacts on every change of the text, also by the program
};

struct FieldInfo {
    Field field;
    std::string_view name;  // the control's name
    FieldKind kind;
    std::string_view designDefault;  // "1" / "0" for Booleans
    // Value put into a text field that is still empty after the stored state was
    // restored at start-up.
    std::optional<std::string_view> emptyRepair;
};

const FieldInfo& fieldInfo(Field field);
const std::array<FieldInfo, kFieldCount>& allFields();
std::optional<Field> fieldByName(std::string_view name);

inline bool isBoolean(Field field) {
    const auto kind = fieldInfo(field).kind;
    return kind == FieldKind::CheckBox || kind == FieldKind::Radio;
}

// The 19 check boxes of the deathmatch flag word with their bit values.
struct FlagBit {
    Field field;
    unsigned value;
};
const std::array<FlagBit, 19>& flagBits();
bool isFlagField(Field field);

// The radio groups.
inline constexpr std::array<Field, 3> kMapRadios{Field::GeneralMapsRadio, Field::CTFMapsRadio,
                                                 Field::ExternalMapsRadio};
inline constexpr std::array<Field, 2> kBotRadios{Field::SpecificRadio, Field::RandomRadio};

}  // namespace wyn
