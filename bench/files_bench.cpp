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

// A 1024x1024 picture of 256 colours with short runs and literals mixed.
std::string largePcx() {
    constexpr int side = 1024;
    std::string bytes(128, '\0');
    bytes[0] = 10;
    bytes[1] = 5;
    bytes[2] = 1;
    bytes[3] = 8;
    bytes[8] = static_cast<char>((side - 1) & 0xFF);
    bytes[9] = static_cast<char>((side - 1) >> 8);
    bytes[10] = bytes[8];
    bytes[11] = bytes[9];
    bytes[65] = 1;
    bytes[66] = static_cast<char>(side & 0xFF);
    bytes[67] = static_cast<char>(side >> 8);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side;) {
            const auto value = static_cast<unsigned char>((x * 7 + y * 13) & 0xFF);
            if ((x / 16) % 2 == 0 && x + 4 <= side) {
                bytes += static_cast<char>(0xC4);
                bytes += static_cast<char>(value);
                x += 4;
            } else {
                if (value >= 0xC0) {
                    bytes += static_cast<char>(0xC1);
                }
                bytes += static_cast<char>(value);
                ++x;
            }
        }
    }
    bytes += static_cast<char>(12);
    for (int i = 0; i < 768; ++i) {
        bytes += static_cast<char>(i & 0xFF);
    }
    return bytes;
}

void PcxDecode1024(benchmark::State& state) {
    const std::string bytes = largePcx();
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
