#include "app/ctl_session.h"

#include "base/errors.h"
#include "base/file_system.h"
#include "content/installation.h"
#include "session/preset_file.h"
#include "store/stored_values.h"

namespace wyn {

void requireGameDirectory(const std::string& directory, const PlatformProfile& profile) {
    if (!directoryExists(profile.path(directory, {"baseq2"}))) {
        throw WynError(notAGameDirectoryMessage(directory));
    }
}

std::unique_ptr<SessionSettings> newCtlSession(CtlContext& context, CtlPrompts& prompts) {
    requireGameDirectory(context.gameDirectory, context.profile);
    auto session = std::make_unique<SessionSettings>(context.profile);
    session->setDirectoryPrompt(&prompts);
    session->resetToNew();
    // The lists are read also when the directory is the default one already.
    session->setText(Field::DirectoryEdit, context.gameDirectory, Reaction::Always);
    session->setText(Field::FilenameEdit, context.executable);
    return session;
}

namespace {

void loadPresetArgument(CtlSession& session, const CtlArguments& args) {
    if (!args.empty()) {
        OpenPreset(session.settings, args.front(), session.recent);
    }
}

// --wait: the game runs in the foreground, and its status is wynctl's.
class WaitingStarter : public GameStarter {
public:
    WaitingStarter(ForegroundRunner& foreground, CtlContext& context)
        : m_foreground(foreground), m_context(context) {}
    bool start(const StartRequest& request) override {
        // What wynctl said goes before what the game says.
        m_context.out.flush();
        m_context.err.flush();
        end = m_foreground.run(request);
        return end.has_value();
    }
    bool waitsForTheGame() const override { return true; }
    std::optional<GameEnd> end;

private:
    ForegroundRunner& m_foreground;
    CtlContext& m_context;
};

int printNames(CtlContext& context, const std::vector<std::string>& names, const CtlArguments& args,
               const char* command) {
    if (!args.empty()) {
        return usageError(context, command);
    }
    for (const auto& name : names) {
        context.out << name << '\n';
    }
    return kExitOk;
}

}  // namespace

bool DryRunStarter::start(const StartRequest& request) {
    m_out << request.program;
    for (const auto& argument : request.arguments) {
        m_out << ' ' << argument;
    }
    m_out << '\n';
    return true;
}

int ctlPreview(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    if (args.size() > 1) {
        return usageError(context, "preview [PRESET]");
    }
    loadPresetArgument(session, args);
    context.out << session.settings.commandLine() << '\n';
    return kExitOk;
}

int ctlLaunch(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    CtlArguments rest = args;
    bool dryRun = false;
    bool wait = false;
    while (!rest.empty() && (rest.front() == "--dry-run" || rest.front() == "--wait")) {
        (rest.front() == "--wait" ? wait : dryRun) = true;
        rest.erase(rest.begin());
    }
    if (rest.size() > 1) {
        return usageError(context, "launch [--dry-run] [--wait] [PRESET]");
    }
    loadPresetArgument(session, rest);

    DryRunStarter dryRunStarter(context.out);
    WaitingStarter waitingStarter(session.foreground, context);
    GameStarter& starter = dryRun ? static_cast<GameStarter&>(dryRunStarter)
                           : wait ? static_cast<GameStarter&>(waitingStarter)
                                  : session.starter;
    const auto result = Launch(session.settings, session.prompts, starter);
    if (result.outcome != LaunchOutcome::Started) {
        return kExitFailure;
    }
    return waitingStarter.end ? waitingStarter.end->shellStatus() : kExitOk;
}

int ctlWhere(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "where");
    }
    const auto game = session.settings.recogniseEngine();
    context.out << "engine\t" << engineName(game.engine) << "\nscripts\t" << scriptsFolder(game)
                << '\n';
    for (const auto& folder : engineSearchPath(game.engine, game.environment, kAddOnFolder)) {
        context.out << "search\t" << folder << '\n';
    }
    const auto start =
        startCommand(game.engine, game.environment, session.settings.executablePath());
    context.out << "start\t" << start.program;
    for (const auto& argument : start.arguments) {
        context.out << ' ' << argument;
    }
    context.out << '\n';
    return kExitOk;
}

int ctlMaps(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "maps");
    }
    for (const MapType type : kMapTypes) {
        for (const auto& map : session.settings.mapList(type).items()) {
            context.out << mapTypeName(type) << '\t' << map << '\n';
        }
    }
    return kExitOk;
}

int ctlBots(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    return printNames(context, session.settings.bots().items(), args, "bots");
}

int ctlTeams(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    return printNames(context, session.settings.botTeams().items(), args, "teams");
}

int ctlConfigs(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    return printNames(context, session.settings.configItems(), args, "configs");
}

int ctlCheck(CtlContext& context, const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "check");
    }
    context.out << installationName(CheckInstallation(context.gameDirectory, context.profile))
                << '\n';
    return kExitOk;
}

int ctlInstallations(CtlContext& context, const SearchEnvironment& environment,
                     const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "installations");
    }
    const std::string stored = context.gameDirectoryGiven
                                   ? context.gameDirectory
                                   : context.store.readValue(stored::DirectoryEdit);
    for (const auto& found : findInstallations(stored, environment, context.profile)) {
        context.out << installationName(found.installation) << '\t' << found.directory << '\n';
    }
    return kExitOk;
}

}  // namespace wyn
