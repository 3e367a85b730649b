#include "large_install.h"

#include <memory>

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

}  // namespace wyn::bench
