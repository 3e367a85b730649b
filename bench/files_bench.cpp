#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "bots/pcx.h"
#include "bots/roster_file.h"
#include "large_install.h"

namespace wyn::bench {
namespace {

void ReadRosterLarge(benchmark::State& state) {
    const auto path = largeInstall() / "vantor/bots.cfg";
    for (auto _ : state) {
        const auto roster = ReadRoster(path);
        benchmark::DoNotOptimize(roster.bots.data());
    }
}
BENCHMARK(ReadRosterLarge)->Unit(benchmark::kMicrosecond);

// Its floor: reading the file's bytes.
void ReadRosterFloor(benchmark::State& state) {
    const auto path = largeInstall() / "vantor/bots.cfg";
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(ReadRosterFloor)->Unit(benchmark::kMicrosecond);

void PcxDecode1024(benchmark::State& state) {
    const std::string bytes = squarePcx(1024, 1);
    for (auto _ : state) {
        PcxPicture picture;
        if (decodePcx(bytes, picture) != PcxFault::None) {
            state.SkipWithError("the picture did not decode");
            break;
        }
        benchmark::DoNotOptimize(picture.pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * 1024 * 1024);
}
BENCHMARK(PcxDecode1024)->Unit(benchmark::kMicrosecond);

// Its floor: copying the same number of bytes.
void PcxDecodeFloor(benchmark::State& state) {
    const std::vector<char> from(1024 * 1024, 7);
    for (auto _ : state) {
        std::vector<char> to(from.size());
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
    }
    state.SetBytesProcessed(state.iterations() * 1024 * 1024);
}
BENCHMARK(PcxDecodeFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wyn::bench
