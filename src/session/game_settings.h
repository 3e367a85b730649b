#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "session/fields.h"

namespace wyn {

class SessionSettings;

// The two renderings of the game settings: the command-line preview and the
// lines of the launch script.
enum class GameOutput { Preview, Script };

// When a setting is written, and what its value is.
enum class SettingRule {
    Fixed,        // no value; always written
    Switch,       // no value; written when the check box `field` is set
    Flag,         // "1" or "0" from the check box `field`; always written
    NotEmpty,     // the text of `field`, when not empty
    NotZero,      // the text of `field`, when neither empty nor "0"
    CheckedText,  // the text of `field`, when the box `check` is set and the text not empty
    FlagWord,     // the deathmatch flag word, when neither empty nor "0"
    RandomBots,   // the text of `field` in random bot mode, even when empty
    Map,          // the selected map of the current map type, when there is one
    Exec,         // the text of `field` and ".cfg", as for CheckedText
};

// What one output asks beyond the rule.
enum class AlsoWhen {
    Nothing,
    ValueNotEmpty,  // the value is not empty
    FileInBaseq2,   // the file the value names exists in the game's baseq2 directory
};

// Where a setting stands in one output.
struct Placement {
    static constexpr int kAbsent = -1;

    int order = kAbsent;  // place in that output's order; kAbsent: never written there
    AlsoWhen also = AlsoWhen::Nothing;

    constexpr bool present() const { return order != kAbsent; }
};

// One game setting, as both outputs write it: the console text, then its value.
struct GameSetting {
    std::string_view command;  // "set skill ": the blank before the value included
    SettingRule rule;
    // Where a free text comes from, as a message names it: the control's
    // caption, or "map" and "script"; empty when the value is the program's own.
    std::string_view source;
    Placement preview;
    Placement script;
    std::optional<Field> field = std::nullopt;  // the value's field, or the rule's check box
    std::optional<Field> check = std::nullopt;  // the box that must be set as well

    constexpr const Placement& in(GameOutput output) const {
        return output == GameOutput::Preview ? preview : script;
    }
};

// The settings of one output, in its order; those absent from it left out.
std::span<const GameSetting* const> gameSettings(GameOutput output);

// A setting's value: the text, then what follows it (".cfg"). It points into
// the session, so it is used before the session changes.
struct SettingValue {
    std::string_view text;
    std::string_view suffix = {};
};

// Appends a setting's value as a console line or the preview writes it: a map
// or script name the console would read as several words in double quotes.
void appendSettingValue(std::string& line, const GameSetting& setting, const SettingValue& value);

// The value a setting writes in one output; nothing when it is left out there.
std::optional<SettingValue> settingValue(const GameSetting& setting, GameOutput output,
                                         const SessionSettings& session);

}  // namespace wyn
