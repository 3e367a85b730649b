#include "session/join.h"

#include <algorithm>

#include "base/text.h"
#include "servers/recent_servers.h"
#include "session/session_settings.h"

namespace wyn {

namespace {

// The file name of a path, after the last '/' or the profile's separator.
std::string_view fileName(std::string_view path, const PlatformProfile& profile) {
    const auto cut = path.find_last_of(std::string{'/', profile.separator()});
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

// Whether a program is one of the engines' dedicated servers, which have no
// client to join with.
bool isDedicatedServer(std::string_view name, const PlatformProfile& profile) {
    const auto games = engineProgramNames(profile, false);
    for (const auto& program : engineProgramNames(profile, true)) {
        const bool server = std::ranges::find(games, program) == games.end();
        if (server && equalsIgnoringCase(program, name)) {
            return true;
        }
    }
    return false;
}

std::string dedicatedServerMessage(std::string_view program) {
    std::string message(1, '\'');
    message.append(program).append(
        "' is a dedicated server: it cannot join a game. Please choose the game's own program "
        "as the executable.");
    return message;
}

}  // namespace

std::vector<std::string> joinArguments(const ServerAddress& address) {
    return {"+set", "game", std::string(kAddOnFolder), "+connect", addressText(address)};
}

std::optional<std::string> joinProblem(const SessionSettings& s, const GameEngine& game) {
    const auto& profile = s.profile();
    // A wrapper (Debian's quake2-server) shows what it starts in the engine's program.
    for (const std::string& path : {s.executablePath(), game.engine.program}) {
        const auto name = fileName(path, profile);
        if (!name.empty() && isDedicatedServer(name, profile)) {
            return dedicatedServerMessage(name);
        }
    }
    return checkGameDirectoryReach(game.engine, game.environment);
}

StartRequest joinRequest(const SessionSettings& s, const GameEngine& game,
                         const ServerAddress& address, bool endsWithStarter) {
    auto command = startCommand(game.engine, game.environment, s.executablePath(), endsWithStarter);
    const auto parameters = joinArguments(address);
    command.arguments.insert(command.arguments.end(), parameters.begin(), parameters.end());
    return {std::move(command.program), std::move(command.arguments), s.gameDirectory()};
}

std::optional<std::string> joinWarning(const ServerAddress& address, const ServerEntry* answer) {
    if (answer == nullptr) {
        return noAnswerMessage(address);
    }
    const auto game = answer->status.rule("game");
    if (equalsIgnoringCase(game, kAddOnFolder)) {
        return std::nullopt;
    }
    return addressText(address) + " does not run the Vantor add-on: " +
           (game.empty() ? std::string("it runs the base game.") : "its game is \"" + game + "\".");
}

LaunchResult Join(const SessionSettings& s, std::string_view typed, MessagePrompts& prompts,
                  GameStarter& starter, ValueStore* remember) {
    const auto check = checkServerAddress(typed);
    if (!check.address) {
        prompts.showError(check.problem);
        return {LaunchOutcome::Stopped, false};
    }
    const GameEngine game = s.recogniseEngine();
    if (const auto problem = joinProblem(s, game)) {
        prompts.showError(*problem);
        return {LaunchOutcome::Stopped, false};
    }
    const auto result = startGame(joinRequest(s, game, *check.address, starter.waitsForTheGame()),
                                  s.checked(Field::ExitCheckBox), prompts, starter);
    if (result.outcome == LaunchOutcome::Started && remember != nullptr) {
        rememberServer(*remember, *check.address);
    }
    return result;
}

}  // namespace wyn
