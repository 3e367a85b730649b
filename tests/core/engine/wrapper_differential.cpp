// The wrapper reading against the real shell: made-up wrapper scripts, in the
// shapes distributions and players write and with their mistakes, are run by
// /bin/sh with every program they may exec replaced by a recorder of its own
// (its arguments and working directory), in worlds of files that decide
// their tests. The reading must name what the shell ran among its ways, or
// be unknown; it never names a program, folder or argument the shell did not
// use. A known reading whose every way the shell never takes, in any world,
// claims a program that never starts: that fails too.
//
//   wyn_wrapper_differential [--seed N] [--iterations N] [--seconds N] [--unknown]
//
// --unknown prints the scripts read as unknown.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/wrapper_script.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using wyn::WrapperCall;
using wyn::WrapperExec;

// A world: the files at three paths (a recorder, a folder or nothing),
// whether the probe program succeeds, and which of three environments the
// script gets (the reading knows none of it).
constexpr int kWorlds = 3 * 3 * 3 * 2 * 3;

class Tree {
public:
    Tree() {
        for (const auto* folder : {"s", "l", "w", "d", "start", "home", "game", "d/sub"}) {
            fs::create_directories(m_temp / folder);
        }
        for (const auto* program : {"d/quake2", "d/sub/q2ded", "w/q2ded", "s/q2ded", "l/q2ded"}) {
            recorder(m_temp / program);
        }
        m_record = m_temp / "record";
        m_temp.write("stdin", "a line\n");
    }

    std::string root() const { return m_temp.str(); }
    std::string record() const { return m_record; }
    // What the script reads: a line in one environment, nothing in the others.
    std::string input() const { return m_environment == 1 ? m_temp / "stdin" : "/dev/null"; }

    // World n: p1 and p2 a recorder, a folder or nothing; e a folder with a
    // recorder in it, a file or nothing; the probe's status.
    void enter(int world) {
        for (const auto* path : {"p1", "p2", "e", "probe"}) {
            fs::remove_all(m_temp / path);
        }
        for (const auto* path : {"p1", "p2"}) {
            if (const int state = path[1] == '1' ? world % 3 : world / 3 % 3; state == 1) {
                recorder(m_temp / path);
            } else if (state == 2) {
                fs::create_directory(m_temp / path);
            }
        }
        if (world / 9 % 3 == 1) {
            recorder(m_temp.mkdir("e") + "/quake2");
        } else if (world / 9 % 3 == 2) {
            m_temp.write("e", "");
        }
        script(m_temp / "probe", world / 27 % 2 == 0 ? "exit 0\n" : "exit 1\n");
        m_environment = world / 54;
    }

    // The variables the scripts use, unset or set so that their tests go
    // either way.
    std::vector<std::string> environment() const {
        std::vector<std::string> variables{"PATH=/usr/bin:/bin", "HOME=" + root() + "/home",
                                           "WYN_RECORD=" + m_record};
        const std::string program = root() + "/d/quake2";
        if (m_environment == 1) {
            variables.insert(variables.end(),
                             {"v=" + program, "w=" + program, "e=server", "options=+set x 1"});
        } else if (m_environment == 2) {
            variables.insert(variables.end(), {"v=server", "w=server", "e=" + program, "options="});
        }
        return variables;
    }

    void script(const std::string& path, const std::string& body) const {
        write(path, "#!/bin/sh\n" + body);
    }

    void write(const std::string& path, const std::string& text) const {
        std::ofstream(path) << text;
        fs::permissions(path, fs::perms::owner_all);
    }

private:
    // Writes its pid, its own path, its working directory and its arguments.
    void recorder(const std::string& path) const {
        script(path, "{ printf '%s\\0' \"$$\" '" + path +
                         "' \"$(pwd -P)\" \"$@\"; printf '\\n'; } >>\"$WYN_RECORD\"\n");
    }

    wyn::test::TempDir m_temp;
    std::string m_record;
    int m_environment = 0;
};

// What the shell exec'd: its program, working directory and arguments.
struct Run {
    bool exec = false;
    bool stopped = false;  // it ran too long
    std::string program;
    std::string directory;
    std::vector<std::string> arguments;
};

Run runShell(const Tree& tree, const std::string& script, const std::vector<std::string>& args) {
    fs::remove(tree.record());
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        const int input = open(tree.input().c_str(), O_RDONLY);
        dup2(input, 0);
        dup2(null, 1);
        dup2(null, 2);
        if (chdir((tree.root() + "/start").c_str()) != 0) {
            _exit(126);
        }
        auto environment = tree.environment();
        std::vector<char*> argv{const_cast<char*>(script.c_str())};
        for (const auto& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& variable : environment) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        execve(script.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    // A script that loops (or starts itself) is stopped after a while.
    int status = 0;
    alarm(2);
    const bool stopped = waitpid(pid, &status, 0) < 0;
    if (stopped) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    alarm(0);
    Run run;
    run.stopped = stopped;
    std::ifstream in(tree.record());
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream stream(line);
        for (std::string field; std::getline(stream, field, '\0');) {
            fields.push_back(field);
        }
        if (fields.size() >= 3 && fields[0] == std::to_string(pid)) {
            run.exec = true;
            run.program = fields[1];
            run.directory = fields[2];
            run.arguments.assign(fields.begin() + 3, fields.end());
        }
    }
    return run;
}

std::string real(const std::string& path) {
    std::error_code error;
    const auto canonical = fs::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

// The real path of what is there, as readlink -f and pwd -P give it.
std::string existing(const std::string& path) {
    std::error_code error;
    const auto canonical = fs::canonical(path, error);
    return error ? std::string() : canonical.string();
}

// Whether the folders a way of the reading changes to are there.
bool foldersThere(const WrapperExec& exec) {
    return std::ranges::all_of(exec.folders,
                               [](const std::string& folder) { return fs::is_directory(folder); });
}

// Whether a way of the reading may be taken in the world entered: its
// folders are there and its program is a file (what recognition reads).
bool isViable(const WrapperExec& exec) {
    return fs::is_regular_file(exec.program) && foldersThere(exec);
}

constexpr const char* kFileTests[] = {"-f ", "-x ", "-d "};

// Whether the script tests a file a way uses: the reading follows a test
// both ways, so where the test decides for the file, the way may never be
// taken on any computer.
bool testsItsFiles(const std::string& script, const WrapperExec& exec) {
    std::vector<std::string> files = exec.folders;
    for (auto at = exec.program.find('/', 1); at != std::string::npos;
         at = exec.program.find('/', at + 1)) {
        files.push_back(exec.program.substr(0, at));
    }
    files.push_back(exec.program);
    return std::ranges::any_of(files, [&script](const std::string& file) {
        return std::ranges::any_of(kFileTests, [&](const char* test) {
            return script.find(test + file + " ") != std::string::npos;
        });
    });
}

// Whether the script's file tests go one way only in every world: a file
// the same in every world, or one tested twice. The reading follows each
// test both ways.
bool testsFilesOneWay(const std::string& script, const std::string& root) {
    std::vector<std::string> tested;
    for (const auto* test : kFileTests) {
        for (auto at = script.find(test); at != std::string::npos; at = script.find(test, at + 1)) {
            const auto start = at + 3;
            const auto file = script.substr(start, script.find(' ', start) - start);
            if ((file != root + "/p1" && file != root + "/p2" && file != root + "/e" &&
                 file != root + "/e/quake2") ||
                std::ranges::find(tested, file) != tested.end()) {
                return true;
            }
            tested.push_back(file);
        }
    }
    return false;
}

// Whether a way of the reading is what the shell ran.
bool isRun(const WrapperExec& exec, const Run& run, const WrapperCall& call,
           const std::vector<std::string>& args, const std::string& start) {
    const auto ran = [&](const wyn::ExecWord& word, const std::string& argument) {
        return word.caller < static_cast<int>(call.arguments.size()) &&
               (word.caller >= 0 ? args[word.caller] : word.text) == argument;
    };
    return isViable(exec) && real(exec.program) == real(run.program) &&
           real(exec.directory.empty() ? start : exec.directory) == real(run.directory) &&
           std::ranges::equal(exec.arguments, run.arguments, ran);
}

// Makes wrapper scripts from the shapes wrappers have, mistakes included.
class Generator {
public:
    Generator(std::uint32_t seed, std::string root) : m_random(seed), m_root(std::move(root)) {}

    std::string script() {
        std::string text = pick({"#!/bin/sh\n", "#!/bin/sh\n", "#!/bin/sh\n", "#!/bin/sh -e\n",
                                 "#!/usr/bin/env sh\n", "#! /bin/sh\n"});
        // Most wrappers set what they use first; what they do not comes
        // from the environment, which the reading does not know.
        m_ownVariables = true;
        for (const auto* name : {"v", "w", "e", "options"}) {
            m_ownVariables = m_ownVariables && !chance(4);
            if (m_ownVariables) {
                text += std::string(name) + "=" +
                        pick({path(), m_root + "/d", "\"$(dirname \"$0\")\"", "", "server",
                              "\"+set dedicated 1\""}) +
                        "\n";
            }
        }
        const int statements = 1 + below(6);
        for (int i = 0; i < statements; ++i) {
            text += statement(0) + "\n";
        }
        if (chance(2)) {
            text += exec() + "\n";
        }
        return mistake(text);
    }

    std::vector<std::string> arguments() {
        std::vector<std::string> words;
        const int prefix = below(3);
        if (prefix == 1) {
            words = {"-datadir", m_root + "/game"};
        } else if (prefix == 2) {
            words = {"+set", "basedir", m_root + "/game dir"};
        }
        for (const auto* word : {"+set", "game", "vantor"}) {
            words.emplace_back(word);
        }
        if (chance(2)) {
            words.insert(words.end(), {"+set", "dedicated", "1"});
        }
        words.insert(words.end(), {"+exec", "wyn.cfg"});
        return words;
    }

    // The script's name; none a program it starts beside it.
    std::string name() {
        return pick({"launch-quake2", "quake2-server", "q2 wrapper", "quake2-xatrix"});
    }

    bool chance(int in) { return below(in) == 0; }
    // Whether the last script set every variable it uses.
    bool ownVariables() const { return m_ownVariables; }
    int world() { return below(kWorlds); }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::string pick(std::initializer_list<std::string> items) {
        return *(items.begin() + below(static_cast<int>(items.size())));
    }

    std::string path() {
        return m_root + pick({"/d/quake2", "/p1", "/p2", "/e/quake2", "/w/q2ded", "/d/sub/q2ded"});
    }

    std::string folder() {
        return pick({m_root + "/d", m_root + "/e", m_root + "/d/sub", "\"$(dirname \"$0\")\"",
                     "\"${0%/*}\"", "sub", "../d", "\"$HOME\"", "\"$v\"", m_root + "/p1"});
    }

    std::string value() {
        return pick({path(), m_root + "/d", "\"$v\"", "\"${v:-" + path() + "}\"", "\"$1\"",
                     "\"$(dirname \"$0\")\"", "\"$(basename \"$0\")\"",
                     "\"$(dirname \"$(readlink -f \"$0\")\")\"", "$(realpath \"$0\").d",
                     "\"$(cd \"$(dirname \"$0\")\" && pwd)\"", "\"${0##*/}\"", "$HOME/x",
                     "\"$w-demo\"", "\"+set dedicated 1\"", "", "\"$#\"", "${#1}"});
    }

    std::string variable() { return pick({"v", "w", "e", "options"}); }

    std::string condition() {
        switch (below(12)) {
            case 0:
                return "[ -f " + path() + " ]";
            case 1:
                return "[ -x " + path() + " ]";
            case 2:
                return "[ -d " + m_root + pick({"/e", "/p1", "/d"}) + " ]";
            case 3:
                return "[ $# -gt " + std::to_string(below(4)) + " ]";
            case 4:
                return "[ \"$1\" = " + pick({"+set", "-datadir", "-h"}) + " ]";
            case 5:
                return "[ -n \"$" + variable() + "\" ]";
            case 6:
                return pick({"true", "false", ":"});
            case 7:
                return m_root + "/probe";
            case 8:
                return "! " + condition();
            case 9:
                return "test \"$" + variable() + "\" = " + pick({"server", path()});
            case 10:
                return "[ -z \"$" + variable() + "\" ]";
            default:
                return "[ \"$(basename \"$0\")\" != quake2 ]";
        }
    }

    std::string words() {
        return pick({"\"$@\"", "\"$@\"", "\"$@\"", "$@", "\"$1\"", "+set basedir \"$v\" \"$@\"",
                     "-datadir " + m_root + "/d \"$@\"", "\"$@\" +set game xatrix",
                     "${options} \"$@\"", "\"$*\"", "", "-portable \"$@\"", "\"$2\" \"$3\""});
    }

    std::string exec() {
        // A relative program needs a cd first, a bare one is looked for on PATH.
        const std::string program =
            chance(6) ? pick({"./quake2", "./q2ded", "q2ded"})
                      : pick({path(), path(), "\"$v\"", "$v", "\"$v/quake2\"",
                              "\"$(dirname \"$0\")/q2ded\"", "\"${0%/*}/q2ded\""});
        return "exec " + program + " " + words();
    }

    std::string body(int depth) {
        std::string text = statement(depth + 1);
        if (chance(2)) {
            text += "; " + statement(depth + 1);
        }
        return text;
    }

    std::string statement(int depth) {
        const int kinds = depth >= 2 ? 9 : 16;
        switch (below(kinds)) {
            case 0:
            case 1:
                return variable() + "=" + value();
            case 2:
                return exec();
            case 3:
                return "cd " + folder();
            case 4:
                return pick({"shift", "shift 2", "set -- " + value() + " \"$@\"",
                             "set _ \"$@\" +set game xatrix; shift", "set -e", "set --"});
            case 5:
                return chance(2) ? "exit " + pick({"0", "1", "72"}) : exec();
            case 6:
                return "echo \"" + pick({"no data", "$v", "$@"}) + "\" >&2";
            case 7:
                return condition() + pick({" && ", " || "}) + statement(depth + 1);
            case 8:
                return pick({"false", "true", "unset v", "export v", "readonly w=x",
                             "local v=" + path(), "v=${v:=" + path() + "}", "read v",
                             m_root + "/d/quake2 \"$@\"", m_root + "/probe", "cat <<EOF\n$v\nEOF"});
            case 9:
            case 10:
                return "if " + condition() + "; then " + body(depth) +
                       (chance(2) ? "; else " + body(depth) : "") + "; fi";
            case 11:
                return "case " + pick({"\"$1\"", "\"$(basename \"$0\")\"", "\"$v\"", "$#"}) +
                       " in " +
                       pick({"-h|--help", "*server*", "+set", "-datadir", "(*xatrix*)", "[-+]*",
                             "?", "0"}) +
                       ") " + body(depth) + ";; " + pick({"*", "--engine=*", "quake2"}) + ") " +
                       body(depth) + ";; esac";
            case 12:
                return "while [ $# -gt 0 ]; do case \"$1\" in --engine) v=\"$2\"; shift;; "
                       "--demo) w=demo;; *) break;; esac; shift; done";
            case 13:
                return "for a " + pick({"in \"$@\"", "in a b", ""}) + "; do " + body(depth) +
                       "; done";
            case 14: {
                const std::string name = pick({"main", "run", "show_help"});
                return name + "() {\n" + body(depth) + "\n}" +
                       (chance(3) ? "" : "\n" + name + " " + words());
            }
            default:
                return "{ " + body(depth) + "; }" + pick({"", " >&2", " >/dev/null"});
        }
    }

    // Now and then a mistake: a quote, a keyword or a line lost, a line
    // continued anywhere.
    std::string mistake(std::string text) {
        if (!chance(6)) {
            return text;
        }
        const auto replace = [&text](std::size_t at, std::size_t size, const char* with) {
            return at == std::string::npos ? text : text.replace(at, size, with);
        };
        switch (below(5)) {
            case 0:
                return replace(text.rfind('"'), 1, "");
            case 1:
                return replace(text.rfind("fi"), 2, "");
            case 2:
                return replace(text.find("; "), 2, " & ");
            case 3:
                return replace(text.find('\n', text.find('\n') + 1), 0, " \"");
            default:
                return replace(10 + below(std::max(1, static_cast<int>(text.size()) - 10)), 0,
                               "\\\n");
        }
    }

    std::mt19937 m_random;
    std::string m_root;
    bool m_ownVariables = false;
};

struct Tally {
    long scripts = 0;
    long unknown = 0;
    long execs = 0;
    long failures = 0;
    bool showUnknown = false;
};

void check(Generator& generator, Tree& tree, Tally& tally) {
    const auto script = generator.script();
    const std::string name = generator.name();
    const std::string file = tree.root() + "/s/" + name;
    const std::string link = tree.root() + "/l/" + name;
    tree.write(file, script);
    fs::remove(link);  // an earlier script's
    // Started by its path, or by a link elsewhere ($0 is the link's).
    const std::string path = generator.chance(3) ? link : file;
    if (path == link) {
        fs::create_symlink(file, link);
    }
    const auto args = generator.arguments();
    WrapperCall call{path, {}, "", {}, true};
    bool opaque = false;
    for (const auto& arg : args) {
        // The game directory is now known, now not.
        const bool folder = arg.starts_with(tree.root()) && generator.chance(2);
        opaque = opaque || folder;
        call.arguments.push_back(folder ? std::nullopt : std::optional(arg));
    }
    call.realPath = existing;
    const auto reading = wyn::readWrapperScript(script, call);
    ++tally.scripts;
    if (!reading) {
        ++tally.unknown;
        if (tally.showUnknown) {
            std::cout << "UNKNOWN:\n" << script << "\n";
        }
    }
    const std::string start = tree.root() + "/start";
    const auto fails = [&](const std::string& why, const Run& run) {
        ++tally.failures;
        std::cout << "FAILED: " << why << "\n--- script (" << path << ")\n"
                  << script << "--- the shell ran " << (run.exec ? run.program : "nothing")
                  << " in " << run.directory;
        for (const auto& argument : run.arguments) {
            std::cout << " '" << argument << "'";
        }
        std::cout << "\n--- the reading";
        for (const auto& exec : reading.value_or(std::vector<WrapperExec>())) {
            std::cout << "\n  " << exec.program << " in '" << exec.directory << "'";
            for (const auto& word : exec.arguments) {
                std::cout << ' ';
                if (word.caller >= 0) {
                    std::cout << '$' << word.caller + 1;
                } else {
                    std::cout << '\'' << word.text << '\'';
                }
            }
        }
        std::cout << "\n\n";
    };
    // One world at random: what the shell execs there, the reading names,
    // where the folders its ways change to are there.
    const int first = generator.world();
    tree.enter(first);
    const auto run = runShell(tree, path, args);
    const auto judge = [&](const Run& ran) {
        if (reading && std::ranges::all_of(*reading, foldersThere) &&
            std::ranges::none_of(*reading, [&](const WrapperExec& exec) {
                return isRun(exec, ran, call, args, start);
            })) {
            fails("the shell ran what the reading does not name", ran);
        }
    };
    if (run.exec) {
        ++tally.execs;
        judge(run);
        return;
    }
    // The shell exec'd nothing: where a way of the reading may be taken, it
    // must be taken in some world, unless what the reading does not evaluate
    // decides that: a file test that goes one way, a folder cd fails to
    // enter with errexit on, a variable of the environment's or a line read,
    // the game directory it was not told.
    const bool errexit =
        script.find("set -e") != std::string::npos || script.find("sh -e\n") != std::string::npos;
    if (!reading || reading->empty() || run.stopped || opaque ||
        testsFilesOneWay(script, tree.root()) ||
        (errexit && script.find("cd ") != std::string::npos) || !generator.ownVariables() ||
        script.find("read ") != std::string::npos || script.find("$HOME") != std::string::npos) {
        return;
    }
    bool viable = false;
    for (int world = (first + 1) % kWorlds; world != first; world = (world + 1) % kWorlds) {
        tree.enter(world);
        if (std::ranges::none_of(*reading, isViable)) {
            continue;
        }
        viable = true;
        const auto other = runShell(tree, path, args);
        if (other.stopped) {
            return;  // no time for every world
        }
        if (other.exec) {
            judge(other);
            return;
        }
    }
    if (viable && std::ranges::none_of(*reading, [&script](const WrapperExec& exec) {
            return testsItsFiles(script, exec);
        })) {
        fails("a program the shell never starts", run);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // SIGALRM only interrupts the wait for a script that loops.
    struct sigaction alarmAction {};
    alarmAction.sa_handler = [](int) {};
    sigaction(SIGALRM, &alarmAction, nullptr);
    std::map<std::string, long> numbers{{"--seed", 1}, {"--iterations", 200}, {"--seconds", 0}};
    Tally tally;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--unknown") {
            tally.showUnknown = true;
            continue;
        }
        char* end = nullptr;
        const long value = i + 1 < argc ? std::strtol(argv[++i], &end, 10) : 0;
        if (!numbers.contains(option) || end == nullptr || end == argv[i] || *end != '\0') {
            std::cerr << "usage: wyn_wrapper_differential [--seed N] [--iterations N] "
                         "[--seconds N] [--unknown]\n";
            return 2;
        }
        numbers[option] = value;
    }
    const auto seed = static_cast<std::uint32_t>(numbers["--seed"]);
    const long iterations = numbers["--iterations"];
    const long seconds = numbers["--seconds"];
    Tree tree;
    Generator generator(seed, tree.root());
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (seconds > 0 ? std::chrono::steady_clock::now() < end : tally.scripts < iterations) {
        check(generator, tree, tally);
    }
    std::cout << tally.scripts << " scripts, " << tally.unknown << " read as unknown, "
              << tally.execs << " shell execs, " << tally.failures
              << " readings that differ from the shell (seed " << seed << ")\n";
    // A reader that knows nothing would pass: a good part must be read.
    return tally.failures == 0 && tally.unknown * 4 < tally.scripts * 3 ? 0 : 1;
}
