#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "large_install.h"
#include "session/preset_file.h"
#include "session/session_settings.h"

namespace wyn::bench {
namespace {

// The directory reaction: configs, roster names and the map scan of a large
// installation, as every keystroke in the directory field runs it.
void DirectoryReaction(benchmark::State& state) {
    const auto& game = largeInstall();
    SessionSettings session(PlatformProfile::native());
    session.setText(Field::DirectoryEdit, game.str());
    for (auto _ : state) {
        session.directoryReaction();
        benchmark::DoNotOptimize(session.mapList(MapType::External).items().data());
    }
}
BENCHMARK(DirectoryReaction)->Unit(benchmark::kMillisecond);

// Its floor: listing the same two directories and reading bots.cfg.
void DirectoryReactionFloor(benchmark::State& state) {
    const auto& game = largeInstall();
    for (auto _ : state) {
        std::size_t names = 0;
        for (const char* dir : {"baseq2", "baseq2/maps"}) {
            for (const auto& entry : std::filesystem::directory_iterator(game / dir)) {
                names += entry.path().filename().native().size();
            }
        }
        std::ifstream in(game / "vantor/bots.cfg", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(names + bytes.size());
    }
}
BENCHMARK(DirectoryReactionFloor)->Unit(benchmark::kMillisecond);

// The preview rebuild that follows almost every change.
void CommandLineRebuild(benchmark::State& state) {
    SessionSettings session(PlatformProfile::windows());
    session.setMapItems(MapType::General, {"q2dm1"});
    session.selectMap(MapType::General, 0);
    for (auto _ : state) {
        session.rebuildCommandLine();
        benchmark::DoNotOptimize(session.commandLine().data());
    }
}
BENCHMARK(CommandLineRebuild);

// Its floor: building a string of the same length.
void CommandLineRebuildFloor(benchmark::State& state) {
    SessionSettings session(PlatformProfile::windows());
    const std::size_t length = session.commandLine().size() + 12;
    for (auto _ : state) {
        std::string line;
        for (std::size_t i = 0; i < length; i += 16) {
            line += "+set skill 1 +se";
        }
        benchmark::DoNotOptimize(line.data());
    }
}
BENCHMARK(CommandLineRebuildFloor);

void PresetSaveAndLoad(benchmark::State& state) {
    const auto& game = largeInstall();
    SessionSettings session(PlatformProfile::native());
    session.setText(Field::DirectoryEdit, game.str());
    session.checkBots({"Bot1", "Bot1999"});
    const std::string path = game / "bench.wyn";
    for (auto _ : state) {
        SavePreset(session, path);
        LoadPreset(session, path);
    }
}
BENCHMARK(PresetSaveAndLoad)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wyn::bench
