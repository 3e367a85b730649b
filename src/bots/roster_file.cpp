#include "bots/roster_file.h"

#include <algorithm>

#include "base/text.h"
#include "base/text_file.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

constexpr std::string_view kTeamsMarker = "[teams]";
constexpr std::string_view kViewWeaponsMarker = "[view weapons]";

using Lines = std::vector<std::string>;

bool isRosterLine(const std::string& line) {
    return !line.empty() && line.front() == '"';
}

std::string withoutQuotes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

// Pieces at every single blank; adjacent blanks give empty pieces.
std::vector<std::string> pieces(const std::string& text) {
    return splitList(text, " ", true);
}

std::string piece(const std::vector<std::string>& all, std::size_t index) {
    return index < all.size() ? all[index] : std::string();
}

// "MODEL/SKIN": the model before the first '/', the skin up to a second '/'.
void splitModelSkin(const std::string& text, std::string& model, std::string& skin) {
    const auto parts = splitList(text, "/", true);
    model = piece(parts, 0);
    skin = piece(parts, 1);
}

// Index of the first line containing the marker, or the number of lines.
std::size_t findMarker(const Lines& lines, std::string_view marker, std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (contains(lines[i], marker)) {
            return i;
        }
    }
    return lines.size();
}

struct Sections {
    std::size_t teams;        // line of "[teams]" (or end)
    std::size_t viewWeapons;  // line of "[view weapons]" after it (or end)
};

Sections findSections(const Lines& lines) {
    const std::size_t teams = findMarker(lines, kTeamsMarker);
    const std::size_t viewWeapons =
        teams == lines.size() ? lines.size() : findMarker(lines, kViewWeaponsMarker, teams + 1);
    return {teams, viewWeapons};
}

BotProfile parseBot(const std::string& line) {
    const auto all = pieces(line);
    BotProfile bot;
    bot.name = withoutQuotes(piece(all, 0));
    splitModelSkin(withoutQuotes(piece(all, 1)), bot.model, bot.skin);
    bot.accuracy = piece(all, 2);
    bot.aggressiveness = piece(all, 3);
    bot.combatSkills = piece(all, 4);
    bot.favouriteWeapon = piece(all, 5);
    bot.quadFreak = piece(all, 6);
    bot.camper = piece(all, 7);
    bot.averagePing = piece(all, 8);
    return bot;
}

TeamProfile parseTeam(const std::string& line) {
    const auto open = line.find('[');
    const std::string head = withoutQuotes(line.substr(0, open));
    std::string members;
    if (open != std::string::npos) {
        const auto close = line.find('[', open + 1);
        members = withoutQuotes(line.substr(open + 1, close == std::string::npos
                                                          ? std::string::npos
                                                          : close - open - 1));
        while (!members.empty() && members.back() == ']') {
            members.pop_back();
        }
    }
    const auto all = pieces(head);
    TeamProfile team;
    team.name = piece(all, 0);
    team.id = piece(all, 1);
    splitModelSkin(piece(all, 2), team.model, team.skin);
    team.members = members;
    return team;
}

template <typename Visit>
void forEachRosterLine(const Lines& lines, std::size_t from, std::size_t to, Visit visit) {
    for (std::size_t i = from; i < to && i < lines.size(); ++i) {
        if (isRosterLine(lines[i])) {
            visit(lines[i]);
        }
    }
}

std::string quotedMembers(const std::string& members) {
    auto names = pieces(members);
    if (!names.empty() && names.front().empty()) {
        names.erase(names.begin());
    }
    for (auto& name : names) {
        if (!name.empty()) {
            name = '"' + name + '"';
        }
    }
    return joinList(names, " ", true);
}

}  // namespace

const std::vector<Weapon>& weaponTable() {
    static const std::vector<Weapon> table{
        {"2", "Shotgun"},         {"3", "Super Shotgun"},   {"4", "Machine Gun"},
        {"5", "Chaingun"},        {"6", "Grenade Launcher"}, {"7", "Rocket Launcher"},
        {"8", "Hyper Blaster"},   {"9", "Railgun"},          {"0", "BFG10K"},
    };
    return table;
}

std::optional<std::string> weaponName(const std::string& code) {
    for (const auto& weapon : weaponTable()) {
        if (code == weapon.code) {
            return weapon.name;
        }
    }
    return std::nullopt;
}

std::optional<std::string> weaponCode(const std::string& name) {
    for (const auto& weapon : weaponTable()) {
        if (name == weapon.name) {
            return weapon.code;
        }
    }
    return std::nullopt;
}

std::vector<std::string> botNamesFromLines(const Lines& lines) {
    std::vector<std::string> names;
    forEachRosterLine(lines, 0, findSections(lines).teams, [&](const std::string& line) {
        names.push_back(withoutQuotes(piece(pieces(line), 0)));
    });
    return names;
}

std::vector<std::string> teamNamesFromLines(const Lines& lines) {
    std::vector<std::string> names;
    const auto sections = findSections(lines);
    forEachRosterLine(lines, sections.teams + 1, sections.viewWeapons,
                      [&](const std::string& line) { names.push_back(parseTeam(line).name); });
    return names;
}

BotRoster rosterFromLines(const Lines& lines) {
    BotRoster roster;
    const auto sections = findSections(lines);
    forEachRosterLine(lines, 0, sections.teams,
                      [&](const std::string& line) { roster.bots.push_back(parseBot(line)); });
    forEachRosterLine(lines, sections.teams + 1, sections.viewWeapons,
                      [&](const std::string& line) { roster.teams.push_back(parseTeam(line)); });
    forEachRosterLine(lines, sections.viewWeapons + 1, lines.size(), [&](const std::string& line) {
        roster.supporters.push_back(withoutQuotes(line));
    });
    return roster;
}

std::vector<std::string> ReadBotNames(const std::string& path) {
    return botNamesFromLines(readLines(path));
}

std::vector<std::string> ReadTeamNames(const std::string& path) {
    return teamNamesFromLines(readLines(path));
}

BotRoster ReadRoster(const std::string& path) {
    return rosterFromLines(readLines(path));
}

RosterText rosterLines(const BotRoster& roster) {
    RosterText text;
    for (const auto& team : roster.teams) {
        if (team.members.empty()) {
            text.teamWithoutMembers = team.name;
            return text;
        }
    }
    auto& lines = text.lines;
    lines.reserve(roster.bots.size() + roster.teams.size() + roster.supporters.size() + 3);
    lines.emplace_back("[bots]");
    for (const auto& bot : roster.bots) {
        lines.push_back('"' + bot.name + "\" \"" + bot.model + '/' + bot.skin + "\" " +
                        bot.accuracy + ' ' + bot.aggressiveness + ' ' + bot.combatSkills + ' ' +
                        bot.favouriteWeapon + ' ' + bot.quadFreak + ' ' + bot.camper + ' ' +
                        bot.averagePing);
    }
    lines.emplace_back(kTeamsMarker);
    for (const auto& team : roster.teams) {
        const std::string look =
            (!team.model.empty() && !team.skin.empty()) ? team.model + '/' + team.skin : "";
        lines.push_back('"' + team.name + "\" \"" + team.id + "\" \"" + look + "\" [" +
                        quotedMembers(team.members) + ']');
    }
    lines.emplace_back(kViewWeaponsMarker);
    for (const auto& model : roster.supporters) {
        lines.push_back('"' + model + '"');
    }
    return text;
}

std::optional<std::string> WriteRoster(const std::string& path, const BotRoster& roster) {
    auto text = rosterLines(roster);
    if (!text.teamWithoutMembers) {
        writeLines(path, text.lines);
    }
    return text.teamWithoutMembers;
}

}  // namespace wyn
