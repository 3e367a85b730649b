#include "app/wynctl.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "app/ctl_chat.h"
#include "app/ctl_context.h"
#include "app/ctl_news.h"
#include "app/ctl_persistence.h"
#include "app/ctl_roster.h"
#include "app/ctl_servers.h"
#include "app/ctl_session.h"
#include "app/ctl_skins.h"
#include "app/search_environment.h"
#include "base/errors.h"
#include "engine/engine.h"
#include "platform/network/interfaces.h"
#include "platform/settings_value_store.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

// The usage text: the parts before and after the engines where names.
constexpr const char* kUsageBeforeWhere =
    "usage: wynctl [OPTIONS] COMMAND [ARGS]\n"
    "\n"
    "Options:\n"
    "  --game-dir DIR      the Quake II directory (default: the platform's)\n"
    "  --exe NAME          the game's executable in it, or its full path (default: the\n"
    "                      platform's)\n"
    "  --red \"NAMES\"       bots of the red CTF team, separated by blanks\n"
    "  --blue \"NAMES\"      bots of the blue CTF team, separated by blanks\n"
    "  --settings FILE     use this settings file instead of the user's\n"
    "  --restore           start a session command from the stored state, as the window's\n"
    "                      start-up does, instead of a new session\n"
    "  --store             after a session command, store the state as the window's\n"
    "                      shutdown does (a preset it loaded joins the recent files)\n"
    "  --help              print this text\n"
    "\n"
    "Commands on a new session (File > New, then the directory's lists; PRESET is loaded\n"
    "as File > Open does):\n"
    "  preview [PRESET]              print the command-line preview, one line\n"
    "  launch [--dry-run] [--wait] [PRESET]\n"
    "                                write wyn.cfg and launcher.cfg into the scripts folder\n"
    "                                (see where) and start the game (not with --dry-run:\n"
    "                                print what would start);\n"
    "                                with --wait, run it in the foreground and exit with its\n"
    "                                status (128 + the signal that ended it)\n"
    "  maps                          print every map as LIST<TAB>NAME (General, CTF, External)\n"
    "  bots | teams | configs        print the names, one per line, in order\n";

constexpr const char* kUsageAfterWhere =
    "  join [--dry-run] ADDRESS      start the game joining the server at ADDRESS (+set game\n"
    "                                vantor +connect ADDRESS; no script is written), or with\n"
    "                                --dry-run print what would start; a server joined is\n"
    "                                remembered among the recent servers\n"
    "\n"
    "Commands on the game directory:\n"
    "  check                         print Full, GameOnly or None\n"
    "  models                        print the player models, one per line\n"
    "  skins MODEL                   print the skins of a model, one per line\n"
    "  roster                        print what the bot profile editor's OK would write\n"
    "  chat                          print what the chat editor's OK would write\n"
    "\n"
    "Commands on the stored state:\n"
    "  recent                        print the recent presets, one full path per line\n"
    "  cycle                         print the map cycle editor as it opens: Current<TAB>NAME\n"
    "                                lines, then Available<TAB>NAME lines\n"
    "\n"
    "Other commands:\n"
    "  installations                 print RESULT<TAB>DIRECTORY for each installation found\n"
    "                                on this computer (--game-dir, else the stored one, first)\n"
    "  pcx FILE [--ppm OUT]          print \"WIDTH HEIGHT COLOURS\"; write the picture as PPM\n"
    "  news [QUERY] [--timeout SECONDS] [--port N] [--raw]\n"
    "                                run the developer news query and print the news\n"
    "\n"
    "Commands on game servers (ADDRESS is HOST, HOST:PORT or [IPv6]:PORT, port 27910 by\n"
    "default; SECONDS may have decimals, 3 by default):\n"
    "  status [--timeout SECONDS] ADDRESS\n"
    "                                ask the server and print NAME<TAB>VALUE for each of its\n"
    "                                rules, players<TAB>N, then FRAGS<TAB>PING<TAB>NAME for each\n"
    "                                player; no answer: exit 1, not an address: exit 2\n"
    "  servers [--timeout SECONDS] [--lan] [ADDRESS...]\n"
    "                                ask each ADDRESS (and with --lan the local networks, ports\n"
    "                                27910 to 27913) and print a line for each server that\n"
    "                                answered, fastest first:\n"
    "                                ADDRESS<TAB>PING_MS<TAB>MAP<TAB>PLAYERS/MAX<TAB>NAME\n"
    "  addresses [--port N]          print ADDRESS:PORT for each address of this computer that\n"
    "                                friends can reach a server on (port 27910 by default)\n";

// The right column of the usage, from its 33rd character to its 88th.
constexpr std::size_t kDescriptionColumn = 32;
constexpr std::size_t kUsageWidth = 88;

// A command's line of the usage with its description wrapped into the column.
std::string usageEntry(std::string_view command, std::string_view description) {
    std::string text;
    std::string line = "  " + std::string(command);
    line.resize(kDescriptionColumn, ' ');
    bool lineHasWords = false;
    for (std::size_t from = 0; from < description.size();) {
        const auto end = std::min(description.find(' ', from), description.size());
        const auto word = description.substr(from, end - from);
        if (lineHasWords && line.size() + 1 + word.size() > kUsageWidth) {
            text += line + "\n";
            line.assign(kDescriptionColumn, ' ');
            lineHasWords = false;
        }
        if (lineHasWords) {
            line += ' ';
        }
        line += word;
        lineHasWords = true;
        from = end + 1;
    }
    return text + line + "\n";
}

// The usage, the engines of "where" named as the engine table names them.
std::string usage() {
    std::string engines;
    for (const auto name : knownEngineNames()) {
        engines += std::string(name) + ", ";
    }
    return kUsageBeforeWhere +
           usageEntry("where",
                      "print engine<TAB>NAME of the executable's engine (" + engines +
                          "or unknown), scripts<TAB>FOLDER where launch writes, "
                          "search<TAB>FOLDER for each folder the engine reads the add-on from, "
                          "first wins, and start<TAB>PROGRAM ARGUMENTS, how it is started") +
           kUsageAfterWhere;
}

struct GlobalOptions {
    std::optional<std::string> gameDirectory;
    std::optional<std::string> executable;
    std::optional<std::string> red;
    std::optional<std::string> blue;
    std::optional<std::string> settingsFile;
    bool help = false;
    bool restore = false;
    bool store = false;
    std::string command;
    CtlArguments args;
};

// Nothing when the options are wrong.
std::optional<GlobalOptions> parseGlobalOptions(const std::vector<std::string>& args) {
    GlobalOptions options;
    const std::map<std::string, std::optional<std::string> GlobalOptions::*> valued{
        {"--game-dir", &GlobalOptions::gameDirectory},
        {"--exe", &GlobalOptions::executable},
        {"--red", &GlobalOptions::red},
        {"--blue", &GlobalOptions::blue},
        {"--settings", &GlobalOptions::settingsFile},
    };
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("--"); ++i) {
        if (args[i] == "--help" || args[i] == "--restore" || args[i] == "--store") {
            (args[i] == "--help"      ? options.help
             : args[i] == "--restore" ? options.restore
                                      : options.store) = true;
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

using SessionCommand = std::function<int(CtlContext&, CtlSession&, const CtlArguments&)>;
using PlainCommand = std::function<int(CtlContext&, const CtlArguments&)>;

const std::map<std::string, SessionCommand>& sessionCommands() {
    static const std::map<std::string, SessionCommand> commands{
        {"preview", ctlPreview}, {"launch", ctlLaunch},   {"maps", ctlMaps},   {"bots", ctlBots},
        {"teams", ctlTeams},     {"configs", ctlConfigs}, {"where", ctlWhere}, {"join", ctlJoin},
    };
    return commands;
}

// installations on this computer's environment.
int installationsHere(CtlContext& context, const CtlArguments& args) {
    return ctlInstallations(context, systemSearchEnvironment(), args);
}

// addresses of this computer's network interfaces.
int addressesHere(CtlContext& context, const CtlArguments& args) {
    return ctlAddresses(context, interfaceAddresses(), args);
}

const std::map<std::string, PlainCommand>& plainCommands() {
    static const std::map<std::string, PlainCommand> commands{
        {"check", ctlCheck},
        {"models", ctlModels},
        {"skins", ctlSkins},
        {"pcx", ctlPcx},
        {"chat", ctlChat},
        {"news", ctlNews},
        {"roster", ctlRoster},
        {"recent", ctlRecent},
        {"cycle", ctlCycle},
        {"installations", installationsHere},
        {"status", ctlStatus},
        {"servers", ctlServers},
        {"addresses", addressesHere},
    };
    return commands;
}

// The session a command starts from: the stored state (--restore) or a new one.
std::unique_ptr<SessionSettings> startSession(const GlobalOptions& options, CtlContext& context,
                                              CtlPrompts& prompts, RecentFiles& recent) {
    if (!options.restore) {
        recent.load(context.store);
        return newCtlSession(context, prompts);
    }
    auto session = std::make_unique<SessionSettings>(context.profile);
    session->setDirectoryPrompt(&prompts);
    if (ctlRestoreState(context, *session, recent, options.gameDirectory) != kExitOk) {
        return nullptr;
    }
    requireGameDirectory(session->gameDirectory(), context.profile);
    if (options.executable) {
        session->setText(Field::FilenameEdit, *options.executable);
    }
    return session;
}

int runSessionCommand(const GlobalOptions& options, CtlContext& context, GameStarter& starter,
                      ForegroundRunner& foreground) {
    CtlPrompts prompts(context.err);
    RecentFiles recent;
    const auto settings = startSession(options, context, prompts, recent);
    if (!settings) {
        return kExitFailure;
    }
    if (options.red || options.blue) {
        settings->setCtfTeams(splitNames(options.red.value_or("")),
                              splitNames(options.blue.value_or("")));
        settings->fillAvailable();
    }
    CtlSession session{*settings, recent, prompts, starter, foreground};
    int code = kExitFailure;
    try {
        code = sessionCommands().at(options.command)(context, session, options.args);
    } catch (const WynError& error) {
        context.err << generalErrorText(error) << '\n';
    }
    // The window stores its state when it closes, also after a failed launch.
    if (options.store) {
        ctlStoreState(context, *settings, recent);
    }
    return code;
}

std::unique_ptr<ValueStore> openStore(const GlobalOptions& options) {
    if (options.settingsFile) {
        return std::make_unique<SettingsValueStore>(*options.settingsFile);
    }
    return std::make_unique<SettingsValueStore>();
}

}  // namespace

int runWynctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              GameStarter& starter, ForegroundRunner& foreground) {
    const auto options = parseGlobalOptions(args);
    if (options && options->help) {
        out << usage();
        return kExitOk;
    }
    const bool isSessionCommand = options && sessionCommands().contains(options->command);
    const bool known = isSessionCommand || (options && plainCommands().contains(options->command));
    if (known && !isSessionCommand && (options->restore || options->store)) {
        err << "wynctl: --restore and --store go with the session commands\n";
        return kExitUsage;
    }
    if (!known) {
        if (options && !options->command.empty()) {
            err << "wynctl: unknown command '" << options->command << "'\n";
        }
        err << usage();
        return kExitUsage;
    }

    const PlatformProfile profile = systemProfile();
    auto store = openStore(*options);
    CtlContext context{options->gameDirectory.value_or(profile.defaultGameDirectory),
                       options->executable.value_or(defaultGameProgram(profile)),
                       profile,
                       *store,
                       out,
                       err,
                       options->gameDirectory.has_value()};
    try {
        if (const auto plain = plainCommands().find(options->command);
            plain != plainCommands().end()) {
            return plain->second(context, options->args);
        }
        return runSessionCommand(*options, context, starter, foreground);
    } catch (const WynError& error) {
        err << generalErrorText(error) << '\n';
        return kExitFailure;
    }
}

}  // namespace wyn
