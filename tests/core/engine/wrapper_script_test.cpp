#include <gtest/gtest.h>

#include "engine/wrapper_script.h"

namespace wyn {

void PrintTo(const WrapperScript& script, std::ostream* out) {
    *out << "target '" << script.target << "' directory '" << script.directory << "' arguments";
    for (const auto& argument : script.arguments) {
        *out << " '" << argument << "'";
    }
}

namespace {

const std::string kHere(kScriptFolder);

TEST(WrapperScript, IsReadAsTheShellWouldWithinLimits) {
    struct Case {
        const char* name;
        std::string script;
        std::optional<WrapperScript> read;
    };
    const Case cases[] = {
        {"Debian's quake2",
         "#!/bin/sh\nset -e\n\ndata_location=/usr/share/games/quake2\n"
         "engine_path=/usr/lib/quake2/quake2-engine\noptions=\n"
         "use_data_location=\"$data_location\"\n"
         "if ! [ -f \"${data_location}/baseq2/pak0.pak\" ]; then\n"
         "    exec /usr/games/need-data \"Missing data\"\nfi\n"
         "exec ${engine_path} ${options} +set basedir \"$use_data_location\" \"$@\"\n",
         WrapperScript{
             "/usr/lib/quake2/quake2-engine", {"+set", "basedir", "/usr/share/games/quake2"}, ""}},
        {"Debian's quake2-server: a variable of two words",
         "#!/bin/sh\nengine_path=/usr/lib/quake2/quake2-engine\noptions=\"+set dedicated 1\"\n"
         "exec ${engine_path} $options \"$@\"",
         WrapperScript{"/usr/lib/quake2/quake2-engine", {"+set", "dedicated", "1"}, ""}},
        {"a wrapper of one's own",
         "#!/bin/sh\ncd \"$(dirname \"$0\")\"\nexec ./q2ded -portable \"$@\"\n",
         WrapperScript{"./q2ded", {"-portable"}, kHere}},
        {"beside itself, joined lines",
         "#!/bin/bash\nhere=\"$(cd \"$(dirname \"$0\")\" && pwd)\"\n"
         "exec \"$here/q2ded\" \\\n  -datadir \"$here/data\" # the data\n",
         WrapperScript{kHere + "/q2ded", {"-datadir", kHere + "/data"}, ""}},
        {"Flatpak's exported launcher",
         "#!/bin/sh\n\nexec /usr/bin/flatpak run --branch=stable --arch=x86_64 "
         "org.yamagi.YamagiQ2 \"$@\"\n",
         WrapperScript{"/usr/bin/flatpak",
                       {"run", "--branch=stable", "--arch=x86_64", "org.yamagi.YamagiQ2"},
                       ""}},
        {"the last exec counts", "#!/bin/sh\nexec /a\nexec /b '+set' 'x y'\n",
         WrapperScript{"/b", {"+set", "x y"}, ""}},
        {"no exec", "#!/bin/sh\n/usr/lib/quake2/q2ded \"$@\"\n", std::nullopt},
        {"a variable set in a condition",
         "#!/bin/sh\nif [ -x /a ]; then e=/a; fi\nexec $e \"$@\"\n", std::nullopt},
        {"a variable from the environment", "#!/bin/sh\nexec $HOME/q2ded\n", std::nullopt},
        {"another command substitution", "#!/bin/sh\nexec $(which q2ded) \"$@\"\n", std::nullopt},
        {"a default", "#!/bin/sh\nexec ${ENGINE:-/usr/bin/q2ded}\n", std::nullopt},
        {"an exec on a condition only", "#!/bin/sh\n[ -x /a ] && exec /a\n", std::nullopt},
        {"a variable read from a file", "#!/bin/sh\ne=/a\n. /etc/default/quake2\nexec $e\n",
         std::nullopt},
        {"an open quote", "#!/bin/sh\nexec \"/a\n", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readWrapperScript(c.script), c.read) << c.name;
    }
}

TEST(WrapperScript, IsPlacedBesideItsScript) {
    EXPECT_EQ(placedWrapper({"./q2ded", {"-datadir", kHere + "/d"}, kHere}, "/games/q2"),
              (WrapperScript{"/games/q2/q2ded", {"-datadir", "/games/q2/d"}, "/games/q2"}));
    EXPECT_EQ(placedWrapper({"flatpak", {"run"}, ""}, "/x"),
              (WrapperScript{"flatpak", {"run"}, ""}));
    // A relative program without a known folder to start from.
    EXPECT_EQ(placedWrapper({"./q2ded", {}, ""}, "/games/q2"), std::nullopt);
    EXPECT_EQ(placedWrapper({"bin/q2ded", {}, "?"}, "/games/q2"), std::nullopt);
}

}  // namespace
}  // namespace wyn
