#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"
#include "base/value_store.h"

namespace wyn {

// What every wynctl command gets: the global options and the output streams.
struct CtlContext {
    std::string gameDirectory;
    std::string executable;
    const PlatformProfile& profile;
    ValueStore& store;
    std::ostream& out;
    std::ostream& err;
    bool gameDirectoryGiven = false;  // --game-dir, rather than the default
};

// Exit codes of wynctl.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// A command: its own arguments (after the command word); returns an exit code.
using CtlArguments = std::vector<std::string>;

// A command called wrongly: "usage: wynctl " and its usage to standard error.
inline int usageError(CtlContext& context, std::string_view usage) {
    context.err << "usage: wynctl " << usage << '\n';
    return kExitUsage;
}

}  // namespace wyn
