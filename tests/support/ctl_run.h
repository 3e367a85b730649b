#pragma once

#include <sstream>
#include <string>

#include "app/ctl_context.h"
#include "base/value_store.h"

namespace wyn::test {

// What a wynctl command printed and returned.
struct CtlRun {
    int code;
    std::string out;
    std::string err;
};

// Runs one command function on a game directory with an empty store.
template <typename Command>
CtlRun runCtl(Command command, const std::string& gameDirectory, const CtlArguments& args = {}) {
    MemoryValueStore store;
    std::ostringstream out, err;
    CtlContext context{gameDirectory, "quake2", PlatformProfile::native(), store, out, err, true};
    const int code = command(context, args);
    return {code, out.str(), err.str()};
}

}  // namespace wyn::test
