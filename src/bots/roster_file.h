#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wyn {

struct BotProfile {
    std::string name;
    std::string model;
    std::string skin;
    std::string accuracy = "3";
    std::string aggressiveness = "3";
    std::string combatSkills = "3";
    std::string favouriteWeapon = "5";  // code: Chaingun
    std::string quadFreak = "0";
    std::string camper = "0";
    std::string averagePing = "100";

    bool operator==(const BotProfile&) const = default;
};

struct TeamProfile {
    std::string name;
    std::string id;
    std::string model;
    std::string skin;
    std::string members;  // names separated by single blanks, as the editor keeps them

    bool operator==(const TeamProfile&) const = default;
};

// The contents of bots.cfg, in file order.
struct BotRoster {
    std::vector<BotProfile> bots;
    std::vector<TeamProfile> teams;
    std::vector<std::string> supporters;  // player models with view weapons

    bool operator==(const BotRoster&) const = default;
};

// Favourite weapons: the file holds the code, the editor shows the name.
struct Weapon {
    const char* code;
    const char* name;
};
const std::vector<Weapon>& weaponTable();
std::optional<std::string> weaponName(const std::string& code);
std::optional<std::string> weaponCode(const std::string& name);  // exact comparison

// Readers of the file's lines; they throw "Cannot open file PATH" for a file
// that cannot be read.
std::vector<std::string> ReadBotNames(const std::string& path);
std::vector<std::string> ReadTeamNames(const std::string& path);
BotRoster ReadRoster(const std::string& path);

// The same on lines already read.
std::vector<std::string> botNamesFromLines(const std::vector<std::string>& lines);
std::vector<std::string> teamNamesFromLines(const std::vector<std::string>& lines);
BotRoster rosterFromLines(const std::vector<std::string>& lines);

// The names of a roster's bots and teams, in roster order.
std::vector<std::string> botNames(const BotRoster& roster);
std::vector<std::string> teamNames(const BotRoster& roster);

// The canonical text of a roster, or the name of the first team without members.
struct RosterText {
    std::vector<std::string> lines;
    std::optional<std::string> teamWithoutMembers;
};
RosterText rosterLines(const BotRoster& roster);

// Replaces the file; returns the name of the first team without members (and
// writes nothing) when there is one. Throws "Cannot create file PATH".
std::optional<std::string> WriteRoster(const std::string& path, const BotRoster& roster);

}  // namespace wyn
