#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/ctl_context.h"
#include "base/game_starter.h"
#include "session/launch.h"
#include "session/session_settings.h"
#include "store/recent_files.h"

namespace wyn {

// Nobody answers a dialog in wynctl: messages go to standard error, the
// command-line editor is confirmed with the line unchanged, the preset save
// dialog is cancelled and the directory prompt stops the command.
class CtlPrompts : public LaunchPrompts, public TextPrompt {
public:
    explicit CtlPrompts(std::ostream& err) : m_err(err) {}

    void showError(const std::string& text) override;
    void showInformation(const std::string& text) override;
    bool editCommandLine(std::string& line) override;
    std::optional<std::string> choosePresetSavePath(const std::string& current) override;
    std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                       const std::string& initial) override;

private:
    std::ostream& m_err;
};

// The message that stops a command on a directory that is no game directory.
std::string notAGameDirectoryMessage(const std::string& directory);

// Throws the message above when the directory has no baseq2.
void requireGameDirectory(const std::string& directory, const PlatformProfile& profile);

// A new session on the context's game directory and executable, with the
// directory's lists read. Throws WynError when the directory has no baseq2.
std::unique_ptr<SessionSettings> newCtlSession(CtlContext& context, CtlPrompts& prompts);

// What the session commands work on.
struct CtlSession {
    SessionSettings& settings;
    RecentFiles& recent;  // a preset loaded by a command is added here
    CtlPrompts& prompts;
    GameStarter& starter;
};

// The commands that work on a session: preview, launch, maps, bots, teams,
// configs. args are the words after the command.
int ctlPreview(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlLaunch(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlMaps(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlBots(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlTeams(CtlContext& context, CtlSession& session, const CtlArguments& args);
int ctlConfigs(CtlContext& context, CtlSession& session, const CtlArguments& args);

// check: Full, GameOnly or None for the game directory.
int ctlCheck(CtlContext& context, const CtlArguments& args);

}  // namespace wyn
