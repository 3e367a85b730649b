#include "large_install.h"

#include <memory>
#include <string_view>

namespace wyn::bench {

std::string largeRosterText() {
    std::string text = "[bots]\r\n";
    for (int i = 0; i < 2000; ++i) {
        text += "\"Bot" + std::to_string(i) + "\" \"male/grunt\" 3 3 3 5 0 0 100\r\n";
    }
    text += "[teams]\r\n";
    for (int i = 0; i < 200; ++i) {
        text += "\"Team" + std::to_string(i) + "\" \"T" + std::to_string(i % 100) +
                "\" \"male/grunt\" [";
        for (int m = 0; m < 10; ++m) {
            text += (m ? " \"Bot" : "\"Bot") + std::to_string(i * 10 + m) + "\"";
        }
        text += "]\r\n";
    }
    text += "[view weapons]\r\n\"male\"\r\n\"female\"\r\n";
    return text;
}

const test::TempDir& largeInstall() {
    static const std::unique_ptr<test::GameDir> game = [] {
        auto dir = std::make_unique<test::GameDir>();
        for (const char* pak : {"baseq2/pak0.pak", "baseq2/pak1.pak", "ctf/pak0.pak",
                                "vantor/pak0.pak", "lmctf/pak5.pak", "vantor/pak5.pak"}) {
            dir->write(pak);
        }
        for (int i = 0; i < 10000; ++i) {
            dir->write("baseq2/maps/map" + std::to_string(i) + ".bsp");
        }
        for (int i = 0; i < 1000; ++i) {
            dir->write("baseq2/script" + std::to_string(i) + ".cfg");
        }
        dir->write("vantor/bots.cfg", largeRosterText());
        return dir;
    }();
    return *game;
}

std::string squarePcx(int side, int seed) {
    std::string bytes(128, '\0');
    bytes[0] = 10;
    bytes[1] = 5;
    bytes[2] = 1;
    bytes[3] = 8;
    bytes[8] = bytes[10] = static_cast<char>((side - 1) & 0xFF);
    bytes[9] = bytes[11] = static_cast<char>((side - 1) >> 8);
    bytes[65] = 1;
    bytes[66] = static_cast<char>(side & 0xFF);
    bytes[67] = static_cast<char>(side >> 8);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side;) {
            const auto value = static_cast<unsigned char>((x * seed + y * 7) & 0xFF);
            if ((x + y + seed) % 3 == 0 && x + 3 <= side) {
                bytes += static_cast<char>(0xC3);
                bytes += static_cast<char>(value);
                x += 3;
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
        bytes += static_cast<char>((i * (seed + 1)) & 0xFF);
    }
    return bytes;
}

namespace {

std::string skinName(int index) {
    return "skin" + std::to_string(index);
}

}  // namespace

const test::TempDir& largeSkinnedInstall() {
    static const std::unique_ptr<test::GameDir> game = [] {
        auto dir = std::make_unique<test::GameDir>();
        std::string roster = largeRosterText();
        // Bot i wears skin i modulo the skin count instead of "grunt".
        std::string text;
        int bot = 0;
        std::size_t at = 0;
        constexpr std::string_view look = "\"male/grunt\" 3";
        for (auto found = roster.find(look); found != std::string::npos;
             found = roster.find(look, at)) {
            text.append(roster, at, found - at);
            text += "\"male/" + skinName(bot++ % kLargeSkinCount) + "\" 3";
            at = found + look.size();
        }
        text.append(roster, at, std::string::npos);
        dir->write("vantor/bots.cfg", text);
        for (int i = 0; i < kLargeSkinCount; ++i) {
            dir->write("baseq2/players/male/" + skinName(i) + ".pcx");
            dir->write("baseq2/players/male/" + skinName(i) + "_i.pcx", squarePcx(32, i + 1));
        }
        dir->write("baseq2/players/female/athena.pcx");
        return dir;
    }();
    return *game;
}

std::string largeSkinIconPath(int index) {
    return largeSkinnedInstall() / ("baseq2/players/male/" + skinName(index) + "_i.pcx");
}

}  // namespace wyn::bench
