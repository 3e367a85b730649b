#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace wyn {

struct StartRequest {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingDirectory;
    // Keep an eye on the game and report an end that looks like a failure;
    // otherwise it is started and forgotten.
    bool watch = false;
    // The program the player gave: the engine, or the wrapper or launcher in
    // front of it, which program may only run (flatpak for a sandboxed
    // engine). The report on the game's end reads the engine from it. Empty:
    // program.
    std::string engineProgram = {};

    bool operator==(const StartRequest&) const = default;
};

// How a game ended.
struct GameEnd {
    StartRequest request;
    std::chrono::milliseconds runTime{0};  // from its start to its end
    int exitCode = 0;                      // when it exited
    int signal = 0;                        // the signal that ended it; 0 when it exited
    std::string output;                    // a watched game's last output (game_end.h)
    bool outputCut = false;                // earlier output was dropped
    std::string outputFile;                // where a watched game's output went
    // The system's own words for an exit code that is the system's, not the
    // game's (a Windows status such as 0xC0000135); empty otherwise.
    std::string exitMeaning;

    // The status a shell would give: the exit code, or 128 + the signal.
    int shellStatus() const { return signal != 0 ? 128 + signal : exitCode; }
};

class GameStarter {
public:
    virtual ~GameStarter() = default;
    // Starts the program and returns at once, without waiting for it; false
    // when it could not be started. A watched start whose failure shows only
    // later reports it through its starter's own event.
    virtual bool start(const StartRequest& request) = 0;
    // Whether start() waits for the game's end (wynctl launch --wait): a
    // game that would otherwise outlive its starter (a sandbox) is then told
    // to end with it.
    virtual bool waitsForTheGame() const { return false; }
};

}  // namespace wyn
