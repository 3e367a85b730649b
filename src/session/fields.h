#pragma once

#include <array>
#include <optional>
#include <span>
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

// A number typed into a spin box: its range and the characters it takes.
struct IntegerRange {
    int minimum;
    int maximum;
    int maxLength;
};

struct FieldInfo {
    Field field;
    std::string_view name;  // the control's name
    FieldKind kind;
    // Values are texts; "1" / "0" for Booleans. A field whose values come from
    // the platform profile (the game directory and the executable) holds ""
    // here and takes the profile's value wherever a value is given.
    std::string_view designDefault;
    // What File > New puts in; nothing when File > New leaves the field as it is.
    std::optional<std::string_view> newValue;
    // Value put into a text field that is still empty after the stored state was
    // restored at start-up.
    std::optional<std::string_view> emptyRepair;
    bool fromProfile = false;
    // The fixed items of a combo box (a few get theirs from the game directory).
    std::span<const std::string_view> items = {};
    // Combo boxes that complete the typed text to their first matching item.
    bool completes = false;
    std::optional<IntegerRange> range = std::nullopt;  // LagEdit
};

const FieldInfo& fieldInfo(Field field);
const std::array<FieldInfo, kFieldCount>& allFields();
std::optional<Field> fieldByName(std::string_view name);

// Fields whose reaction may ask the user: the directory check asks for the
// game directory when the one given has no baseq2.
inline bool reactionMayAsk(Field field) {
    return field == Field::DirectoryEdit || field == Field::FilenameEdit;
}

// Fields that hold a path: the window shows and takes them as the system
// names paths (UTF-8 here), where other texts show one byte a character.
inline bool holdsPath(Field field) {
    return field == Field::DirectoryEdit || field == Field::FilenameEdit;
}

inline bool isBoolean(Field field) {
    const auto kind = fieldInfo(field).kind;
    return kind == FieldKind::CheckBox || kind == FieldKind::Radio;
}

// One step of File > New: a field gets its New value, or one of the steps on
// the lists, in this order.
enum class NewStep { Field, Caption, BotsList, YourTeam, BotTeamsList, MapSelections };
struct NewOrderEntry {
    NewStep step;
    Field field = Field::DirectoryEdit;  // for NewStep::Field
};
std::span<const NewOrderEntry> newOrder();

// The start-up repairs of empty texts, in the order they are applied.
std::span<const Field> repairOrder();

// The main window's lists, named after their controls.
enum class SessionList {
    GeneralMapsListBox,
    CTFMapsListBox,
    ExternalMapsListBox,
    BotsListBox,
    BotTeamsListBox,
    RedListBox,
    BlueListBox,
    AvailableListBox,
};
inline constexpr int kSessionListCount = static_cast<int>(SessionList::AvailableListBox) + 1;

enum class ListKind {
    Select,  // one selected entry
    Check,   // a check box per entry; the check marks count
};

struct ListInfo {
    SessionList list;
    std::string_view name;
    ListKind kind;
};
const std::array<ListInfo, kSessionListCount>& allLists();
inline const ListInfo& listInfo(SessionList list) {
    return allLists()[static_cast<std::size_t>(list)];
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
