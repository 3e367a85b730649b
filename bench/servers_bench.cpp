#include <benchmark/benchmark.h>

#include <string>

#include "servers/server_reply.h"

namespace wyn::bench {
namespace {

// The largest status reply there is: 1,024 rules, then player lines until the
// datagram holds 64 KiB (those past the 256th are read and dropped).
std::string largestStatusReply() {
    std::string reply = "\xff\xff\xff\xffprint\n";
    for (int i = 0; i < 1024; ++i) {
        reply += "\\rule" + std::to_string(i) + "\\" + std::string(40, 'v');
    }
    reply += '\n';
    for (int i = 0;; ++i) {
        const std::string line = std::to_string(i) + " 48 \"Player " + std::to_string(i) + "\"\n";
        if (reply.size() + line.size() > kMaxReply) {
            return reply;
        }
        reply += line;
    }
}

void ParseStatus64K(benchmark::State& state) {
    const std::string reply = largestStatusReply();
    for (auto _ : state) {
        auto status = parseStatusReply(reply);
        if (!status) {
            state.SkipWithError("the reply did not parse");
            break;
        }
        benchmark::DoNotOptimize(status->rules.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(reply.size()));
}
BENCHMARK(ParseStatus64K)->Unit(benchmark::kMicrosecond);

// Its floor: copying the datagram.
void ParseStatusFloor(benchmark::State& state) {
    const std::string reply = largestStatusReply();
    for (auto _ : state) {
        std::string copy = reply;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(reply.size()));
}
BENCHMARK(ParseStatusFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wyn::bench
