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

std::unique_ptr<SessionSettings> newCtlSession(CtlContext& context, CtlPrompts& prompts) {
    if (!directoryExists(context.profile.path(context.gameDirectory, {"baseq2"}))) {
        throw WynError(notAGameDirectoryMessage(context.gameDirectory));
    }
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

void loadPresetArgument(SessionSettings& session, const CtlArguments& args) {
    if (!args.empty()) {
        LoadPreset(session, args.front());
        session.rebuildCommandLine();
    }
}

}  // namespace

int ctlPreview(CtlContext& context, SessionSettings& session, const CtlArguments& args) {
    if (usage(context, args, 1)) {
        return kExitUsage;
    }
    loadPresetArgument(session, args);
    context.out << session.commandLine() << '\n';
    return kExitOk;
}

int ctlLaunch(CtlContext& context, SessionSettings& session, CtlPrompts& prompts,
              GameStarter& starter, const CtlArguments& args) {
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

    const auto result = Launch(session, prompts, dryRun ? dryRunStarter : starter);
    return result.outcome == LaunchOutcome::Started ? kExitOk : kExitFailure;
}

int ctlMaps(CtlContext& context, SessionSettings& session, const CtlArguments& args) {
    if (usage(context, args, 0)) {
        return kExitUsage;
    }
    for (const MapType type : kMapTypes) {
        for (const auto& map : session.mapList(type).items) {
            context.out << mapTypeName(type) << '\t' << map << '\n';
        }
    }
    return kExitOk;
}

int ctlNames(CtlContext& context, SessionSettings& session, const std::string& which,
             const CtlArguments& args) {
    if (usage(context, args, 0)) {
        return kExitUsage;
    }
    const auto& names = which == "bots"    ? session.bots().items
                        : which == "teams" ? session.botTeams().items
                                           : session.configItems();
    for (const auto& name : names) {
        context.out << name << '\n';
    }
    return kExitOk;
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
