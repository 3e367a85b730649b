#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/ctl_context.h"
#include "app/ctl_prompts.h"
#include "base/game_starter.h"
#include "content/installation_search.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "store/recent_files.h"

namespace wyn {

// Throws notAGameDirectoryMessage when the directory has no baseq2.
void requireGameDirectory(const std::string& directory, const PlatformProfile& profile);

// A new session on the context's game directory and executable, with the
// directory's lists read. Throws WynError when the directory has no baseq2.
std::unique_ptr<SessionSettings> newCtlSession(CtlContext& context, CtlPrompts& prompts);

// wynctl's own start in the foreground, for launch --wait: the game shares
// wynctl's standard input, output and error, and the call returns how it
// ended; nothing when it could not be started.
class ForegroundRunner {
public:
    virtual ~ForegroundRunner() = default;
    virtual std::optional<GameEnd> run(const StartRequest& request) = 0;
};

// A dry run does everything but the start, and prints the start it would
// make: the program and its arguments, separated by blanks.
class DryRunStarter : public GameStarter {
public:
    explicit DryRunStarter(std::ostream& out) : m_out(out) {}
    bool start(const StartRequest& request) override;

private:
    std::ostream& m_out;
};

// What the session commands work on.
struct CtlSession {
    SessionSettings& settings;
    RecentFiles& recent;  // a preset loaded by a command is added here
    CtlPrompts& prompts;
    GameStarter& starter;
    ForegroundRunner& foreground;
};

// The commands that work on a session: preview, launch, maps, bots, teams,
// configs. args are the words after the command.
int ctlPreview(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlLaunch(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlMaps(CtlContext& context, CtlSession& session, const CtlArguments& args);
// where: "engine<TAB>NAME", "scripts<TAB>FOLDER", then "search<TAB>FOLDER" for
// each folder the engine reads the add-on's files from, first wins.
int ctlWhere(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlBots(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlTeams(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlConfigs(CtlContext& context, CtlSession& session, const CtlArguments& args);

// check: Full, GameOnly or None for the game directory.
int ctlCheck(CtlContext& context, const CtlArguments& args);

// installations: "RESULT<TAB>DIRECTORY" for each installation found, the
// given game directory (else the stored one) first.
int ctlInstallations(CtlContext& context, const SearchEnvironment& environment,
                     const CtlArguments& args);

}  // namespace wyn
