#include "app/ctl_session.h"

#include "base/errors.h"
#include "base/file_system.h"
#include "content/installation.h"
#include "store/preset_file.h"

namespace wyn {

void CtlPrompts::showError(const std::string& text) {
    m_err << text << '\n';
}

void CtlPrompts::showInformation(const std::string& text) {
    m_err << text << '\n';
}

bool CtlPrompts::editCommandLine(std::string&) {
    return true;
}

std::optional<std::string> CtlPrompts::choosePresetSavePath(const std::string&) {
    return std::nullopt;
}

std::optional<std::string> CtlPrompts::askText(const std::string&, const std::string&,
                                               const std::string& initial) {
    // Only the directory reaction asks, for a directory without baseq2.
    throw WynError(notAGameDirectoryMessage(initial));
}

std::string notAGameDirectoryMessage(const std::string& directory) {
    return "'" + directory + "' is not a Quake II directory: it has no baseq2 directory";
}

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
    if (session->gameDirectory() == context.gameDirectory) {
        session->directoryReaction();
    } else {
        session->setText(Field::DirectoryEdit, context.gameDirectory);
    }
    session->setText(Field::FilenameEdit, context.executable);
    return session;
}

namespace {

bool usage(CtlContext& context, const CtlArguments& args, std::size_t maxArgs) {
    if (args.size() <= maxArgs) {
        return false;
    }
    context.err << "wynctl: too many arguments; see wynctl --help\n";
    return true;
}

void loadPresetArgument(CtlSession& session, const CtlArguments& args) {
    if (!args.empty()) {
        LoadPreset(session.settings, args.front(), &session.recent);
        session.settings.rebuildCommandLine();
    }
}

int printNames(CtlContext& context, const std::vector<std::string>& names,
               const CtlArguments& args) {
    if (usage(context, args, 0)) {
        return kExitUsage;
    }
    for (const auto& name : names) {
        context.out << name << '\n';
    }
    return kExitOk;
}

}  // namespace

int ctlPreview(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    if (usage(context, args, 1)) {
        return kExitUsage;
    }
    loadPresetArgument(session, args);
    context.out << session.settings.commandLine() << '\n';
    return kExitOk;
}

int ctlLaunch(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    CtlArguments rest = args;
    bool dryRun = false;
    if (!rest.empty() && rest.front() == "--dry-run") {
        dryRun = true;
        rest.erase(rest.begin());
    }
    if (usage(context, rest, 1)) {
        return kExitUsage;
    }
    loadPresetArgument(session, rest);

    // A dry run does everything but the start, and says what it would start.
    class DryRunStarter : public GameStarter {
    public:
        explicit DryRunStarter(std::ostream& out) : m_out(out) {}
        bool start(const StartRequest& request) override {
            m_out << request.program;
            for (const auto& argument : request.arguments) {
                m_out << ' ' << argument;
            }
            m_out << '\n';
            return true;
        }

    private:
        std::ostream& m_out;
    } dryRunStarter(context.out);

    const auto result =
        Launch(session.settings, session.prompts, dryRun ? dryRunStarter : session.starter);
    return result.outcome == LaunchOutcome::Started ? kExitOk : kExitFailure;
}

int ctlMaps(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    if (usage(context, args, 0)) {
        return kExitUsage;
    }
    for (const MapType type : kMapTypes) {
        for (const auto& map : session.settings.mapList(type).items) {
            context.out << mapTypeName(type) << '\t' << map << '\n';
        }
    }
    return kExitOk;
}

int ctlBots(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    return printNames(context, session.settings.bots().items, args);
}

int ctlTeams(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    return printNames(context, session.settings.botTeams().items, args);
}

int ctlConfigs(CtlContext& context, CtlSession& session, const CtlArguments& args) {
    return printNames(context, session.settings.configItems(), args);
}

int ctlCheck(CtlContext& context, const CtlArguments& args) {
    if (usage(context, args, 0)) {
        return kExitUsage;
    }
    context.out << installationName(CheckInstallation(context.gameDirectory, context.profile))
                << '\n';
    return kExitOk;
}

}  // namespace wyn
