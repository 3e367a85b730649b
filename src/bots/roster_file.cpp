#include "bots/roster_file.h"

#include <algorithm>
#include <array>
#include <string_view>

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

std::string withoutQuotes(std::string_view text) {
    std::string result(text.size(), '\0');
    const auto end = std::remove_copy(text.begin(), text.end(), result.begin(), '"');
    result.erase(end, result.end());
    return result;
}

// The first N pieces of text cut at every single blank (adjacent blanks give
// empty pieces); pieces past the last are empty. Views into text, so reading
// a large roster allocates only for the fields it keeps.
template <std::size_t N>
std::array<std::string_view, N> leadingPieces(std::string_view text) {
    std::array<std::string_view, N> pieces{};
    for (auto& piece : pieces) {
        const auto blank = text.find(' ');
        piece = text.substr(0, blank);
        if (blank == std::string_view::npos) {
            break;
        }
        text.remove_prefix(blank + 1);
    }
    return pieces;
}

// Pieces at every single blank; adjacent blanks give empty pieces.
std::vector<std::string> pieces(const std::string& text) {
    return splitList(text, " ", true);
}

// "MODEL/SKIN": the model before the first '/', the skin up to a second '/'.
void splitModelSkin(std::string_view text, std::string& model, std::string& skin) {
    const auto slash = text.find('/');
    model = text.substr(0, slash);
    if (slash == std::string_view::npos) {
        skin.clear();
        return;
    }
    const std::string_view rest = text.substr(slash + 1);
    skin = rest.substr(0, rest.find('/'));
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

std::string botName(std::string_view line) {
    return withoutQuotes(leadingPieces<1>(line)[0]);
}

// Fills a new profile in place: a large roster is mostly bot lines.
void parseBot(std::string_view line, BotProfile& bot) {
    const auto all = leadingPieces<9>(line);
    bot.name = withoutQuotes(all[0]);
    splitModelSkin(withoutQuotes(all[1]), bot.model, bot.skin);
    bot.accuracy = all[2];
    bot.aggressiveness = all[3];
    bot.combatSkills = all[4];
    bot.favouriteWeapon = all[5];
    bot.quadFreak = all[6];
    bot.camper = all[7];
    bot.averagePing = all[8];
}

TeamProfile parseTeam(std::string_view line) {
    const auto open = line.find('[');
    const std::string head = withoutQuotes(line.substr(0, open));
    std::string members;
    if (open != std::string_view::npos) {
        const auto close = line.find('[', open + 1);
        members = withoutQuotes(line.substr(
            open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
        while (!members.empty() && members.back() == ']') {
            members.pop_back();
        }
    }
    const auto all = leadingPieces<3>(head);
    TeamProfile team;
    team.name = all[0];
    team.id = all[1];
    splitModelSkin(all[2], team.model, team.skin);
    team.members = std::move(members);
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
    // Every leading blank goes: one left in front would read back as a members
    // text that starts with a blank, and the next write would differ again.
    const auto first = std::find_if(names.begin(), names.end(),
                                    [](const std::string& name) { return !name.empty(); });
    names.erase(names.begin(), first);
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
        {"2", "Shotgun"},       {"3", "Super Shotgun"},    {"4", "Machine Gun"},
        {"5", "Chaingun"},      {"6", "Grenade Launcher"}, {"7", "Rocket Launcher"},
        {"8", "Hyper Blaster"}, {"9", "Railgun"},          {"0", "BFG10K"},
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

namespace {

template <typename Profile>
std::vector<std::string> namesOf(const std::vector<Profile>& profiles) {
    std::vector<std::string> names;
    names.reserve(profiles.size());
    for (const auto& profile : profiles) {
        names.push_back(profile.name);
    }
    return names;
}

}  // namespace

std::vector<std::string> botNames(const BotRoster& roster) {
    return namesOf(roster.bots);
}

std::vector<std::string> teamNames(const BotRoster& roster) {
    return namesOf(roster.teams);
}

std::vector<std::string> botNamesFromLines(const Lines& lines) {
    std::vector<std::string> names;
    forEachRosterLine(lines, 0, findSections(lines).teams,
                      [&](const std::string& line) { names.push_back(botName(line)); });
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
    roster.bots.reserve(static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(sections.teams), isRosterLine)));
    forEachRosterLine(lines, 0, sections.teams,
                      [&](const std::string& line) { parseBot(line, roster.bots.emplace_back()); });
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
        // Blanks alone name nobody: such a team would be written with "[]".
        if (splitNames(team.members).empty()) {
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
