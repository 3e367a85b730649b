// Any bytes as bots.cfg: read, write, read again. What the writer keeps must
// come back unchanged, and a text the writer produced is a fixed point.
#include <algorithm>

#include "base/text.h"
#include "base/text_file.h"
#include "bots/roster_file.h"
#include "fuzz_check.h"
#include "store/list_codec.h"

namespace {

using wyn::BotRoster;

template <typename Item>
std::vector<std::string> namesOf(const std::vector<Item>& items) {
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.push_back(item.name);
    }
    return names;
}

// The second read against the first. The writer drops a team look that lacks
// its model or its skin, and a blank in front of the members; the member names
// themselves survive.
void checkSecondRead(const BotRoster& first, const BotRoster& second) {
    FUZZ_CHECK(second.bots == first.bots);
    FUZZ_CHECK(second.supporters == first.supporters);
    FUZZ_CHECK(second.teams.size() == first.teams.size());
    for (std::size_t i = 0; i < first.teams.size(); ++i) {
        const auto& before = first.teams[i];
        const auto& after = second.teams[i];
        FUZZ_CHECK(after.name == before.name && after.id == before.id);
        const bool lookKept = !before.model.empty() && !before.skin.empty();
        FUZZ_CHECK(after.model == (lookKept ? before.model : ""));
        FUZZ_CHECK(after.skin == (lookKept ? before.skin : ""));
        FUZZ_CHECK(wyn::splitNames(after.members) == wyn::splitNames(before.members));
    }
}

// The format cannot hold a field that, once written with its quotes, reads as
// a section marker (a bot named "4[teams]", say): the round trip holds only
// when no bot line holds "[teams]" and no team line "[view weapons]".
bool markersOnlyOnTheirLines(const BotRoster& roster, const std::vector<std::string>& lines) {
    const auto bots = lines.begin() + 1;
    const auto teams = bots + static_cast<std::ptrdiff_t>(roster.bots.size()) + 1;
    const auto holds = [](std::string_view marker) {
        return [marker](const std::string& line) { return wyn::contains(line, marker); };
    };
    return std::none_of(bots, teams - 1, holds("[teams]")) &&
           std::none_of(teams, teams + static_cast<std::ptrdiff_t>(roster.teams.size()),
                        holds("[view weapons]"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wyn;
    const auto lines = splitLines(fuzz::asText(data, size));
    const BotRoster first = rosterFromLines(lines);
    FUZZ_CHECK(botNamesFromLines(lines) == namesOf(first.bots));
    FUZZ_CHECK(teamNamesFromLines(lines) == namesOf(first.teams));

    const RosterText written = rosterLines(first);
    const auto empty =
        std::find_if(first.teams.begin(), first.teams.end(),
                     [](const TeamProfile& team) { return splitNames(team.members).empty(); });
    if (empty != first.teams.end()) {
        FUZZ_CHECK(written.teamWithoutMembers == empty->name && written.lines.empty());
        return 0;
    }
    FUZZ_CHECK(!written.teamWithoutMembers);
    if (!markersOnlyOnTheirLines(first, written.lines)) {
        return 0;
    }
    const std::string text = joinLines(written.lines);
    const BotRoster second = rosterFromLines(splitLines(text));
    checkSecondRead(first, second);

    const RosterText rewritten = rosterLines(second);
    FUZZ_CHECK(!rewritten.teamWithoutMembers);
    FUZZ_CHECK(joinLines(rewritten.lines) == text);
    FUZZ_CHECK(rosterFromLines(rewritten.lines) == second);
    return 0;
}
