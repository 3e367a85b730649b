// Any datagram as a server's reply: a status or info read from it is bounded
// and holds only characters the game shows, and a status written back out in
// the protocol's form reads the same.
#include "fuzz_check.h"
#include "servers/server_reply.h"

namespace {

bool printable(std::string_view text) {
    for (const char c : text) {
        if (c < 32 || c > 126) {
            return false;
        }
    }
    return true;
}

std::string written(const wyn::ServerStatus& status) {
    std::string reply = "\xff\xff\xff\xffprint\n";
    for (const auto& rule : status.rules) {
        reply += "\\" + rule.name + "\\" + rule.value;
    }
    reply += '\n';
    for (const auto& player : status.players) {
        reply += std::to_string(player.frags) + ' ' + std::to_string(player.ping) + " \"" +
                 player.name + "\"\n";
    }
    return reply;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wyn;
    const std::string_view datagram = fuzz::asText(data, size);
    const std::string shown = gameText(datagram);
    FUZZ_CHECK(shown.size() == datagram.size() && printable(shown));

    if (const auto status = parseStatusReply(datagram)) {
        FUZZ_CHECK(size <= kMaxReply);
        FUZZ_CHECK(status->rules.size() <= kMaxRules && status->players.size() <= kMaxPlayers);
        bool separatorShown = false;
        for (const auto& rule : status->rules) {
            FUZZ_CHECK(!rule.name.empty() && printable(rule.name) && printable(rule.value));
            // A byte 0xDC shows as the separator '\', which would split the rule.
            separatorShown = separatorShown || rule.name.find('\\') != std::string::npos ||
                             rule.value.find('\\') != std::string::npos;
        }
        for (const auto& player : status->players) {
            FUZZ_CHECK(printable(player.name));
        }
        if (!separatorShown) {
            FUZZ_CHECK(parseStatusReply(written(*status)) == status);
        }
    }
    if (const auto info = parseInfoReply(datagram)) {
        FUZZ_CHECK(size <= kMaxReply && printable(info->name) && printable(info->map));
        FUZZ_CHECK(info->players >= 0);
    }
    return 0;
}
