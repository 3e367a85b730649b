#include "engine/wrapper_script.h"

#include <algorithm>
#include <array>
#include <map>
#include <span>

#include "engine/shell_syntax.h"

namespace wyn {

namespace {

using shell::Node;
using shell::NodeKind;
using shell::Part;
using shell::PartKind;
using shell::Unfollowable;
using shell::Word;

// A wrapper is a few dozen lines: these bound what any bytes may cost.
constexpr std::size_t kMaxWays = 64;      // ways followed at once
constexpr std::size_t kMaxSteps = 20000;  // commands and expansions, all ways together
constexpr std::size_t kMaxText = 4096;    // a value's characters
constexpr std::size_t kMaxStateBytes = 1 << 16;
constexpr std::size_t kMaxVariables = 256;
constexpr std::size_t kMaxArguments = 256;
constexpr std::size_t kMaxFolders = 16;
constexpr std::size_t kMaxFunctions = 64;
constexpr std::size_t kMaxMatchWork = 1 << 20;
constexpr int kMaxCalls = 16;
constexpr int kMaxIterations = 100;

[[noreturn]] void unfollowable() {
    throw Unfollowable{};
}

// The shell ends the way here (an error that exits a non-interactive shell).
struct WayEnds {};

// Part of a value: characters, or characters the reading does not know.
struct Piece {
    std::string text;
    bool known = true;
    bool quoted = false;      // neither split nor a pattern
    int caller = -1;          // the whole of that caller's word
    bool fromCaller = false;  // made of a caller's word, whole or not
};
using Text = std::vector<Piece>;

void append(Text& text, Piece piece) {
    if (piece.known && piece.text.empty() && piece.caller < 0) {
        return;  // whether a field is there is kept apart
    }
    if (!text.empty()) {
        auto& last = text.back();
        if (last.known && piece.known && last.quoted == piece.quoted && last.caller < 0 &&
            piece.caller < 0 && last.fromCaller == piece.fromCaller) {
            last.text += piece.text;
            if (last.text.size() > kMaxText) {
                unfollowable();
            }
            return;
        }
    }
    if (piece.text.size() > kMaxText || text.size() > kMaxArguments) {
        unfollowable();
    }
    text.push_back(std::move(piece));
}

void append(Text& text, const Text& more) {
    for (const auto& piece : more) {
        append(text, piece);
    }
}

bool isKnown(const Text& text) {
    return std::ranges::all_of(text, &Piece::known);
}

bool isFromCaller(const Text& text) {
    return std::ranges::any_of(text, &Piece::fromCaller);
}

std::string joined(const Text& text) {
    std::string result;
    for (const auto& piece : text) {
        result += piece.text;
    }
    return result;
}

// The text when every piece is known.
std::optional<std::string> knownText(const Text& text) {
    return isKnown(text) ? std::optional(joined(text)) : std::nullopt;
}

Text plain(std::string text, bool fromCaller = false) {
    Text result;
    append(result, Piece{std::move(text), true, true, -1, fromCaller});
    return result;
}

Text unknown(bool fromCaller = false) {
    return {Piece{{}, false, false, -1, fromCaller}};
}

// Values kept as parameters: how they were quoted is over.
std::vector<Text> stored(std::vector<Text> values) {
    for (auto& value : values) {
        for (auto& piece : value) {
            piece.quoted = false;
        }
    }
    return values;
}

// Some of the characters the result came from are the caller's: the result
// is no caller's word any more.
Text derived(const Text& from, std::string text) {
    return plain(std::move(text), isFromCaller(from));
}

struct Variable {
    enum class Kind { Unknown, Unset, Set } kind = Kind::Unknown;
    Text value;
    bool readonly = false;
};

struct Frame {
    std::vector<Text> positional;
    int loops = 0;
    // The variables its "local" hid, as they were (nothing: not in the map).
    std::vector<std::pair<std::string, std::optional<Variable>>> hidden;
    std::vector<std::string> temporary;  // set for the call only
};

// Everything one way through the script has done so far.
struct State {
    std::map<std::string, Variable> variables;
    std::map<std::string, const Node*> functions;
    std::vector<Text> positional;
    std::vector<Frame> frames;
    std::size_t frameBase = 0;  // the frames of the subshell's parent
    // The working directory; empty: the one the script started in, unknown.
    std::optional<std::string> directory = std::string();
    std::vector<std::string> folders;
    std::optional<int> status = 0;
    std::optional<int> substitutionStatus;
    bool errexit = false;
    bool nounset = false;
    bool noglob = false;
    int loops = 0;
    int conditions = 0;  // inside a condition errexit does not apply
    bool subshell = false;
    bool errexitDiffers = false;  // in $(...), where dash keeps -e and bash does not
    bool capturing = false;       // inside $(...): standard output is the value
    Text output;
    bool outputKnown = true;
};

enum class Flow { Next, Exit, Exec, Break, Continue, Return };

struct Way {
    explicit Way(State s, Flow f = Flow::Next) : state(std::move(s)), flow(f) {}

    State state;
    Flow flow;
    int levels = 0;  // Break, Continue
    WrapperExec exec;
};
using Ways = std::vector<Way>;

constexpr std::array kSpecialBuiltins{":",    ".",     "break",  "continue", "eval",
                                      "exec", "exit",  "export", "readonly", "return",
                                      "set",  "shift", "times",  "trap",     "unset"};
// Builtins or keywords of bash that dash runs as programs, and programs that
// run the caller's command: what they do is not read.
constexpr std::array kUnread{"[[",        "]]",      "alias",    "unalias", "source",  "eval",
                             ".",         "declare", "typeset",  "let",     "shopt",   "pushd",
                             "popd",      "dirs",    "enable",   "builtin", "caller",  "mapfile",
                             "readarray", "getopts", "time",     "coproc",  "select",  "function",
                             "exec",      "command", "fc",       "bind",    "disown",  "suspend",
                             "logout",    "history", "complete", "compgen", "compopt", "help"};
// Builtins whose arguments are assignments, each one word.
constexpr std::array kDeclarations{"export", "readonly", "local"};
// Variables whose change would change the engine's folders or the shell's.
constexpr std::array kGuarded{"HOME", "XDG_DATA_HOME", "PWD", "OLDPWD", "ENV", "BASH_ENV"};

template <typename List>
bool contains(const List& list, std::string_view item) {
    return std::ranges::find(list, item) != list.end();
}

bool isDigits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<long long> integer(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    if (!isDigits(text) || text.size() > 15) {
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// A folder path as cd makes it, logically: "." and ".." taken out as text,
// slashes joined; a leading "//" stays, as dash keeps it.
std::string logicalFolder(std::string_view path) {
    const bool doubleSlash = path.starts_with("//") && !path.starts_with("///");
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const auto slash = path.find('/');
        const auto part = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
            continue;
        }
        parts.push_back(part);
    }
    std::string folder = doubleSlash ? "/" : "";
    for (const auto part : parts) {
        folder += "/";
        folder += part;
    }
    return folder.empty() || folder == "/" ? (doubleSlash ? "//" : "/") : folder;
}

std::string withoutTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && path.ends_with('/')) {
        path.remove_suffix(1);
    }
    return std::string(path);
}

// dirname and basename as POSIX has them; a path that begins with "//" is
// the system's to read (nothing).
std::optional<std::string> dirnameOf(std::string_view path) {
    if (path.starts_with("//")) {
        return std::nullopt;
    }
    const auto trimmed = withoutTrailingSlashes(path);
    const auto slash = trimmed.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : withoutTrailingSlashes(std::string_view(trimmed).substr(0, slash));
}

std::optional<std::string> basenameOf(std::string_view path, std::string_view suffix) {
    if (path.starts_with("//")) {
        return std::nullopt;
    }
    const auto trimmed = withoutTrailingSlashes(path);
    if (trimmed == "/") {
        return trimmed;
    }
    auto name = trimmed.substr(trimmed.find_last_of('/') + 1);
    if (!suffix.empty() && name != suffix && name.ends_with(suffix)) {
        name.resize(name.size() - suffix.size());
    }
    return name;
}

// A shell pattern of known characters, quoted ones plain: whether it matches
// a text, or nothing when that depends on the locale or the shell.
class Pattern {
public:
    explicit Pattern(const Text& pattern) {
        for (const auto& piece : pattern) {
            for (std::size_t i = 0; i < piece.text.size(); ++i) {
                const char c = piece.text[i];
                if (piece.quoted) {
                    m_items.push_back({Item::Char, c, {}});
                } else if (c == '\\' && i + 1 < piece.text.size()) {
                    m_items.push_back({Item::Char, piece.text[++i], {}});
                } else if (c == '*') {
                    m_items.push_back({Item::Star, c, {}});
                } else if (c == '?') {
                    m_items.push_back({Item::Any, c, {}});
                } else if (c == '[') {
                    // A ']' first (after '!') is a member.
                    std::size_t from = i + 1;
                    from += from < piece.text.size() && piece.text[from] == '!' ? 1 : 0;
                    const auto close = piece.text.find(']', from + 1);
                    if (close == std::string::npos) {
                        // A bracket closed in a later piece is the shells' to read.
                        m_decidable = m_decidable &&
                                      std::none_of(&piece + 1, pattern.data() + pattern.size(),
                                                   [](const Piece& p) {
                                                       return p.text.find(']') != std::string::npos;
                                                   });
                        m_items.push_back({Item::Char, c, {}});
                        continue;
                    }
                    std::string set = piece.text.substr(i + 1, close - i - 1);
                    // Classes, ranges and '^' are the locale's or the shell's.
                    if (set.starts_with('^') || set.find('[') != std::string::npos ||
                        set.find('-', 1) != std::string::npos ||
                        set.find('\\') != std::string::npos) {
                        m_decidable = false;
                    }
                    m_items.push_back({Item::Set, c, std::move(set)});
                    i = close;
                } else {
                    m_items.push_back({Item::Char, c, {}});
                }
            }
        }
    }

    std::optional<bool> matches(std::string_view text) const {
        if (!m_decidable || m_items.size() * (text.size() + 1) > kMaxMatchWork) {
            return std::nullopt;
        }
        // Backtracks to the last star only: enough for shell patterns.
        std::size_t p = 0;
        std::size_t t = 0;
        std::size_t star = std::string::npos;
        std::size_t resume = 0;
        while (t < text.size()) {
            if (p < m_items.size() && m_items[p].kind != Item::Star &&
                m_items[p].accepts(text[t])) {
                ++p;
                ++t;
            } else if (p < m_items.size() && m_items[p].kind == Item::Star) {
                star = p++;
                resume = t;
            } else if (star != std::string::npos) {
                p = star + 1;
                t = ++resume;
            } else {
                return false;
            }
        }
        while (p < m_items.size() && m_items[p].kind == Item::Star) {
            ++p;
        }
        return p == m_items.size();
    }

    std::size_t size() const { return m_items.size(); }

private:
    struct Item {
        enum Kind { Char, Any, Star, Set } kind;
        char c;
        std::string set;

        bool accepts(char x) const {
            if (kind == Char) {
                return x == c;
            }
            if (kind == Any) {
                return true;
            }
            const bool negated = set.starts_with('!');
            return (std::string_view(set).substr(negated ? 1 : 0).find(x) != std::string::npos) !=
                   negated;
        }
    };
    std::vector<Item> m_items;
    bool m_decidable = true;
};

// The fields a word expands to; not exact when the reading cannot tell them
// (an unknown value split, a pattern that names files).
struct Fields {
    std::vector<Text> fields;
    bool exact = true;
};

class Reader {
public:
    explicit Reader(const WrapperCall& call) : m_call(call) {}

    std::vector<WrapperExec> read(std::string_view script) {
        State initial;
        if (!shebang(script, initial)) {
            unfollowable();
        }
        for (const auto& argument : m_call.arguments) {
            const int index = static_cast<int>(initial.positional.size());
            initial.positional.push_back(argument ? Text{Piece{*argument, true, false, index, true}}
                                                  : Text{Piece{{}, false, false, index, true}});
        }
        if (initial.positional.size() > kMaxArguments) {
            unfollowable();
        }
        initial.directory = m_call.directory;
        initial.variables["IFS"] = {Variable::Kind::Set, plain(" \t\n"), false};
        initial.variables["OPTIND"] = {Variable::Kind::Set, plain("1"), false};
        shell::Parser parser(script, m_call.complete);
        Ways ways;
        ways.emplace_back(std::move(initial));
        std::vector<WrapperExec> execs;
        while (!ways.empty()) {
            const Node* command = parser.next();
            if (command == nullptr) {
                break;  // the script ends: the ways left exit
            }
            Ways next;
            for (auto& way : ways) {
                for (auto& after : run(*command, std::move(way.state))) {
                    if (after.flow == Flow::Exec &&
                        std::ranges::find(execs, after.exec) == execs.end()) {
                        execs.push_back(std::move(after.exec));
                    } else if (after.flow == Flow::Next) {
                        next.push_back(std::move(after));
                    } else if (after.flow != Flow::Exit && after.flow != Flow::Exec) {
                        unfollowable();
                    }
                }
            }
            bounded(next);
            ways = std::move(next);
        }
        return execs;
    }

private:
    // "#!/bin/sh", "#!/usr/bin/env bash", with at most one option word.
    bool shebang(std::string_view script, State& state) const {
        if (!script.starts_with("#!")) {
            return false;
        }
        const auto end = script.find('\n');
        if (end == std::string_view::npos && !m_call.complete) {
            return false;
        }
        std::string_view line = script.substr(2, end == std::string_view::npos ? end : end - 2);
        std::vector<std::string_view> words;
        while (!line.empty()) {
            const auto start = line.find_first_not_of(" \t");
            if (start == std::string_view::npos) {
                break;
            }
            line.remove_prefix(start);
            const auto stop = line.find_first_of(" \t");
            words.push_back(line.substr(0, stop));
            line = stop == std::string_view::npos ? std::string_view() : line.substr(stop);
        }
        if (words.size() == 2 && (words[0] == "/usr/bin/env" || words[0] == "/bin/env")) {
            // env is given the rest as one word: no options after the shell.
            words.erase(words.begin());
        } else if (words.empty() || !words[0].starts_with('/')) {
            return false;
        }
        const auto shellName = words[0].substr(words[0].find_last_of('/') + 1);
        if (shellName != "sh" && shellName != "dash" && shellName != "bash") {
            return false;
        }
        // The kernel passes what follows the interpreter as one word.
        if (words.size() > 2) {
            return false;
        }
        if (words.size() == 2) {
            const auto option = words[1];
            if (!option.starts_with('-') || option.size() < 2) {
                return false;
            }
            for (const char c : option.substr(1)) {
                if (c == 'e') {
                    state.errexit = true;
                } else if (c == 'u') {
                    state.nounset = true;
                } else if (c == 'f') {
                    state.noglob = true;
                } else if (c != 'x' && c != 'v') {
                    return false;
                }
            }
        }
        return true;
    }

    void step() {
        if (++m_steps > kMaxSteps) {
            unfollowable();
        }
    }

    static void bounded(const Ways& ways) {
        if (ways.size() > kMaxWays) {
            unfollowable();
        }
    }

    static Ways one(State state, Flow flow = Flow::Next) {
        Ways ways;
        ways.emplace_back(std::move(state), flow);
        return ways;
    }

    // ---- Commands ----

    Ways run(const Node& node, State state) {
        step();
        switch (node.kind) {
            case NodeKind::Sequence:
                return sequence(node, std::move(state));
            case NodeKind::AndOr:
                return andOr(node, std::move(state));
            case NodeKind::Pipeline:
                return pipeline(node, std::move(state));
            case NodeKind::Simple:
                return simple(node, std::move(state));
            case NodeKind::Function:
                if (contains(kSpecialBuiltins, node.name) || contains(kDeclarations, node.name) ||
                    (!state.functions.contains(node.name) &&
                     state.functions.size() >= kMaxFunctions)) {
                    unfollowable();
                }
                state.functions[node.name] = node.children.front();
                state.status = 0;
                return one(std::move(state));
            default:
                return compound(node, std::move(state));
        }
    }

    Ways sequence(const Node& node, State state) {
        Ways ways = one(std::move(state));
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            Ways next;
            for (auto& way : ways) {
                if (way.flow != Flow::Next) {
                    next.push_back(std::move(way));
                    continue;
                }
                if (node.background[i]) {
                    unfollowable();  // it would run beside the script
                }
                for (auto& after : run(*node.children[i], std::move(way.state))) {
                    next.push_back(std::move(after));
                }
            }
            bounded(next);
            ways = std::move(next);
        }
        return ways;
    }

    // Runs a condition: errexit does not apply inside it.
    Ways condition(const Node& node, State state) {
        ++state.conditions;
        auto ways = run(node, std::move(state));
        for (auto& way : ways) {
            --way.state.conditions;
        }
        return ways;
    }

    // Splits the ways that go on by their status: those that take the branch
    // (status 0 when zero is set) and the others; a status not known goes both.
    static void byStatus(Ways ways, bool zero, Ways& taken, Ways& others) {
        for (auto& way : ways) {
            if (way.flow != Flow::Next) {
                others.push_back(std::move(way));
                continue;
            }
            const auto status = way.state.status;
            if (!status) {
                taken.push_back(way);
                others.push_back(std::move(way));
            } else if ((*status == 0) == zero) {
                taken.push_back(std::move(way));
            } else {
                others.push_back(std::move(way));
            }
        }
        bounded(taken);
        bounded(others);
    }

    Ways andOr(const Node& node, State state) {
        const auto count = node.children.size();
        Ways ways = count > 1 ? condition(*node.children[0], std::move(state))
                              : run(*node.children[0], std::move(state));
        for (std::size_t i = 1; i < count; ++i) {
            Ways taken;
            Ways skipped;
            byStatus(std::move(ways), node.andThen[i - 1], taken, skipped);
            ways = std::move(skipped);
            for (auto& way : taken) {
                auto after = i + 1 < count ? condition(*node.children[i], std::move(way.state))
                                           : run(*node.children[i], std::move(way.state));
                std::move(after.begin(), after.end(), std::back_inserter(ways));
            }
            bounded(ways);
        }
        return ways;
    }

    Ways pipeline(const Node& node, State state) {
        if (node.children.size() == 1) {
            if (!node.negated) {
                return run(*node.children[0], std::move(state));
            }
            auto ways = condition(*node.children[0], std::move(state));
            for (auto& way : ways) {
                if (way.flow == Flow::Next && way.state.status) {
                    way.state.status = *way.state.status == 0 ? 1 : 0;
                }
            }
            return ways;
        }
        // Every command of a pipeline runs in a subshell; the last one's
        // output and status are the pipeline's.
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const bool last = i + 1 == node.children.size();
            const bool capturing = state.capturing;
            state.capturing = capturing && last;
            subshell(*node.children[i], state);
            state.capturing = capturing;
            if (!last) {
                state.status = 0;
            }
        }
        if (node.negated) {
            state.status = state.status ? std::optional(*state.status == 0 ? 1 : 0) : std::nullopt;
            return one(std::move(state));
        }
        return checked(std::move(state));
    }

    // errexit: a command that failed for sure outside a condition ends the
    // shell. In $(...) dash keeps -e and bash does not: not read.
    Ways checked(State state) {
        if (state.errexit && state.conditions == 0 && state.status && *state.status != 0) {
            if (state.errexitDiffers) {
                unfollowable();
            }
            return one(std::move(state), Flow::Exit);
        }
        return one(std::move(state));
    }

    // Runs a command in a subshell of the state: its status, output and the
    // folders it assumed come back; nothing else does.
    void subshell(const Node& node, State& state) {
        State inner = state;
        inner.subshell = true;
        inner.frameBase = inner.frames.size();
        inner.loops = 0;
        inner.output.clear();
        inner.outputKnown = true;
        const auto ways = run(node, std::move(inner));
        std::optional<std::optional<int>> status;
        std::optional<Text> output;
        bool outputKnown = true;
        for (const auto& way : ways) {
            if (way.flow != Flow::Next && way.flow != Flow::Exit) {
                unfollowable();  // a program started beside the script, or a loop left
            }
            status = !status || *status == way.state.status ? way.state.status : std::nullopt;
            outputKnown = outputKnown && way.state.outputKnown &&
                          (!output || joined(*output) == joined(way.state.output));
            if (!output) {
                output = way.state.output;
            } else if (isFromCaller(way.state.output)) {
                for (auto& piece : *output) {
                    piece.fromCaller = true;
                }
            }
            for (const auto& folder : way.state.folders) {
                assume(state, folder);
            }
        }
        state.status = status.value_or(0);
        if (state.capturing) {
            if (outputKnown && output) {
                append(state.output, *output);
            } else {
                state.outputKnown = false;
            }
        }
    }

    static void assume(State& state, const std::string& folder) {
        if (std::ranges::find(state.folders, folder) == state.folders.end()) {
            if (state.folders.size() >= kMaxFolders) {
                unfollowable();
            }
            state.folders.push_back(folder);
        }
    }

    static bool redirectsOutput(const std::vector<shell::Redirection>& redirections) {
        return std::ranges::any_of(redirections, [](const shell::Redirection& r) {
            const bool output = r.op == ">" || r.op == ">>" || r.op == ">|" || r.op == ">&";
            return r.fd == 1 || (r.fd < 0 && output);
        });
    }

    // The redirections' words are expanded for what they change; the files
    // they open are not looked at (a failed one ends the shell: no way on).
    void redirect(const std::vector<shell::Redirection>& redirections, State& state) {
        for (const auto& redirection : redirections) {
            if (redirection.op == "<<" || redirection.op == "<<-") {
                if (redirection.expandBody) {
                    expandJoined(redirection.body, state);
                }
                continue;
            }
            expandJoined(redirection.target, state);
        }
    }

    Ways compound(const Node& node, State state) {
        redirect(node.redirections, state);
        const bool capturing = state.capturing;
        if (redirectsOutput(node.redirections)) {
            state.capturing = false;
        }
        Ways ways;
        switch (node.kind) {
            case NodeKind::If:
                ways = ifClause(node, std::move(state));
                break;
            case NodeKind::While:
            case NodeKind::Until:
                ways = loop(node, std::move(state));
                break;
            case NodeKind::For:
                ways = forLoop(node, std::move(state));
                break;
            case NodeKind::Case:
                ways = caseClause(node, std::move(state));
                break;
            case NodeKind::Group:
                ways = run(*node.children[0], std::move(state));
                break;
            default:
                subshell(*node.children[0], state);
                ways = checked(std::move(state));
                break;
        }
        for (auto& way : ways) {
            way.state.capturing = capturing;
        }
        return ways;
    }

    Ways ifClause(const Node& node, State state) {
        Ways result;
        Ways pending = condition(*node.children[0], std::move(state));
        for (std::size_t i = 0; i + 1 < node.children.size(); i += 2) {
            Ways taken;
            Ways others;
            byStatus(std::move(pending), true, taken, others);
            for (auto& way : taken) {
                auto after = run(*node.children[i + 1], std::move(way.state));
                std::move(after.begin(), after.end(), std::back_inserter(result));
            }
            pending.clear();
            const bool last = i + 2 >= node.children.size();
            for (auto& way : others) {
                if (way.flow != Flow::Next) {
                    result.push_back(std::move(way));
                } else if (last) {
                    way.state.status = 0;
                    result.push_back(std::move(way));
                } else if (i + 3 == node.children.size()) {
                    // The else body.
                    auto after = run(*node.children[i + 2], std::move(way.state));
                    std::move(after.begin(), after.end(), std::back_inserter(result));
                } else {
                    auto after = condition(*node.children[i + 2], std::move(way.state));
                    std::move(after.begin(), after.end(), std::back_inserter(pending));
                }
            }
            bounded(result);
            if (i + 3 == node.children.size()) {
                break;
            }
        }
        return result;
    }

    // A loop's body run: a break or continue for this loop ends here; one for
    // an outer loop goes on out.
    void body(const Node& node, Way way, Ways& repeat, Ways& leave) {
        ++way.state.loops;
        for (auto& after : run(node, std::move(way.state))) {
            --after.state.loops;
            if ((after.flow == Flow::Break || after.flow == Flow::Continue) && after.levels > 1) {
                --after.levels;
                leave.push_back(std::move(after));
            } else if (after.flow == Flow::Break) {
                after.flow = Flow::Next;
                after.state.status = 0;
                leave.push_back(std::move(after));
            } else if (after.flow == Flow::Continue || after.flow == Flow::Next) {
                after.flow = Flow::Next;
                repeat.push_back(std::move(after));
            } else {
                leave.push_back(std::move(after));
            }
        }
    }

    Ways loop(const Node& node, State state) {
        Ways leave;
        Ways active = one(std::move(state));
        for (int iteration = 0; !active.empty(); ++iteration) {
            if (iteration >= kMaxIterations) {
                unfollowable();
            }
            Ways tested;
            for (auto& way : active) {
                auto after = condition(*node.children[0], std::move(way.state));
                std::move(after.begin(), after.end(), std::back_inserter(tested));
            }
            for (const auto& way : tested) {
                if (way.flow == Flow::Break || way.flow == Flow::Continue) {
                    unfollowable();
                }
            }
            Ways taken;
            Ways others;
            byStatus(std::move(tested), node.kind == NodeKind::While, taken, others);
            for (auto& way : others) {
                if (way.flow == Flow::Next) {
                    way.state.status = iteration == 0 ? std::optional(0) : std::nullopt;
                }
                leave.push_back(std::move(way));
            }
            active.clear();
            for (auto& way : taken) {
                body(*node.children[1], std::move(way), active, leave);
            }
            bounded(active);
            bounded(leave);
        }
        return leave;
    }

    Ways forLoop(const Node& node, State state) {
        std::vector<Text> items;
        if (node.listGiven) {
            for (const auto& word : node.words) {
                auto fields = expand(word, state);
                if (!fields.exact) {
                    unfollowable();
                }
                std::move(fields.fields.begin(), fields.fields.end(), std::back_inserter(items));
            }
        } else {
            items = state.positional;
        }
        if (items.size() > kMaxArguments) {
            unfollowable();
        }
        Ways leave;
        Ways active = one(std::move(state));
        for (const auto& item : items) {
            Ways next;
            for (auto& way : active) {
                assign(way.state, node.name, item);
                body(*node.children[0], std::move(way), next, leave);
            }
            active = std::move(next);
            bounded(active);
            bounded(leave);
        }
        for (auto& way : active) {
            if (items.empty()) {
                way.state.status = 0;
            }
            leave.push_back(std::move(way));
        }
        return leave;
    }

    // Whether the subject matches one of an item's patterns; nothing when the
    // reading cannot tell.
    std::optional<bool> matches(const shell::CaseItem& item,
                                const std::optional<std::string>& subject, State& state) {
        bool unsure = false;
        for (const auto& word : item.patterns) {
            const auto pattern = expandJoined(word, state);
            const auto result =
                subject && isKnown(pattern) ? Pattern(pattern).matches(*subject) : std::nullopt;
            if (result == true) {
                return true;
            }
            unsure = unsure || !result;
        }
        return unsure ? std::nullopt : std::optional(false);
    }

    Ways caseClause(const Node& node, State state) {
        const auto subject = knownText(expandJoined(node.subject, state));
        Ways result;
        Ways pending = one(std::move(state));
        for (const auto& item : node.items) {
            for (const auto& pattern : item.patterns) {
                for (const auto& part : pattern) {
                    if (part.kind == PartKind::Substitution || !part.op.empty()) {
                        unfollowable();  // a pattern that changes something when tried
                    }
                }
            }
            Ways stay;
            for (auto& way : pending) {
                const auto match = matches(item, subject, way.state);
                if (match != true) {
                    stay.push_back(way);
                }
                if (match != false) {
                    if (item.body == nullptr) {
                        way.state.status = 0;
                        result.push_back(std::move(way));
                    } else {
                        auto after = run(*item.body, std::move(way.state));
                        std::move(after.begin(), after.end(), std::back_inserter(result));
                    }
                }
            }
            pending = std::move(stay);
            bounded(result);
            bounded(pending);
        }
        for (auto& way : pending) {
            way.state.status = 0;
            result.push_back(std::move(way));
        }
        return result;
    }

    // ---- Simple commands ----

    Ways simple(const Node& node, State state) {
        state.substitutionStatus.reset();
        std::vector<Text> words;
        std::vector<std::pair<std::string, std::optional<Text>>> declarations;
        bool inexact = false;
        try {
            const auto first = node.words.empty() ? std::nullopt : plainWord(node.words[0]);
            const bool declaration = first && contains(kDeclarations, *first);
            for (const auto& word : node.words) {
                if (declaration && &word != &node.words.front()) {
                    declarations.push_back(declarationWord(word, state));
                    continue;
                }
                auto fields = expand(word, state);
                if (!fields.exact) {
                    // The command is not known, or what it is given is not.
                    if (words.empty()) {
                        unfollowable();
                    }
                    inexact = true;
                    words.push_back(unknown(std::ranges::any_of(fields.fields, isFromCaller) ||
                                            mentionsCaller(word, state)));
                    continue;
                }
                std::move(fields.fields.begin(), fields.fields.end(), std::back_inserter(words));
                if (words.size() > kMaxArguments) {
                    unfollowable();
                }
            }
            redirect(node.redirections, state);
            if (words.empty()) {
                for (const auto& assignment : node.assignments) {
                    assign(state, assignment.name, expandJoined(assignment.value, state));
                }
                state.status = state.substitutionStatus.value_or(0);
                return checked(std::move(state));
            }
        } catch (const WayEnds&) {
            return one(std::move(state), Flow::Exit);
        }
        const auto name = knownText(words[0]);
        if (!name) {
            unfollowable();
        }
        const bool capturing = state.capturing;
        if (redirectsOutput(node.redirections)) {
            state.capturing = false;
        }
        words.erase(words.begin());
        Ways ways;
        try {
            ways = contains(kDeclarations, *name)
                       ? declare(*name, node, declarations, std::move(state))
                       : command(*name, node, std::move(words), inexact, std::move(state));
        } catch (const WayEnds&) {
            unfollowable();  // an error in the middle of a command: not followed
        }
        for (auto& way : ways) {
            way.state.capturing = capturing;
        }
        return ways;
    }

    // A word of plain characters, as a command's name may be.
    static std::optional<std::string> plainWord(const Word& word) {
        if (word.size() == 1 && word[0].kind == PartKind::Text && !word[0].quoted) {
            return word[0].text;
        }
        return std::nullopt;
    }

    bool mentionsCaller(const Word& word, const State& state) const {
        for (const auto& part : word) {
            if (part.kind == PartKind::Parameter && part.text != "0" &&
                (isDigits(part.text) || part.text == "@" || part.text == "*")) {
                return true;
            }
            if (part.kind == PartKind::Parameter) {
                const auto found = state.variables.find(part.text);
                if (found != state.variables.end() && isFromCaller(found->second.value)) {
                    return true;
                }
            }
        }
        return false;
    }

    // The assignments a command is given, for it alone: they are applied and
    // become unknown once it returns (dash and bash differ on what stays).
    std::vector<std::string> applyTemporary(const Node& node, State& state) {
        std::vector<std::string> names;
        for (const auto& assignment : node.assignments) {
            assign(state, assignment.name, expandJoined(assignment.value, state));
            names.push_back(assignment.name);
        }
        return names;
    }

    void forgetTemporary(State& state, const std::vector<std::string>& names) {
        for (const auto& name : names) {
            auto& variable = state.variables[name];
            variable.kind = Variable::Kind::Unknown;
            variable.value.clear();
        }
    }

    Ways command(const std::string& name, const Node& node, std::vector<Text> args, bool inexact,
                 State state) {
        if (name == "exec") {
            return execute(node, args, inexact, std::move(state));
        }
        if (contains(kUnread, name) || name.find("+=") != std::string::npos) {
            unfollowable();
        }
        const bool special = contains(kSpecialBuiltins, name);
        if (!special) {
            if (const auto function = state.functions.find(name);
                function != state.functions.end()) {
                return call(*function->second, node, std::move(args), inexact, std::move(state));
            }
        }
        if (special || isBuiltin(name)) {
            // A builtin's assignments may stay (dash) or not (bash).
            const auto temporary = applyTemporary(node, state);
            if (inexact && name != "echo" && name != "printf" && name != ":" && name != "true") {
                unfollowable();
            }
            auto ways = builtin(name, args, std::move(state));
            for (auto& way : ways) {
                forgetTemporary(way.state, temporary);
            }
            return ways;
        }
        // Another program: it changes nothing of the shell's. One given the
        // caller's words might be the engine, started before the exec.
        if (std::ranges::any_of(args, isFromCaller)) {
            unfollowable();
        }
        for (const auto& assignment : node.assignments) {
            expandJoined(assignment.value, state);
        }
        state.status.reset();
        if (state.capturing) {
            output(state, inexact ? unknown() : utility(name, args));
        }
        return one(std::move(state));
    }

    static bool isBuiltin(std::string_view name) {
        constexpr std::array kBuiltins{"true", "false", "echo",  "printf", "test",  "[",
                                       "cd",   "pwd",   "local", "read",   "type",  "hash",
                                       "wait", "jobs",  "kill",  "umask",  "ulimit"};
        return contains(kBuiltins, name);
    }

    // What dirname, basename, readlink -f and realpath (the system's, on
    // PATH) print; other programs' output is unknown.
    Text utility(const std::string& name, const std::vector<Text>& args) const {
        std::vector<std::string> texts;
        for (const auto& arg : args) {
            const auto text = knownText(arg);
            if (!text) {
                return unknown();
            }
            texts.push_back(*text);
        }
        if (!texts.empty() && texts[0] == "--") {
            texts.erase(texts.begin());
        }
        const bool fromCaller = std::ranges::any_of(args, isFromCaller);
        std::optional<std::string> result;
        if (name == "dirname" && texts.size() == 1) {
            result = dirnameOf(texts[0]);
        } else if (name == "basename" && (texts.size() == 1 || texts.size() == 2) &&
                   !texts[0].starts_with('-')) {
            result = basenameOf(texts[0], texts.size() == 2 ? texts[1] : "");
        } else if (((name == "readlink" && texts.size() == 2 && texts[0] == "-f") ||
                    (name == "realpath" && texts.size() == 1)) &&
                   texts.back().starts_with('/') && m_call.realPath) {
            if (auto real = m_call.realPath(texts.back()); !real.empty()) {
                result = std::move(real);
            }
        }
        return result ? plain(*result + "\n", fromCaller) : unknown(fromCaller);
    }

    static void output(State& state, const Text& text) {
        if (!state.capturing) {
            return;
        }
        if (!isKnown(text)) {
            state.outputKnown = false;
            return;
        }
        append(state.output, text);
    }

    Ways call(const Node& body, const Node& node, std::vector<Text> args, bool inexact,
              State state) {
        if (inexact || state.frames.size() >= static_cast<std::size_t>(kMaxCalls)) {
            unfollowable();
        }
        Frame frame;
        frame.positional = std::move(state.positional);
        frame.loops = state.loops;
        state.positional = stored(std::move(args));
        state.loops = 0;
        state.frames.push_back(std::move(frame));
        state.frames.back().temporary = applyTemporary(node, state);
        Ways ways;
        for (auto& way : run(body, std::move(state))) {
            if (way.flow == Flow::Break || way.flow == Flow::Continue) {
                unfollowable();
            }
            if (way.flow == Flow::Return || way.flow == Flow::Next) {
                way.flow = Flow::Next;
                auto& frame = way.state.frames.back();
                for (auto it = frame.hidden.rbegin(); it != frame.hidden.rend(); ++it) {
                    if (it->second) {
                        way.state.variables[it->first] = *it->second;
                    } else {
                        way.state.variables.erase(it->first);
                    }
                }
                way.state.positional = std::move(frame.positional);
                way.state.loops = frame.loops;
                const auto temporary = std::move(frame.temporary);
                way.state.frames.pop_back();
                forgetTemporary(way.state, temporary);
                for (auto& after : checked(std::move(way.state))) {
                    ways.push_back(std::move(after));
                }
                continue;
            }
            ways.push_back(std::move(way));
        }
        return ways;
    }

    Ways execute(const Node& node, std::vector<Text> args, bool inexact, State state) {
        for (const auto& assignment : node.assignments) {
            if (contains(kGuarded, assignment.name)) {
                unfollowable();
            }
        }
        if (args.empty()) {
            // Redirections only: exec is a special builtin, its assignments stay.
            for (const auto& assignment : node.assignments) {
                assign(state, assignment.name, expandJoined(assignment.value, state));
            }
            state.status = 0;
            return one(std::move(state));
        }
        const auto name = knownText(args[0]);
        if (inexact || state.subshell || !name || name->starts_with('-') ||
            name->find('/') == std::string::npos) {
            unfollowable();  // exec's options are bash's; a bare name is found on PATH
        }
        for (const auto& assignment : node.assignments) {
            expandJoined(assignment.value, state);
        }
        WrapperExec exec;
        exec.name = *name;
        if (name->starts_with('/')) {
            exec.program = *name;
        } else if (state.directory && !state.directory->empty()) {
            exec.program = *state.directory + "/" + *name;
        } else {
            unfollowable();
        }
        if (!state.directory) {
            unfollowable();
        }
        exec.directory = *state.directory;
        for (std::size_t i = 1; i < args.size(); ++i) {
            const auto& arg = args[i];
            if (arg.size() == 1 && arg[0].caller >= 0) {
                exec.arguments.push_back({arg[0].text, arg[0].caller});
            } else if (const auto text = knownText(arg)) {
                exec.arguments.push_back({*text, -1});
            } else {
                unfollowable();
            }
        }
        exec.folders = state.folders;
        Ways ways = one(std::move(state), Flow::Exec);
        ways.front().exec = std::move(exec);
        return ways;
    }

    Ways builtin(const std::string& name, std::vector<Text>& args, State state) {
        const auto text = [&args](std::size_t i) { return knownText(args[i]); };
        if (name == ":" || name == "true") {
            state.status = 0;
        } else if (name == "false") {
            state.status = 1;
        } else if (name == "echo") {
            echo(args, state);
        } else if (name == "printf") {
            printf(args, state);
        } else if (name == "test" || name == "[") {
            const auto result = test(args, name == "[");
            state.status = result ? std::optional(*result ? 0 : 1) : std::nullopt;
        } else if (name == "cd") {
            changeDirectory(args, state);
        } else if (name == "pwd") {
            printDirectory(args, state);
        } else if (name == "unset") {
            unset(args, state);
        } else if (name == "shift") {
            const auto count =
                args.empty() ? std::optional(1LL) : (text(0) ? integer(*text(0)) : std::nullopt);
            if (args.size() > 1 || !count || *count < 0 ||
                static_cast<std::size_t>(*count) > state.positional.size()) {
                unfollowable();  // dash exits, bash goes on
            }
            state.positional.erase(state.positional.begin(), state.positional.begin() + *count);
            state.status = 0;
        } else if (name == "set") {
            set(args, state);
        } else if (name == "exit" || name == "return") {
            return leave(name, args, std::move(state));
        } else if (name == "break" || name == "continue") {
            const auto levels =
                args.empty() ? std::optional(1LL) : (text(0) ? integer(*text(0)) : std::nullopt);
            if (args.size() > 1 || !levels || *levels < 1 || state.loops == 0) {
                unfollowable();
            }
            const int count = static_cast<int>(std::min<long long>(*levels, state.loops));
            Ways ways = one(std::move(state), name == "break" ? Flow::Break : Flow::Continue);
            ways.front().levels = count;
            return ways;
        } else if (name == "read") {
            for (const auto& arg : args) {
                const auto variable = knownText(arg);
                if (!variable || (variable->starts_with('-') && *variable != "-r")) {
                    unfollowable();
                }
                if (*variable != "-r") {
                    forget(state, *variable);
                }
            }
            state.status.reset();
        } else if (name == "trap") {
            // Only taking a trap away, or ignoring a signal, is read.
            if (!args.empty() && (!text(0) || (*text(0) != "-" && !text(0)->empty()))) {
                unfollowable();
            }
            state.status = 0;
        } else {
            // type, hash, wait, jobs, kill, umask, ulimit, times
            state.status.reset();
            if (state.capturing) {
                state.outputKnown = false;
            }
        }
        return checked(std::move(state));
    }

    Ways leave(const std::string& name, const std::vector<Text>& args, State state) {
        if (args.size() > 1) {
            unfollowable();
        }
        if (!args.empty()) {
            const auto text = knownText(args[0]);
            const auto value = text ? integer(*text) : std::nullopt;
            state.status = value ? std::optional(static_cast<int>(*value & 255)) : std::nullopt;
        }
        if (name == "exit") {
            return one(std::move(state), Flow::Exit);
        }
        if (state.frames.size() <= state.frameBase) {
            unfollowable();  // return outside a function
        }
        return one(std::move(state), Flow::Return);
    }

    void echo(const std::vector<Text>& args, State& state) {
        state.status = 0;
        Text line;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const auto text = knownText(args[i]);
            // dash reads escapes and only -n, bash neither without -e.
            if (!text || text->find('\\') != std::string::npos ||
                (i == 0 && text->starts_with('-'))) {
                line = unknown();
                break;
            }
            if (i > 0) {
                append(line, plain(" "));
            }
            append(line, derived(args[i], *text));
        }
        if (isKnown(line)) {
            append(line, plain("\n"));
        }
        output(state, line);
    }

    void printf(const std::vector<Text>& args, State& state) {
        state.status = 0;
        const auto format = args.empty() ? std::nullopt : knownText(args[0]);
        if (!format || format->starts_with('-')) {
            if (!args.empty() && format && format->starts_with("-v")) {
                unfollowable();
            }
            state.status.reset();
            output(state, unknown());
            return;
        }
        // Only "%s" and "\n", each argument used once.
        Text line;
        std::size_t next = 1;
        for (std::size_t i = 0; i < format->size(); ++i) {
            const char c = (*format)[i];
            if (c == '%' && i + 1 < format->size() && (*format)[i + 1] == 's' &&
                next < args.size() && isKnown(args[next])) {
                append(line, derived(args[next], joined(args[next])));
                ++next;
                ++i;
            } else if (c == '\\' && i + 1 < format->size() && (*format)[i + 1] == 'n') {
                append(line, plain("\n"));
                ++i;
            } else if (c == '%' || c == '\\') {
                line = unknown();
                break;
            } else {
                append(line, plain(std::string(1, c)));
            }
        }
        output(state, next == args.size() ? line : unknown());
    }

    // test and [: what only the words decide; files and other unknowns are
    // not looked at.
    static std::optional<bool> test(std::vector<Text> args, bool bracket) {
        if (bracket) {
            if (args.empty() || knownText(args.back()) != std::optional<std::string>("]")) {
                return std::nullopt;
            }
            args.pop_back();
        }
        std::vector<std::string> words;
        for (const auto& arg : args) {
            const auto text = knownText(arg);
            if (!text) {
                return std::nullopt;
            }
            words.push_back(*text);
        }
        return testWords(words);
    }

    static std::optional<bool> testWords(std::span<const std::string> words) {
        switch (words.size()) {
            case 0:
                return false;
            case 1:
                return !words[0].empty();
            case 2:
                if (words[0] == "!") {
                    const auto inner = testWords(words.subspan(1));
                    return inner ? std::optional(!*inner) : std::nullopt;
                }
                if (words[0] == "-n") {
                    return !words[1].empty();
                }
                if (words[0] == "-z") {
                    return words[1].empty();
                }
                return std::nullopt;  // a file, or an error
            case 3: {
                const auto& op = words[1];
                if (op == "=" || op == "!=") {
                    return (words[0] == words[2]) == (op == "=");
                }
                constexpr std::array kNumeric{"-eq", "-ne", "-gt", "-ge", "-lt", "-le"};
                if (contains(kNumeric, op)) {
                    const auto a = integer(words[0]);
                    const auto b = integer(words[2]);
                    if (!a || !b) {
                        return std::nullopt;
                    }
                    return op == "-eq"   ? *a == *b
                           : op == "-ne" ? *a != *b
                           : op == "-gt" ? *a > *b
                           : op == "-ge" ? *a >= *b
                           : op == "-lt" ? *a < *b
                                         : *a <= *b;
                }
                if (words[0] == "!" && op != "-a" && op != "-o") {
                    const auto inner = testWords(words.subspan(1));
                    return inner ? std::optional(!*inner) : std::nullopt;
                }
                return std::nullopt;
            }
            case 4:
                if (words[0] == "!" && words[2] != "-a" && words[2] != "-o") {
                    const auto inner = testWords(words.subspan(1));
                    return inner ? std::optional(!*inner) : std::nullopt;
                }
                return std::nullopt;
            default:
                return std::nullopt;
        }
    }

    // cd to a folder the reading knows; to another one (the home, CDPATH's,
    // one relative to an unknown folder) the working directory is unknown.
    void changeDirectory(const std::vector<Text>& args, State& state) {
        state.status = 0;
        const auto target = args.size() == 1 ? knownText(args[0]) : std::nullopt;
        if (!target || target->empty() || target->starts_with('-')) {
            state.directory.reset();
            return;
        }
        std::string path = *target;
        if (!path.starts_with('/')) {
            // A plain name is looked for along CDPATH first.
            const bool local =
                path == "." || path == ".." || path.starts_with("./") || path.starts_with("../");
            const auto cdpath = parameter("CDPATH", state);
            if ((!local && cdpath.kind != Variable::Kind::Unset &&
                 knownText(cdpath.value) != std::optional<std::string>("")) ||
                !state.directory || state.directory->empty()) {
                state.directory.reset();
                return;
            }
            path = *state.directory + "/" + path;
        }
        // The shell goes on in the folder it was in when it cannot enter this
        // one: the reading holds where it is a folder, which its caller checks.
        const auto folder = logicalFolder(path);
        assume(state, folder);
        state.directory = folder;
    }

    void printDirectory(const std::vector<Text>& args, State& state) {
        state.status = 0;
        const auto option = args.empty() ? std::optional<std::string>("-L") : knownText(args[0]);
        if (args.size() > 1 || !option || (*option != "-L" && *option != "-P")) {
            unfollowable();
        }
        if (!state.directory || state.directory->empty() || (*option == "-P" && !m_call.realPath)) {
            output(state, unknown());
            return;
        }
        const auto folder = *option == "-P" ? m_call.realPath(*state.directory) : *state.directory;
        output(state, folder.empty() ? unknown() : plain(folder + "\n"));
    }

    // export, readonly and local: each word "NAME" or "NAME=value".
    Ways declare(const std::string& name, const Node& node,
                 const std::vector<std::pair<std::string, std::optional<Text>>>& declarations,
                 State state) {
        const auto temporary = applyTemporary(node, state);
        const bool local = name == "local";
        if (local && state.frames.size() <= state.frameBase) {
            unfollowable();
        }
        for (const auto& declaration : declarations) {
            const auto& variable = declaration.first;
            const auto& value = declaration.second;
            if (variable == "-p" && !local && !value) {
                continue;
            }
            if (local) {
                auto& hidden = state.frames.back().hidden;
                if (std::ranges::none_of(hidden,
                                         [&](const auto& h) { return h.first == variable; })) {
                    const auto found = state.variables.find(variable);
                    hidden.emplace_back(variable, found == state.variables.end()
                                                      ? std::nullopt
                                                      : std::optional(found->second));
                }
            }
            if (value) {
                assign(state, variable, *value);
            } else if (contains(kGuarded, variable)) {
                unfollowable();
            } else if (local && parameter(variable, state).kind != Variable::Kind::Unset) {
                forget(state, variable);  // dash keeps the value, bash unsets it
            }
            if (name == "readonly") {
                state.variables[variable].readonly = true;
            }
        }
        forgetTemporary(state, temporary);
        state.status = 0;
        return checked(std::move(state));
    }

    void unset(const std::vector<Text>& args, State& state) {
        bool functions = false;
        for (const auto& arg : args) {
            const auto name = knownText(arg);
            if (!name) {
                unfollowable();
            }
            if (*name == "-f" || *name == "-v") {
                functions = *name == "-f";
                continue;
            }
            if (functions) {
                state.functions.erase(*name);
                continue;
            }
            auto& variable = state.variables[*name];
            if (variable.readonly || contains(kGuarded, *name)) {
                unfollowable();
            }
            variable.kind = Variable::Kind::Unset;
            variable.value.clear();
            // A function of the name goes when no variable is set (dash).
            state.functions.erase(*name);
        }
        state.status = 0;
    }

    void set(const std::vector<Text>& args, State& state) {
        state.status = 0;
        std::size_t at = 0;
        bool replace = false;
        while (at < args.size()) {
            const auto option = knownText(args[at]);
            if (!option) {
                unfollowable();
            }
            if (*option == "--") {
                replace = true;
                ++at;
                break;
            }
            if (*option == "-" || *option == "+") {
                unfollowable();
            }
            if (!option->starts_with('-') && !option->starts_with('+')) {
                break;  // the positional parameters from here
            }
            const bool on = option->starts_with('-');
            if (option->substr(1) == "o") {
                const auto name = at + 1 < args.size() ? knownText(args[at + 1]) : std::nullopt;
                if (!name) {
                    unfollowable();
                }
                constexpr std::array<std::pair<std::string_view, char>, 5> kNames{
                    {{"errexit", 'e'},
                     {"nounset", 'u'},
                     {"noglob", 'f'},
                     {"xtrace", 'x'},
                     {"verbose", 'v'}}};
                const auto found =
                    std::ranges::find(kNames, *name, &std::pair<std::string_view, char>::first);
                setOption(state, found == kNames.end() ? '?' : found->second, on);
                at += 2;
                continue;
            }
            for (const char c : option->substr(1)) {
                setOption(state, c, on);
            }
            ++at;
        }
        if (replace || at < args.size()) {
            state.positional = stored({args.begin() + static_cast<std::ptrdiff_t>(at), args.end()});
        }
    }

    static void setOption(State& state, char option, bool on) {
        switch (option) {
            case 'e':
                state.errexit = on;
                break;
            case 'u':
                state.nounset = on;
                break;
            case 'f':
                state.noglob = on;
                break;
            case 'x':
            case 'v':
                break;
            default:
                unfollowable();
        }
    }

    // ---- Variables ----

    void assign(State& state, const std::string& name, const Text& value) {
        if (contains(kGuarded, name)) {
            unfollowable();  // the engine's home, or what the shell reads
        }
        auto& variable = state.variables[name];
        if (variable.readonly) {
            unfollowable();
        }
        variable.kind = Variable::Kind::Set;
        variable.value.clear();
        for (auto piece : value) {
            piece.quoted = false;
            append(variable.value, std::move(piece));
        }
        limitState(state);
    }

    static void forget(State& state, const std::string& name) {
        if (contains(kGuarded, name)) {
            unfollowable();
        }
        auto& variable = state.variables[name];
        if (variable.readonly) {
            unfollowable();
        }
        variable.kind = Variable::Kind::Unknown;
        variable.value.clear();
    }

    static void limitState(const State& state) {
        if (state.variables.size() > kMaxVariables) {
            unfollowable();
        }
        std::size_t bytes = 0;
        for (const auto& [name, variable] : state.variables) {
            for (const auto& piece : variable.value) {
                bytes += piece.text.size() + name.size();
            }
        }
        if (bytes > kMaxStateBytes) {
            unfollowable();
        }
    }

    // A parameter: set with its value, unset, or unknown (the environment's).
    Variable parameter(const std::string& name, const State& state) const {
        const auto set = [](Text value) {
            return Variable{Variable::Kind::Set, std::move(value), false};
        };
        if (name == "#") {
            return set(plain(std::to_string(state.positional.size())));
        }
        if (name == "?") {
            return set(state.status ? plain(std::to_string(*state.status)) : unknown());
        }
        if (name == "0") {
            return set(plain(m_call.path));
        }
        if (name == "-" || name == "$" || name == "!") {
            return set(unknown());
        }
        if (isDigits(name)) {
            const auto index = std::stoul(name);
            if (index == 0 || index > state.positional.size()) {
                return {Variable::Kind::Unset, {}, false};
            }
            return set(state.positional[index - 1]);
        }
        if (name == "@" || name == "*") {
            unfollowable();  // ${@...} with an operator
        }
        const auto found = state.variables.find(name);
        if (found == state.variables.end()) {
            return {Variable::Kind::Unknown, unknown(), false};
        }
        return found->second.kind == Variable::Kind::Unknown
                   ? Variable{Variable::Kind::Unknown, unknown(), false}
                   : found->second;
    }

    // Whether a word has something that changes the state when expanded.
    static bool changes(const Word& word) {
        return std::ranges::any_of(word, [](const Part& part) {
            return part.kind == PartKind::Substitution || part.op == "=" || part.op == ":=" ||
                   part.op == "?" || part.op == ":?" || changes(part.word);
        });
    }

    // ${name OP word} and the like.
    Text expandParameter(const Part& part, State& state) {
        step();
        const auto parameterState = parameter(part.text, state);
        const bool unset = parameterState.kind == Variable::Kind::Unset;
        const auto& value = parameterState.value;
        if (part.op.empty()) {
            if (unset && state.nounset) {
                throw WayEnds{};
            }
            return value;
        }
        if (part.op == "length") {
            if (unset && state.nounset) {
                throw WayEnds{};
            }
            const auto text = knownText(value);
            if (!text || std::ranges::any_of(*text, [](char c) { return (c & 0x80) != 0; })) {
                return unknown(isFromCaller(value));
            }
            return derived(value, std::to_string(text->size()));
        }
        if (part.op == "#" || part.op == "##" || part.op == "%" || part.op == "%%") {
            return trimmed(part, parameterState, state);
        }
        // Whether it counts as unset: unset, or with ':' empty too.
        const bool colon = part.op.starts_with(':');
        std::optional<bool> missing;
        if (unset) {
            missing = true;
        } else if (parameterState.kind == Variable::Kind::Set) {
            if (!colon) {
                missing = false;
            } else if (const auto text = knownText(value)) {
                missing = text->empty();
            } else if (std::ranges::any_of(
                           value, [](const Piece& p) { return p.known && !p.text.empty(); })) {
                missing = false;
            }
        }
        const char op = part.op.back();
        if (!missing) {
            if (changes(part.word)) {
                unfollowable();
            }
            if (op == '=') {
                forget(state, part.text);
            }
            return unknown(isFromCaller(value));
        }
        switch (op) {
            case '-':
                return *missing ? expandJoined(part.word, state) : value;
            case '+':
                return *missing ? Text() : expandJoined(part.word, state);
            case '=': {
                if (!*missing) {
                    return value;
                }
                if (isDigits(part.text) || !isNameText(part.text)) {
                    unfollowable();
                }
                auto assigned = expandJoined(part.word, state);
                assign(state, part.text, assigned);
                return assigned;
            }
            default:  // '?'
                if (*missing) {
                    throw WayEnds{};
                }
                return value;
        }
    }

    static bool isNameText(std::string_view text) {
        return !text.empty() && !(text[0] >= '0' && text[0] <= '9') &&
               std::ranges::all_of(text, [](char c) {
                   return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '_';
               });
    }

    // ${name#pattern} and its kin.
    Text trimmed(const Part& part, const Variable& parameterState, State& state) {
        const auto pattern = expandJoined(part.word, state);
        if (parameterState.kind == Variable::Kind::Unset) {
            if (state.nounset) {
                throw WayEnds{};
            }
            return {};
        }
        const auto* value = &parameterState.value;
        const auto text = knownText(*value);
        if (!text || !isKnown(pattern)) {
            return unknown(isFromCaller(*value));
        }
        const Pattern compiled(pattern);
        const bool prefix = part.op.starts_with('#');
        const bool longest = part.op.size() == 2;
        const auto size = text->size();
        if (compiled.size() * (size + 1) * (size + 1) > kMaxMatchWork) {
            return unknown(isFromCaller(*value));
        }
        for (std::size_t i = 0; i <= size; ++i) {
            const std::size_t length = longest ? size - i : i;
            const auto candidate = prefix ? std::string_view(*text).substr(0, length)
                                          : std::string_view(*text).substr(size - length);
            const auto match = compiled.matches(candidate);
            if (!match) {
                return unknown(isFromCaller(*value));
            }
            if (*match) {
                if (length == 0) {
                    return *value;
                }
                return derived(*value,
                               prefix ? text->substr(length) : text->substr(0, size - length));
            }
        }
        return *value;
    }

    // $(...): its output, its last newlines taken off.
    Text substitute(const Node& node, State& state) {
        step();
        State inner = state;
        inner.capturing = true;
        inner.output.clear();
        inner.outputKnown = true;
        inner.errexitDiffers = inner.errexitDiffers || inner.errexit;
        subshell(node, inner);
        for (const auto& folder : inner.folders) {
            assume(state, folder);
        }
        state.substitutionStatus = inner.status;
        if (!inner.outputKnown) {
            return unknown(isFromCaller(inner.output));
        }
        Text text = inner.output;
        while (!text.empty()) {
            auto& last = text.back();
            while (last.text.ends_with('\n')) {
                last.text.pop_back();
            }
            if (!last.text.empty() || last.caller >= 0) {
                break;
            }
            text.pop_back();
        }
        for (auto& piece : text) {
            piece.quoted = false;
            piece.caller = -1;
        }
        return text;
    }

    // ---- Words ----

    // A word expanded into one text, without splitting or patterns: an
    // assignment's value, a case subject or pattern, a redirection's file.
    // The pieces keep whether they were quoted (for patterns).
    Text expandJoined(const Word& word, State& state) {
        Text result;
        for (const auto& part : word) {
            Text value;
            switch (part.kind) {
                case PartKind::Text:
                    append(result, Piece{part.text, true, part.quoted, -1, false});
                    continue;
                case PartKind::Unknown:
                    append(result, Piece{{}, false, part.quoted, -1, false});
                    continue;
                case PartKind::Parameter:
                    if (part.text == "@" || part.text == "*") {
                        if (!part.op.empty()) {
                            unfollowable();
                        }
                        value = joinedPositional(state, part.text == "*");
                    } else {
                        value = expandParameter(part, state);
                    }
                    break;
                case PartKind::Substitution:
                    value = substitute(*part.command, state);
                    break;
            }
            for (auto& piece : value) {
                piece.quoted = piece.quoted || part.quoted;
                append(result, std::move(piece));
            }
        }
        return result;
    }

    // "$*", and "$@" where it is not split: the caller's words joined by a
    // blank (the first character of IFS for "$*").
    Text joinedPositional(const State& state, bool star) const {
        const auto separator = star ? ifsSeparator(state) : std::optional<std::string>(" ");
        if (!separator) {
            unfollowable();
        }
        Text text;
        for (std::size_t i = 0; i < state.positional.size(); ++i) {
            if (i > 0) {
                append(text, plain(*separator));
            }
            for (auto piece : state.positional[i]) {
                if (state.positional.size() > 1) {
                    piece.caller = -1;
                }
                append(text, piece);
            }
        }
        return text;
    }

    std::optional<std::string> ifsSeparator(const State& state) const {
        const auto ifs = ifsChars(state);
        if (!ifs) {
            return std::nullopt;
        }
        return ifs->empty() ? std::string() : std::string(1, ifs->front());
    }

    // The characters fields are split at; nothing when they are not known
    // or are not blanks (which the reading does not split at).
    static std::optional<std::string> ifsChars(const State& state) {
        const auto found = state.variables.find("IFS");
        if (found == state.variables.end() || found->second.kind == Variable::Kind::Unset) {
            return std::string(" \t\n");
        }
        const auto text = found->second.kind == Variable::Kind::Set ? knownText(found->second.value)
                                                                    : std::nullopt;
        if (!text || text->find_first_not_of(" \t\n") != std::string::npos) {
            return std::nullopt;
        }
        return text;
    }

    // A word expanded into fields: parameters, substitutions, splitting at
    // IFS where unquoted, and patterns (which name files: not exact).
    Fields expand(const Word& word, State& state) {
        step();
        Fields result;
        Text field;
        bool content = false;
        const auto finish = [&] {
            if (content) {
                result.fields.push_back(std::move(field));
                if (result.fields.size() > kMaxArguments) {
                    unfollowable();
                }
            }
            field.clear();
            content = false;
        };
        const auto split = [&](const Text& value) {
            const auto ifs = ifsChars(state);
            for (const auto& piece : value) {
                if (piece.quoted) {
                    append(field, piece);
                    content = true;
                    continue;
                }
                if (!piece.known) {
                    result.exact = false;
                    append(field, piece);
                    content = true;
                    continue;
                }
                if (!ifs) {
                    if (!piece.text.empty()) {
                        unfollowable();
                    }
                    continue;
                }
                if (piece.text.find_first_of(*ifs) == std::string::npos || ifs->empty()) {
                    if (!piece.text.empty()) {
                        append(field, piece);
                        content = true;
                    }
                    continue;
                }
                // Split: no part of it is the caller's word any more.
                std::string part;
                for (const char c : piece.text) {
                    if (ifs->find(c) != std::string::npos) {
                        if (!part.empty()) {
                            append(field, Piece{part, true, false, -1, piece.fromCaller});
                            part.clear();
                            content = true;
                        }
                        finish();
                    } else {
                        part += c;
                    }
                }
                if (!part.empty()) {
                    append(field, Piece{part, true, false, -1, piece.fromCaller});
                    content = true;
                }
            }
        };
        // A value in double quotes stays whole; one outside is split.
        const auto add = [&](Text value, bool quoted) {
            if (!quoted) {
                split(value);
                return;
            }
            for (auto& piece : value) {
                piece.quoted = true;
                append(field, std::move(piece));
            }
            content = true;
        };
        for (const auto& part : word) {
            switch (part.kind) {
                case PartKind::Text:
                    append(field, Piece{part.text, true, part.quoted, -1, false});
                    content = content || part.quoted || !part.text.empty();
                    break;
                case PartKind::Unknown:
                    append(field, Piece{{}, false, true, -1, false});
                    content = true;
                    break;
                case PartKind::Parameter:
                    if ((part.text == "@" || part.text == "*") && part.op.empty() &&
                        (!part.quoted || part.text == "@")) {
                        // Each of the caller's words a field of its own.
                        for (std::size_t i = 0; i < state.positional.size(); ++i) {
                            if (i > 0) {
                                finish();
                            }
                            add(state.positional[i], part.quoted);
                        }
                        break;
                    }
                    add(part.text == "*" && part.op.empty() ? joinedPositional(state, true)
                                                            : expandParameter(part, state),
                        part.quoted);
                    break;
                case PartKind::Substitution:
                    add(substitute(*part.command, state), part.quoted);
                    break;
            }
        }
        finish();
        if (!state.noglob) {
            for (const auto& each : result.fields) {
                if (isPattern(each)) {
                    result.exact = false;
                }
            }
        }
        return result;
    }

    // Whether a field names files: an unquoted '*', '?' or '[' ... ']'.
    static bool isPattern(const Text& field) {
        bool bracket = false;
        for (const auto& piece : field) {
            if (piece.quoted || !piece.known) {
                continue;
            }
            if (piece.text.find_first_of("*?") != std::string::npos) {
                return true;
            }
            const auto open = piece.text.find('[');
            bracket = bracket || open != std::string::npos;
            if (bracket &&
                piece.text.find(']', open == std::string::npos ? 0 : open) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // An argument of export, readonly or local: "NAME=value" expanded
    // without splitting (dash 0.5.11 on; earlier ones split: a value an
    // expansion would split is not read), or "NAME".
    std::pair<std::string, std::optional<Text>> declarationWord(const Word& word, State& state) {
        const auto equals = !word.empty() && word[0].kind == PartKind::Text && !word[0].quoted
                                ? word[0].text.find('=')
                                : std::string::npos;
        if (equals == std::string::npos) {
            const auto fields = expand(word, state);
            const auto name = fields.exact && fields.fields.size() == 1
                                  ? knownText(fields.fields[0])
                                  : std::nullopt;
            if (!name || (!isNameText(*name) && *name != "-p")) {
                unfollowable();
            }
            return {*name, std::nullopt};
        }
        const auto name = word[0].text.substr(0, equals);
        if (!isNameText(name)) {
            unfollowable();
        }
        Word rest = word;
        rest[0].text.erase(0, equals + 1);
        for (const auto& part : rest) {
            if (part.kind == PartKind::Text || part.quoted) {
                continue;
            }
            State probe = state;
            const auto value = expandJoined(Word{part}, probe);
            if (!isKnown(value) || joined(value).find_first_of(" \t\n*?[") != std::string::npos) {
                unfollowable();
            }
        }
        return {name, expandJoined(rest, state)};
    }

    const WrapperCall& m_call;
    std::size_t m_steps = 0;
};

}  // namespace

std::optional<std::vector<WrapperExec>> readWrapperScript(std::string_view script,
                                                          const WrapperCall& call) {
    try {
        return Reader(call).read(script);
    } catch (const Unfollowable&) {
        return std::nullopt;
    } catch (const WayEnds&) {
        return std::nullopt;
    }
}

}  // namespace wyn
