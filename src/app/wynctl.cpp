#include "app/wynctl.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "app/ctl_chat.h"
#include "app/ctl_context.h"
#include "app/ctl_news.h"
#include "app/ctl_session.h"
#include "app/ctl_skins.h"
#include "base/errors.h"
#include "platform/settings_value_store.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

constexpr const char* kUsage =
    "usage: wynctl [OPTIONS] COMMAND [ARGS]\n"
    "\n"
    "Options:\n"
    "  --game-dir DIR      the Quake II directory (default: the platform's)\n"
    "  --exe NAME          the game's executable in it (default: the platform's)\n"
    "  --red \"NAMES\"       bots of the red CTF team, separated by blanks\n"
    "  --blue \"NAMES\"      bots of the blue CTF team, separated by blanks\n"
    "  --settings FILE     use this settings file instead of the user's\n"
    "  --help              print this text\n"
    "\n"
    "Commands on a new session (File > New, then the directory's lists; PRESET is loaded\n"
    "as File > Open does):\n"
    "  preview [PRESET]              print the command-line preview, one line\n"
    "  launch [--dry-run] [PRESET]   write vantor/wyn.cfg and vantor/launcher.cfg and start\n"
    "                                the game (not with --dry-run: print what would start)\n"
    "  maps                          print every map as LIST<TAB>NAME (General, CTF, External)\n"
    "  bots | teams | configs        print the names, one per line, in order\n"
    "\n"
    "Commands on the game directory:\n"
    "  check                         print Full, GameOnly or None\n"
    "  models                        print the player models, one per line\n"
    "  skins MODEL                   print the skins of a model, one per line\n"
    "  roster                        print what the bot profile editor's OK would write\n"
    "  chat                          print what the chat editor's OK would write\n"
    "\n"
    "Other commands:\n"
    "  pcx FILE [--ppm OUT]          print \"WIDTH HEIGHT COLOURS\"; write the picture as PPM\n"
    "  news [QUERY] [--timeout SECONDS] [--port N] [--raw]\n"
    "                                run the developer news query and print the news\n";

struct GlobalOptions {
    std::optional<std::string> gameDirectory;
    std::optional<std::string> executable;
    std::optional<std::string> red;
    std::optional<std::string> blue;
    std::optional<std::string> settingsFile;
    bool help = false;
    std::string command;
    CtlArguments args;
};

// Nothing when the options are wrong.
std::optional<GlobalOptions> parseGlobalOptions(const std::vector<std::string>& args) {
    GlobalOptions options;
    const std::map<std::string, std::optional<std::string> GlobalOptions::*> valued{
        {"--game-dir", &GlobalOptions::gameDirectory}, {"--exe", &GlobalOptions::executable},
        {"--red", &GlobalOptions::red},                {"--blue", &GlobalOptions::blue},
        {"--settings", &GlobalOptions::settingsFile},
    };
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("--"); ++i) {
        if (args[i] == "--help") {
            options.help = true;
            continue;
        }
        const auto option = valued.find(args[i]);
        if (option == valued.end() || i + 1 == args.size()) {
            return std::nullopt;
        }
        options.*(option->second) = args[++i];
    }
    if (i < args.size()) {
        options.command = args[i];
        options.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    }
    return options;
}

using SessionCommand = std::function<int(CtlContext&, SessionSettings&, CtlPrompts&,
                                         GameStarter&, const CtlArguments&)>;
using PlainCommand = std::function<int(CtlContext&, const CtlArguments&)>;

const std::map<std::string, SessionCommand>& sessionCommands() {
    static const std::map<std::string, SessionCommand> commands{
        {"preview",
         [](CtlContext& c, SessionSettings& s, CtlPrompts&, GameStarter&, const CtlArguments& a) {
             return ctlPreview(c, s, a);
         }},
        {"launch", ctlLaunch},
        {"maps",
         [](CtlContext& c, SessionSettings& s, CtlPrompts&, GameStarter&, const CtlArguments& a) {
             return ctlMaps(c, s, a);
         }},
    };
    return commands;
}

const std::map<std::string, PlainCommand>& plainCommands() {
    static const std::map<std::string, PlainCommand> commands{
        {"check", ctlCheck}, {"models", ctlModels}, {"skins", ctlSkins}, {"pcx", ctlPcx},
        {"chat", ctlChat},   {"news", ctlNews},
    };
    return commands;
}

bool isNameCommand(const std::string& command) {
    return command == "bots" || command == "teams" || command == "configs";
}

int runSessionCommand(const GlobalOptions& options, CtlContext& context, GameStarter& starter) {
    CtlPrompts prompts(context.err);
    auto session = newCtlSession(context, prompts);
    if (options.red || options.blue) {
        session->setCtfTeams(splitNames(options.red.value_or("")),
                             splitNames(options.blue.value_or("")));
        session->fillAvailable();
    }
    if (isNameCommand(options.command)) {
        return ctlNames(context, *session, options.command, options.args);
    }
    return sessionCommands().at(options.command)(context, *session, prompts, starter,
                                                 options.args);
}

std::unique_ptr<ValueStore> openStore(const GlobalOptions& options) {
    if (options.settingsFile) {
        return std::make_unique<SettingsValueStore>(*options.settingsFile);
    }
    return std::make_unique<SettingsValueStore>();
}

}  // namespace

int runWynctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              GameStarter& starter) {
    const auto options = parseGlobalOptions(args);
    if (options && options->help) {
        out << kUsage;
        return kExitOk;
    }
    const bool known = options && (sessionCommands().contains(options->command) ||
                                   plainCommands().contains(options->command) ||
                                   isNameCommand(options->command));
    if (!known) {
        if (options && !options->command.empty()) {
            err << "wynctl: unknown command '" << options->command << "'\n";
        }
        err << kUsage;
        return kExitUsage;
    }

    const PlatformProfile& profile = PlatformProfile::native();
    auto store = openStore(*options);
    CtlContext context{options->gameDirectory.value_or(profile.defaultGameDirectory),
                       options->executable.value_or(profile.defaultExecutable),
                       profile,
                       *store,
                       out,
                       err};
    try {
        if (const auto plain = plainCommands().find(options->command);
            plain != plainCommands().end()) {
            return plain->second(context, options->args);
        }
        return runSessionCommand(*options, context, starter);
    } catch (const WynError& error) {
        err << generalErrorText(error) << '\n';
        return kExitFailure;
    }
}

}  // namespace wyn
