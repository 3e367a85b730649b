#include <gtest/gtest.h>

#include "debian_launcher.h"
#include "engine/wrapper_script.h"

namespace wyn {
namespace {

// A reading as text: each way "PROGRAM [in DIR] WORDS", the caller's words
// as $1..., ways joined by " | "; "unknown" for none.
std::string described(const std::optional<std::vector<WrapperExec>>& execs) {
    if (!execs) {
        return "unknown";
    }
    std::string text;
    for (const auto& exec : *execs) {
        text += (text.empty() ? "" : " | ") + exec.program;
        if (!exec.directory.empty()) {
            text += " in " + exec.directory;
        }
        for (const auto& word : exec.arguments) {
            // Appended piece by piece: GCC 12 at -O3 sees a false overlap
            // (-Wrestrict) in "literal" + std::string&&.
            text += ' ';
            if (word.caller >= 0) {
                text += '$';
                text += std::to_string(word.caller + 1);
            } else {
                text += word.text;
            }
        }
    }
    return text;
}

std::string read(const std::string& body, bool complete = true) {
    WrapperCall call{"/usr/games/quake2", {"+set", "game", std::nullopt}, "", {}, complete};
    call.realPath = [](const std::string& folder) { return "/real" + folder; };
    return described(readWrapperScript("#!/bin/sh\n" + body, call));
}

TEST(WrapperScript, IsReadAsTheShellRunsIt) {
    const std::string data = "/usr/share/games/quake2";
    const std::string engine = "/usr/lib/quake2/quake2-engine";
    const auto debian = [&](bool server) {
        return test::debianLauncher(server, data, engine + (server ? "-server" : ""))
            .substr(std::string("#!/bin/sh\n").size());
    };
    struct Case {
        const char* name;
        std::string script;
        std::string read;
    };
    const Case cases[] = {
        {"Debian's client: the full game, the demo, or the message", debian(false),
         data +
             "/need-data.sh Quake II The game data is missing; see "
             "/usr/share/doc/quake2/README.Debian | " +
             engine + " +set basedir " + data + "-demo $1 $2 $3 | " + engine + " +set basedir " +
             data + " $1 $2 $3"},
        {"Debian's server, whose role is not \"server\"", debian(true),
         data +
             "/need-data.sh Quake II The game data is missing; see "
             "/usr/share/doc/quake2-server/README.Debian | " +
             engine + "-server +set dedicated 1 +set basedir " + data + "-demo $1 $2 $3 | " +
             engine + "-server +set dedicated 1 +set basedir " + data + " $1 $2 $3"},
        {"a server that exits when its data is missing",
         "[ -f /d/pak0.pak ] || { echo no data >&2; exit 72; }\nexec /s +set basedir /d \"$@\"\n",
         "/s +set basedir /d $1 $2 $3"},
        {"a program chosen on a test",
         "e=/opt/yq2\nif [ -x /opt/q2pro ]; then e=/opt/q2pro; fi\nexec \"$e\" \"$@\"\n",
         "/opt/q2pro $1 $2 $3 | /opt/yq2 $1 $2 $3"},
        {"the first exec", "exec /a \"$@\"\nexec /b \"$@\"\n", "/a $1 $2 $3"},
        {"an exec on a test", "[ -x /a ] && exec /a \"$@\"\nexit 1\n", "/a $1 $2 $3"},
        {"a literal folder", "cd /opt/quake2; exec ./quake2 \"$@\"\n",
         "/opt/quake2/./quake2 in /opt/quake2 $1 $2 $3"},
        {"beside itself", "cd \"$(dirname \"$0\")\" && exec ./q2ded -portable \"$@\"\n",
         "/usr/games/./q2ded in /usr/games -portable $1 $2 $3"},
        {"its real folder",
         "here=$(cd \"${0%/*}\" && pwd -P)\nexec \"$here/q2ded\" \\\n  -datadir \"$here/d\" \"$@\"",
         "/real/usr/games/q2ded -datadir /real/usr/games/d $1 $2 $3"},
        {"its real path", "exec \"$(dirname \"$(readlink -f \"$0\")\")/q2ded\" \"$@\"\n",
         "/real/usr/games/q2ded $1 $2 $3"},
        {"a function called", "run() {\n  exec /a \"$@\"\n}\nrun +x \"$@\"\n", "/a +x $1 $2 $3"},
        {"a function never called", "run() { exec /a \"$@\"; }\n", ""},
        {"a local hides for the call only", "e=/a\nf() { local e=/b; }\nf\nexec $e \"$@\"\n",
         "/a $1 $2 $3"},
        {"the script's name decides",
         "case \"$(basename \"$0\")\" in\n*server*) exec /s \"$@\";;\n*) exec /c \"$@\";;\nesac\n",
         "/c $1 $2 $3"},
        {"set -- and shift", "set -- -datadir /d \"$@\"\nshift\nexec /a \"$@\"\n",
         "/a /d $1 $2 $3"},
        {"an unknown variable", "exec $HOME/q2ded \"$@\"\n", "unknown"},
        {"a default for the environment's", "exec ${Q2:-/a} \"$@\"\n", "unknown"},
        {"a default for one's own", "Q2=\nexec ${Q2:-/a} \"$@\"\n", "/a $1 $2 $3"},
        {"an unknown folder", "cd \"$HOME/q2\"\nexec ./quake2 \"$@\"\n", "unknown"},
        {"an exit first", "exit 1\nexec /a \"$@\"\n", ""},
        {"errexit", "set -e\nfalse\nexec /a \"$@\"\n", ""},
        {"a game started beside it", "/a \"$@\" &\nexec /b\n", "unknown"},
        {"a program given the caller's words first", "/a \"$@\"\nexec /b \"$@\"\n", "unknown"},
        {"an open quote", "exec \"/a\n", "unknown"},
        {"a parameter continued on the next line", "set -- /a\nexec \"$\\\n1\"\n", "unknown"},
        {"a missing fi", "if true; then\nexec /a\n", "unknown"},
        {"bash's exec options", "exec -a q2 /a \"$@\"\n", "unknown"},
        {"a name found on PATH", "exec quake2 \"$@\"\n", "unknown"},
        {"an alias", "alias q=/a\nexec /b\n", "unknown"},
        {"a here-document", "cat <<EOF\n$(exit)\nEOF\nexec /a\n", "/a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.script), c.read) << c.name;
    }
}

TEST(WrapperScript, ReadsNothingItIsNotSureOf) {
    // Past the bytes read, anything may follow, even on the same line.
    EXPECT_EQ(read("exec /a \"$@\"", false), "unknown");
    EXPECT_EQ(read("exec /a \"$@\"\n", false), "/a $1 $2 $3");
    // A line the shell reads whole before it runs it.
    EXPECT_EQ(read("exec /a; (\n"), "unknown");
    EXPECT_EQ(read("exec /a\n(\n"), "/a");
    const WrapperCall call{"/q", {}, "", {}, true};
    for (const auto* script : {"#!/bin/sh\r\nexec /a\r\n", "#!/bin/zsh\nexec /a\n",
                               "#!/usr/bin/env sh -e\nexec /a\n", "exec /a\n"}) {
        EXPECT_EQ(readWrapperScript(script, call), std::nullopt) << script;
    }
    EXPECT_EQ(described(readWrapperScript("#!/bin/bash -e\nexec /a\n", call)), "/a");
}

}  // namespace
}  // namespace wyn
