#pragma once

#include <string>
#include <vector>

#include "base/text_file.h"
#include "temp_dir.h"

namespace wyn::test {

// The preset the engine tests start: Vex against the player on q2dm1, frag
// limit 20, 8 clients.
inline std::string writeEnginePreset(const TempDir& temp) {
    std::vector<std::string> lines(63, "0");
    lines[2] = "q2dm1";
    lines[10] = "1";
    lines[11] = "8";
    lines[13] = "1";
    lines[15] = "20";
    lines[17] = "1";
    lines[46] = "1";
    lines[56] = "Vex";
    lines[59] = "External";
    writeLines(temp / "server.wyn", lines);
    return temp / "server.wyn";
}

}  // namespace wyn::test
