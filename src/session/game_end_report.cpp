#include "session/game_end_report.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <utility>

#include "base/text_file.h"
#include "content/installation.h"
#include "engine/engine_folders.h"

namespace wyn {

namespace {

std::string counted(long long count, const char* unit) {
    return std::to_string(count) + " " + unit + (count == 1 ? "" : "s");
}

// Names of the signals a game dies of, where the system has them.
const char* signalName(int number) {
    static const std::pair<int, const char*> names[] = {
        {SIGABRT, "SIGABRT"}, {SIGFPE, "SIGFPE"},   {SIGILL, "SIGILL"},
        {SIGINT, "SIGINT"},   {SIGSEGV, "SIGSEGV"}, {SIGTERM, "SIGTERM"},
#ifdef SIGHUP
        {SIGHUP, "SIGHUP"},
#endif
#ifdef SIGQUIT
        {SIGQUIT, "SIGQUIT"},
#endif
#ifdef SIGKILL
        {SIGKILL, "SIGKILL"},
#endif
#ifdef SIGBUS
        {SIGBUS, "SIGBUS"},
#endif
#ifdef SIGPIPE
        {SIGPIPE, "SIGPIPE"},
#endif
#ifdef SIGALRM
        {SIGALRM, "SIGALRM"},
#endif
#ifdef SIGTRAP
        {SIGTRAP, "SIGTRAP"},
#endif
#ifdef SIGSYS
        {SIGSYS, "SIGSYS"},
#endif
#ifdef SIGXCPU
        {SIGXCPU, "SIGXCPU"},
#endif
#ifdef SIGUSR1
        {SIGUSR1, "SIGUSR1"},
#endif
#ifdef SIGUSR2
        {SIGUSR2, "SIGUSR2"},
#endif
    };
    for (const auto& [value, name] : names) {
        if (value == number) {
            return name;
        }
    }
    return nullptr;
}

// A line as the box can show it: no control characters, no trailing blanks.
std::string printable(const std::string& line) {
    std::string text;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            text += c;
        } else if (c == '\t') {
            text += ' ';
        }
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

// "a, b or c"; "a and b" with the word given.
std::string listed(const std::vector<std::string>& names, std::string_view last) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i + 1 == names.size() && i > 0) {
            text += ' ';
            text += last;
            text += ' ';
        } else if (i > 0) {
            text += ", ";
        }
        text += names[i];
    }
    return text;
}

}  // namespace

std::string describeRunTime(std::chrono::milliseconds runTime) {
    const long long seconds = std::chrono::duration_cast<std::chrono::seconds>(runTime).count();
    if (seconds < 1) {
        return "after less than a second";
    }
    // The larger unit, then the next smaller one unless it is nought.
    const long long minutes = seconds / 60;
    const bool hours = minutes >= 60;
    std::string text = "after ";
    text += seconds < 60 ? counted(seconds, "second")
            : hours      ? counted(minutes / 60, "hour")
                         : counted(minutes, "minute");
    if (const long long rest = hours ? minutes % 60 : seconds % 60; seconds >= 60 && rest != 0) {
        text += ' ';
        text += counted(rest, hours ? "minute" : "second");
    }
    return text;
}

std::string describeStatus(const GameEnd& end) {
    if (end.signal == 0 && !end.exitMeaning.empty()) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(end.exitCode));
        return "with exit code " + std::string(code) + " (" + end.exitMeaning + ")";
    }
    if (end.signal == 0) {
        return "with exit code " + std::to_string(end.exitCode);
    }
    std::string text = "killed by signal " + std::to_string(end.signal);
    if (const char* name = signalName(end.signal)) {
        text += std::string(" (") + name + ")";
    }
    return text;
}

std::vector<std::string> lastOutputLines(const GameEnd& end, std::size_t count) {
    auto lines = splitLines(end.output);
    if (end.outputCut && !lines.empty()) {
        lines.erase(lines.begin());
    }
    std::vector<std::string> kept;
    for (auto line = lines.rbegin(); line != lines.rend() && kept.size() < count; ++line) {
        if (auto text = printable(*line); !text.empty()) {
            kept.insert(kept.begin(), std::move(text));
        }
    }
    return kept;
}

std::string likelyCause(const GameEngine& game) {
    const auto& [engine, environment] = game;
    const auto& profile = environment.profile;
    const auto [folders, names, fits] = gameLibraryFit(engine, environment, kAddOnFolder);
    if (fits) {
        return {};
    }
    const std::string quake2 = isKnownEngine(engine) ? std::string(engineName(engine)) : "Quake II";
    if (profile.style == PathStyle::Posix) {
        for (const auto& folder : folders) {
            for (const auto& windows : windowsGameLibraryNames()) {
                if (FindInDirectory(windows, folder, profile)) {
                    return "Likely cause: the Vantor bot in " + folder + " is built for Windows (" +
                           windows + "); " + quake2 +
                           " on this system needs a game library built for it (" +
                           listed(names, "or") + ").";
                }
            }
        }
    }
    return "Likely cause: " + listed(folders, "and") + (folders.size() == 1 ? " holds" : " hold") +
           " no game library " + quake2 + " can load (" + listed(names, "or") +
           "), so the Vantor bot cannot run.";
}

std::string describeEngine(const GameEngine& game) {
    if (!isKnownEngine(game.engine)) {
        return {};
    }
    return "The engine was " + std::string(engineName(game.engine)) +
           ", which reads the game from " +
           listed(engineRoots(game.engine, game.environment), "and") + ".";
}

GameEndReport reportGameEnd(const GameEnd& end, const PlatformProfile& profile) {
    const std::string status = describeStatus(end);
    // The engine the player gave, which the program started may only run
    // (flatpak for a sandboxed one).
    const auto& request = end.request;
    const auto game =
        gameEngineAt(request.engineProgram.empty() ? request.program : request.engineProgram,
                     request.workingDirectory, profile);
    return {"Quake II ended " + describeRunTime(end.runTime) + (end.signal != 0 ? ", " : " ") +
                status + ".",
            lastOutputLines(end, kReportedOutputLines), describeEngine(game), likelyCause(game),
            end.outputFile.empty() ? "" : "The game's output is in " + end.outputFile + "."};
}

std::string GameEndReport::text() const {
    std::string text = summary;
    if (!outputLines.empty()) {
        text += "\n";
        for (const auto& line : outputLines) {
            text += "\n" + line;
        }
    }
    for (const auto* part : {&engine, &cause, &log}) {
        if (!part->empty()) {
            text += "\n\n" + *part;
        }
    }
    return text;
}

}  // namespace wyn
