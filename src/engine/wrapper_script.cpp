#include "engine/wrapper_script.h"

#include <algorithm>
#include <array>
#include <map>

namespace wyn {

namespace {

constexpr std::size_t kMaxVariables = 256;

// The forms of "the script's folder" the reader takes: dirname of $0, and
// the real folder got by changing to it.
constexpr std::array kScriptFolderForms{
    std::string_view("dirname$0"),           std::string_view("dirname--$0"),
    std::string_view("cd$(dirname$0)&&pwd"), std::string_view("cd$(dirname$0)&&pwd-P"),
    std::string_view("cd$(dirname$0);pwd"),  std::string_view("cd$(dirname$0);pwd-P"),
};

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9');
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A word expanded: its fields, and whether the caller's arguments were in it.
struct Expanded {
    std::vector<std::string> fields;
    bool callerArguments = false;
};

class WrapperReader {
public:
    std::optional<WrapperScript> read(std::string_view script) {
        for (const auto& line : logicalLines(script)) {
            for (const auto& command : commands(line)) {
                if (!take(command)) {
                    return std::nullopt;
                }
            }
        }
        return m_exec;
    }

private:
    // Lines with their continuations joined and comments left out.
    static std::vector<std::string> logicalLines(std::string_view script) {
        std::vector<std::string> lines;
        std::string line;
        while (!script.empty()) {
            const auto end = script.find('\n');
            auto part = script.substr(0, end);
            script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
            if (part.ends_with('\r')) {
                part.remove_suffix(1);
            }
            if (part.ends_with('\\')) {
                line += part.substr(0, part.size() - 1);
                continue;
            }
            line += part;
            lines.push_back(std::move(line));
            line.clear();
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
        return lines;
    }

    // The commands of a line, split at unquoted ';', '&', '|' and '#';
    // each is its words, quotes kept. A command joined by "&&", "||" or a
    // pipe is marked: it runs on a condition or in a subshell.
    struct Command {
        std::vector<std::string> words;
        bool conditional = false;
    };

    static std::vector<Command> commands(std::string_view line) {
        std::vector<Command> result(1);
        std::string word;
        char quote = 0;
        int nesting = 0;  // inside $( )
        bool inWord = false;
        const auto endWord = [&] {
            if (inWord) {
                result.back().words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        };
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quote == '\'') {
                quote = c == '\'' ? 0 : quote;
            } else if (c == '\\' && i + 1 < line.size()) {
                word += c;
                word += line[++i];
                inWord = true;
                continue;
            } else if (quote == '"') {
                quote = c == '"' ? 0 : quote;
            } else if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == '$' && i + 1 < line.size() && line[i + 1] == '(') {
                ++nesting;
                word += "$(";
                ++i;
                inWord = true;
                continue;
            } else if (c == ')' && nesting > 0) {
                --nesting;
            } else if (nesting == 0 && isBlank(c)) {
                endWord();
                continue;
            } else if (nesting == 0 && c == '#' && !inWord) {
                break;
            } else if (nesting == 0 && (c == ';' || c == '&' || c == '|')) {
                endWord();
                const bool joins = c != ';';
                result.back().conditional = result.back().conditional || joins;
                while (i + 1 < line.size() && line[i + 1] == c) {
                    ++i;
                }
                result.push_back({{}, joins});
                continue;
            }
            word += c;
            inWord = true;
        }
        endWord();
        std::erase_if(result, [](const Command& command) { return command.words.empty(); });
        return result;
    }

    static bool isAssignment(std::string_view word) {
        const auto equals = word.find('=');
        return equals != std::string_view::npos && equals > 0 && isNameStart(word.front()) &&
               std::all_of(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(equals),
                           isNameChar);
    }

    // Follows one command; false when the script can no longer be told.
    bool take(const Command& command) {
        const auto& words = command.words;
        const std::string& first = words.front();
        if (first == "if" || first == "case" || first == "for" || first == "while" ||
            first == "until" || first == "select" || first == "{" ||
            (words.size() >= 2 && words.back() == "{") || first.ends_with("()")) {
            ++m_depth;
            return true;
        }
        if (first == "fi" || first == "esac" || first == "done" || first == "}") {
            m_depth = std::max(0, m_depth - 1);
            return true;
        }
        const bool topLevel = m_depth == 0 && !command.conditional;
        std::size_t at = first == "export" || first == "readonly" ? 1 : 0;
        if (at < words.size() && isAssignment(words[at])) {
            for (; at < words.size() && isAssignment(words[at]); ++at) {
                assign(words[at],
                       topLevel && (at + 1 == words.size() || isAssignment(words[at + 1])));
            }
            return true;
        }
        if (first == "unset") {
            for (std::size_t i = 1; i < words.size(); ++i) {
                forget(words[i]);
            }
        } else if (first == "." || first == "source" || first == "eval" || first == "read") {
            m_variablesUnknown = true;
        } else if (first == "cd") {
            changeDirectory(words, topLevel);
        } else if (first == "exec" && topLevel) {
            return execute(words);
        }
        return true;
    }

    void assign(std::string_view word, bool known) {
        const auto equals = word.find('=');
        const std::string name(word.substr(0, equals));
        std::optional<std::string> value;
        if (known) {
            if (auto expanded = expand(word.substr(equals + 1), false);
                expanded && !expanded->callerArguments) {
                std::string joined;
                for (const auto& field : expanded->fields) {
                    joined += (joined.empty() ? "" : " ") + field;
                }
                value = std::move(joined);
            }
        }
        if (m_variables.size() < kMaxVariables || m_variables.contains(name)) {
            m_variables[name] = std::move(value);
        } else {
            m_variablesUnknown = true;
        }
    }

    void forget(const std::string& name) { m_variables[name] = std::nullopt; }

    void changeDirectory(const std::vector<std::string>& words, bool topLevel) {
        const auto expanded =
            words.size() == 2 && topLevel ? expand(words[1], false) : std::nullopt;
        if (expanded && expanded->fields.size() == 1 && !expanded->callerArguments &&
            (expanded->fields[0].starts_with('/') ||
             expanded->fields[0].starts_with(kScriptFolder))) {
            m_directory = expanded->fields[0];
        } else {
            m_directory = "?";
        }
    }

    bool execute(const std::vector<std::string>& words) {
        std::size_t at = 1;
        while (at < words.size() &&
               (words[at] == "-c" || words[at] == "-l" || words[at] == "--" || words[at] == "-a")) {
            at += words[at] == "-a" ? 2 : 1;
        }
        if (at >= words.size()) {
            return true;  // exec with redirections only
        }
        WrapperScript exec;
        for (; at < words.size(); ++at) {
            const auto expanded = expand(words[at], true);
            if (!expanded) {
                return false;
            }
            for (const auto& field : expanded->fields) {
                (exec.target.empty() && exec.arguments.empty() ? exec.target
                                                               : exec.arguments.emplace_back()) =
                    field;
            }
        }
        if (exec.target.empty()) {
            return false;
        }
        exec.directory = m_directory;
        m_exec = std::move(exec);
        return true;
    }

    std::optional<std::string> variable(std::string_view name) const {
        const auto found = m_variables.find(std::string(name));
        if (found == m_variables.end() || m_variablesUnknown) {
            return std::nullopt;
        }
        return found->second;
    }

    // A command substitution the reader knows: the script's folder.
    static bool isScriptFolder(std::string_view inside) {
        std::string plain;
        for (const char c : inside) {
            if (c != '"' && c != '\'' && !isBlank(c)) {
                plain += c;
            }
        }
        return std::ranges::find(kScriptFolderForms, plain) != kScriptFolderForms.end();
    }

    // Expands a word as the shell would; nothing for what the reader cannot
    // tell. Unquoted expansions split into fields when split is set.
    std::optional<Expanded> expand(std::string_view word, bool split) const {
        Expanded result;
        std::string field;
        bool hasField = false;
        char quote = 0;
        const auto addUnquoted = [&](const std::string& value) {
            if (!split || quote == '"') {
                field += value;
                hasField = true;
                return;
            }
            std::size_t i = 0;
            while (i < value.size()) {
                if (isBlank(value[i])) {
                    if (hasField) {
                        result.fields.push_back(std::move(field));
                        field.clear();
                        hasField = false;
                    }
                    ++i;
                    continue;
                }
                field += value[i++];
                hasField = true;
            }
        };
        for (std::size_t i = 0; i < word.size(); ++i) {
            const char c = word[i];
            if (quote == '\'') {
                if (c == '\'') {
                    quote = 0;
                } else {
                    field += c;
                }
                continue;
            }
            if (c == '\\' && i + 1 < word.size()) {
                field += word[++i];
                hasField = true;
                continue;
            }
            if (c == '"' || (c == '\'' && quote == 0)) {
                quote = quote == c ? 0 : c;
                hasField = true;
                continue;
            }
            if (c == '`' || c == '*' || c == '?' || c == '[' || c == '~' || c == '<' || c == '>') {
                if (quote == 0 || c == '`') {
                    return std::nullopt;  // globs, redirections, old-style substitution
                }
                field += c;
                continue;
            }
            if (c != '$' || i + 1 >= word.size()) {
                field += c;
                hasField = true;
                continue;
            }
            const char next = word[i + 1];
            if (next == '(') {
                const auto close = closingParenthesis(word, i + 1);
                if (close == std::string_view::npos ||
                    !isScriptFolder(word.substr(i + 2, close - i - 2))) {
                    return std::nullopt;
                }
                field += kScriptFolder;
                hasField = true;
                i = close;
            } else if (next == '@' || next == '*' || (next >= '1' && next <= '9')) {
                result.callerArguments = true;
                ++i;
            } else if (next == '{' || isNameStart(next)) {
                const bool braced = next == '{';
                const std::size_t start = i + (braced ? 2 : 1);
                std::size_t end = start;
                while (end < word.size() && isNameChar(word[end])) {
                    ++end;
                }
                if (braced && (end >= word.size() || word[end] != '}')) {
                    return std::nullopt;  // ${name:-...} and the like
                }
                const auto value = variable(word.substr(start, end - start));
                if (!value) {
                    return std::nullopt;
                }
                addUnquoted(*value);
                i = braced ? end : end - 1;
            } else {
                return std::nullopt;  // $0, $1, $$, $?
            }
        }
        if (quote != 0) {
            return std::nullopt;
        }
        // "$@" alone is the caller's words, none of them the script's.
        if (hasField && !(result.callerArguments && field.empty())) {
            result.fields.push_back(std::move(field));
        }
        return result;
    }

    static std::size_t closingParenthesis(std::string_view word, std::size_t open) {
        int depth = 0;
        for (std::size_t i = open; i < word.size(); ++i) {
            depth += word[i] == '(' ? 1 : word[i] == ')' ? -1 : 0;
            if (depth == 0) {
                return i;
            }
        }
        return std::string_view::npos;
    }

    std::map<std::string, std::optional<std::string>> m_variables;
    bool m_variablesUnknown = false;
    int m_depth = 0;
    std::string m_directory;
    std::optional<WrapperScript> m_exec;
};

std::string placed(std::string text, const std::string& folder) {
    for (auto at = text.find(kScriptFolder); at != std::string::npos;
         at = text.find(kScriptFolder, at + folder.size())) {
        text.replace(at, kScriptFolder.size(), folder);
    }
    return text;
}

}  // namespace

std::optional<WrapperScript> readWrapperScript(std::string_view script) {
    return WrapperReader().read(script);
}

std::optional<WrapperScript> placedWrapper(WrapperScript script, const std::string& scriptFolder) {
    script.directory = placed(std::move(script.directory), scriptFolder);
    script.target = placed(std::move(script.target), scriptFolder);
    for (auto& argument : script.arguments) {
        argument = placed(std::move(argument), scriptFolder);
    }
    const bool bare = script.target.find('/') == std::string::npos;
    if (!bare && !script.target.starts_with('/')) {
        if (!script.directory.starts_with('/')) {
            return std::nullopt;
        }
        std::string_view relative = script.target;
        while (relative.starts_with("./")) {
            relative.remove_prefix(2);
        }
        script.target = script.directory + "/" + std::string(relative);
    }
    return script;
}

}  // namespace wyn
