#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "debian_launcher.h"
#include "engine/engine.h"
#include "fake_elf.h"
#include "temp_dir.h"

namespace wyn::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCodeBytes = std::size_t{45} << 20;
constexpr std::size_t kDataBytes = std::size_t{5} << 20;

// A made-up executable of a commercial release's size, 50 MB: 45 MB of code and
// 5 MB of read-only data, the engine's strings at its end.
const std::string& largeExecutable() {
    static const test::TempDir folder;
    static const std::string path = folder.write(
        "quake2", test::fakeElf({.strings = {"Yamagi Quake II v%s", " + XDG directory support"},
                                 .codeBytes = kCodeBytes,
                                 .dataBytes = kDataBytes}));
    return path;
}

// Recognition as the first look at an executable takes it: a new modification time
// each round, so the facts are read again.
void RecogniseEngine50MB(benchmark::State& state) {
    const auto& path = largeExecutable();
    auto time = fs::last_write_time(path);
    for (auto _ : state) {
        state.PauseTiming();
        time += std::chrono::seconds(1);
        fs::last_write_time(path, time);
        state.ResumeTiming();
        const auto engine = recogniseEngine(path);
        if (engine.kind != EngineKind::YamagiQuake2) {
            state.SkipWithError("not recognised");
            break;
        }
    }
}
BENCHMARK(RecogniseEngine50MB)->Unit(benchmark::kMicrosecond);

// Its floor: reading the read-only data it scans, plainly, in the same pieces.
void RecogniseEngineFloor(benchmark::State& state) {
    const auto& path = largeExecutable();
    const std::size_t start = 64 + kCodeBytes;  // after the header and the code
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(start));
        std::string piece(1 << 16, '\0');
        for (std::size_t done = 0; done < kDataBytes; done += piece.size()) {
            in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
            benchmark::DoNotOptimize(piece.data());
        }
    }
}
BENCHMARK(RecogniseEngineFloor)->Unit(benchmark::kMicrosecond);

// Debian's launcher in front of a small engine, each read again every round: the
// launcher is read as the shell runs it, once for each set of words WYN may pass.
struct Launcher {
    test::TempDir folder;
    std::string engine = folder.write("usr/lib/quake2/quake2-engine",
                                      test::fakeElf({.strings = {"Yamagi Quake II v%s"}}));
    std::string script = folder.write(
        "usr/games/quake2", test::debianLauncher(false, folder / "usr/share/games/quake2", engine));
};

void recogniseAfresh(benchmark::State& state, const std::vector<std::string>& paths,
                     const std::string& path) {
    auto time = fs::last_write_time(path);
    for (auto _ : state) {
        state.PauseTiming();
        time += std::chrono::seconds(1);
        for (const auto& touched : paths) {
            fs::last_write_time(touched, time);
        }
        state.ResumeTiming();
        if (recogniseEngine(path).kind != EngineKind::YamagiQuake2) {
            state.SkipWithError("not recognised");
            break;
        }
    }
}

void RecogniseDebianLauncher(benchmark::State& state) {
    static const Launcher launcher;
    recogniseAfresh(state, {launcher.script, launcher.engine}, launcher.script);
}
BENCHMARK(RecogniseDebianLauncher)->Unit(benchmark::kMicrosecond);

// Its floor: the engine behind it.
void RecogniseDebianLauncherFloor(benchmark::State& state) {
    static const Launcher launcher;
    recogniseAfresh(state, {launcher.engine}, launcher.engine);
}
BENCHMARK(RecogniseDebianLauncherFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wyn::bench
