#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_system.h"
#include "engine/engine.h"
#include "fake_elf.h"
#include "fake_pe.h"
#include "temp_dir.h"

namespace wyn {
namespace {

namespace fs = std::filesystem;

// The strings each engine's read-only data holds, as the real builds have them.
const std::vector<std::string> kYamagi = {"Yamagi Quake II v%s", "game.so", "yq2.cfg"};
const std::vector<std::string> kQ2pro = {"====== Q2PRO initialized ======\n\n", "basedir",
                                         "/etc/default/q2pro", "gamex86_64.so"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Engine yamagi(bool xdg) {
    Engine engine;
    engine.kind = EngineKind::YamagiQuake2;
    engine.gameLibrary = "game.so";
    engine.xdg = xdg;
    return engine;
}

Engine q2pro(std::string data = {}, std::string library = {}, std::string home = {},
             std::string gameLibrary = "gamex86_64.so") {
    Engine engine;
    engine.kind = EngineKind::Q2pro;
    engine.gameLibrary = std::move(gameLibrary);
    engine.systemWide = !data.empty();
    engine.dataFolder = std::move(data);
    engine.libraryFolder = std::move(library);
    engine.homeFolder = std::move(home);
    return engine;
}

TEST(Engine, RecognisesMadeUpExecutablesByTheirBytes) {
    test::TempDir temp;
    const auto yamagiProgram = temp.write("opt/yq2/quake2", test::fakeElf({.strings = kYamagi}));
    const auto unknownProgram = temp.write("opt/other/game", test::fakeElf({}));
    struct Case {
        const char* name;
        std::string bytes;
        Engine engine;  // its program and header aside
    };
    const Case cases[] = {
        {"Yamagi Quake II", test::fakeElf({.strings = kYamagi}), yamagi(false)},
        {"with XDG support",
         test::fakeElf(
             {.strings = kYamagi + std::vector<std::string>{" + XDG directory support\n"}}),
         yamagi(true)},
        {"32-bit Yamagi Quake II", test::fakeElf({.bits = 32, .machine = 3, .strings = kYamagi}),
         yamagi(false)},
        {"Q2PRO portable", test::fakeElf({.strings = kQ2pro + std::vector<std::string>{"libdir"}}),
         q2pro()},
        {"Q2PRO system-wide",
         test::fakeElf(
             {.strings = kQ2pro + std::vector<std::string>{"~/.q2pro", "homedir",
                                                           "/usr/share/q2pro", "/usr/lib/q2pro"}}),
         q2pro("/usr/share/q2pro", "/usr/lib/q2pro", "~/.q2pro")},
        {"32-bit Q2PRO without its library's name",
         test::fakeElf({.bits = 32, .machine = 3, .strings = {"====== Q2PRO initialized ======"}}),
         q2pro("", "", "", "gamei386.so")},
        {"library folder given first",
         test::fakeElf({.strings = kQ2pro + std::vector<std::string>{"/opt/q2/lib64/q2pro",
                                                                     "/opt/q2/share/q2pro"}}),
         q2pro("/opt/q2/share/q2pro", "/opt/q2/lib64/q2pro")},
        {"one folder for both",
         test::fakeElf({.strings = kQ2pro + std::vector<std::string>{"/games/q2pro"}}),
         q2pro("/games/q2pro", "/games/q2pro")},
        {"another engine's strings mean nothing to Yamagi Quake II",
         test::fakeElf(
             {.strings = kYamagi + std::vector<std::string>{"~/.q2pro", "/etc/default/q2pro"}}),
         yamagi(false)},
        {"its marker across two pieces read",
         test::fakeElf({.strings = kYamagi, .dataBytes = 65531}), yamagi(false)},
        {"a marker in a string too long to be one",
         test::fakeElf({.strings = {"Yamagi Quake II v%s" + std::string(5000, 'x')}}), Engine()},
        {"an unknown program", test::fakeElf({.strings = {"Quake II", "game.so", "~/.quake2"}}),
         Engine()},
        {"the marker elsewhere than read-only data",
         test::fakeElf({.codeBytes = 40}).replace(70, 19, "Yamagi Quake II v%s"), Engine()},
        {"a text file", "Yamagi Quake II v%s\0", Engine()},
        {"an empty file", "", Engine()},
        {"a wrapper", "#!/bin/sh\n# starts it\nexec " + yamagiProgram + " \"$@\"\n", yamagi(false)},
        {"a wrapper passing one of WYN's words",
         "#!/bin/bash\nset -e\n  exec '" + yamagiProgram + "' +set game \"$3\"\n", Engine()},
        {"a wrapper of an unknown program", "#!/bin/sh\nexec " + unknownProgram + "\n", Engine()},
        {"a wrapper by relative path", "#!/bin/sh\nexec opt/yq2/quake2\n", Engine()},
        {"a wrapper without exec", "#!/bin/sh\n" + yamagiProgram + "\n", Engine()},
        {"a script that is long",
         "#!/bin/sh\n" + std::string(9000, '#') + "\nexec " + yamagiProgram, Engine()},
    };
    int number = 0;
    for (const auto& c : cases) {
        const auto path = temp.write("case" + std::to_string(number++), c.bytes);
        auto engine = recogniseEngine(path);
        const bool known = c.engine.kind != EngineKind::Unknown;
        EXPECT_EQ(engine.program.empty(), !known) << c.name;
        engine.program.clear();
        engine.elf = {};
        EXPECT_EQ(engine, c.engine) << c.name;
    }
    EXPECT_EQ(recogniseEngine(yamagiProgram).program, realPath(yamagiProgram));
    EXPECT_EQ(recogniseEngine(yamagiProgram).elf.bits, 64);
    EXPECT_EQ(recogniseEngine(temp / "missing").kind, EngineKind::Unknown);
    EXPECT_EQ(recogniseEngine(temp.str()).kind, EngineKind::Unknown);
}

// A wrapper's engine is what it starts with WYN's words last, whatever they
// are (the folder arguments of every engine, a dedicated server or not) and
// whichever way the script goes.
TEST(Engine, FollowsWrappersAsTheShellRunsThem) {
    test::TempDir temp;
    const auto program = temp.write("opt/yq2/quake2", test::fakeElf({.strings = kYamagi}));
    const auto other = temp.write("opt/other/q2", test::fakeElf({.strings = kQ2pro}));
    const auto full = temp.mkdir("data/full");
    const auto demo = temp.str() + "/data/demo";
    const auto inner =
        temp.write("bin/inner", "#!/bin/sh\ncd \"${0%/*}/../opt/yq2\"\nexec ./quake2 \"$@\"\n");
    struct Case {
        const char* name;
        std::string script;
        Engine engine;  // its program aside
    };
    auto named = yamagi(false);
    named.namedDataFolder = full;
    auto choices = yamagi(false);
    choices.dataFolderChoices = {full, demo};
    auto moved = yamagi(false);
    moved.workingDirectory = temp.str() + "/opt/yq2";
    const Case cases[] = {
        {"Debian's fallback to the demo",
         "d=" + full + "\n[ -f $d/pak0.pak ] || d=" + demo +
             "\n[ -f $d/pak0.pak ] || exec /usr/games/need-data \"no data\"\nexec " + program +
             " +set basedir $d \"$@\"\n",
         choices},
        {"a way without WYN's words",
         "[ -f /pak0.pak ] || exec /bin/true \"$1\"\nexec " + program + " +set basedir " + full +
             " \"$@\"\n",
         named},
        {"a test chooses the program",
         "e=" + program + "\nif [ -x /q2pro ]; then e=" + other + "; fi\nexec $e \"$@\"\n",
         Engine()},
        {"WYN's words decide",
         "case \"$1\" in -datadir) exec " + program + " \"$@\";; *) exec " + other +
             " \"$@\";; esac\n",
         Engine()},
        {"a literal folder", "cd " + temp.str() + "/opt/yq2 || exit\nexec ./quake2 \"$@\"\n",
         moved},
        {"a folder that is not there",
         "cd " + temp.str() + "/opt/none\nexec " + program + " \"$@\"\n", Engine()},
        {"a wrapper of a wrapper", "exec " + inner + " \"$@\"\n", moved},
        {"words after WYN's", "exec " + program + " \"$@\" +set game xatrix\n", Engine()},
        {"a folder argument cut off", "exec " + program + " -datadir \"$@\"\n", Engine()},
    };
    int number = 0;
    for (const auto& c : cases) {
        const auto path =
            temp.write("wrapper" + std::to_string(number++), "#!/bin/sh\n" + c.script);
        auto engine = recogniseEngine(path);
        engine.program.clear();
        engine.elf = {};
        EXPECT_EQ(engine, c.engine) << c.name;
    }
}

// What a Windows build is, its header aside.
Engine windowsEngine(EngineKind kind, std::string library, std::string fallback = {}) {
    Engine engine;
    engine.kind = kind;
    engine.format = ExecutableFormat::Pe;
    engine.gameLibrary = std::move(library);
    engine.fallbackLibrary = std::move(fallback);
    return engine;
}

TEST(Engine, RecognisesMadeUpWindowsExecutablesByTheirBytes) {
    using test::fakePe;
    const std::vector<std::string> classic = {"====== Quake2 Initialized ======\n\n",
                                              "gamex86.dll"};
    const auto yamagiPe = windowsEngine(EngineKind::YamagiQuake2, "game.dll", "gamex86.dll");
    const auto q2proPe = windowsEngine(EngineKind::Q2pro, "gamex86_64.dll");
    const auto classicPe = windowsEngine(EngineKind::Quake2, "gamex86.dll");
    // Where the strings' section lies in the file and how large it says it is.
    const auto stringSection = [](const std::string& bytes) {
        return readPeHeader(bytes)->sectionTableOffset + kPeSectionBytes;
    };
    const auto withStrings = [&](std::uint32_t offset, std::uint32_t size) {
        auto bytes = fakePe({.strings = classic});
        bytes = test::patched(bytes, stringSection(bytes) + 8, size, 4);
        bytes = test::patched(bytes, stringSection(bytes) + 16, size, 4);
        return offset == 0 ? bytes : test::patched(bytes, stringSection(bytes) + 20, offset, 4);
    };
    struct Case {
        const char* name;
        std::string bytes;
        Engine engine;  // its program and headers aside
    };
    const Case cases[] = {
        {"Yamagi Quake II", fakePe({.strings = kYamagi}), yamagiPe},
        {"Q2PRO", fakePe({.strings = {"====== Q2PRO initialized ======", "gamex86_64.dll"}}),
         q2proPe},
        {"Q2PRO with strings of a system-wide build",
         fakePe({.strings = {"====== Q2PRO initialized ======", "gamex86_64.dll", "~/.q2pro",
                             "/usr/share/q2pro", "gamex86_64.so"}}),
         q2proPe},
        {"32-bit Q2PRO",
         fakePe({.machine = kPeI386,
                 .bits = 32,
                 .strings = {"====== Q2PRO initialized ======", "gamex86.dll"}}),
         windowsEngine(EngineKind::Q2pro, "gamex86.dll")},
        {"ARM64 Q2PRO without its library's name",
         fakePe({.machine = kPeArm64, .strings = {"====== Q2PRO initialized ======"}}),
         windowsEngine(EngineKind::Q2pro, "gamearm64.dll")},
        {"id's Quake II", fakePe({.machine = kPeI386, .bits = 32, .strings = classic}), classicPe},
        {"its strings in .data", fakePe({.strings = classic, .stringSection = ".data"}), classicPe},
        {"its strings in another section", fakePe({.strings = classic, .stringSection = ".rsrc"}),
         Engine()},
        {"a section larger than the file", withStrings(0, 0xffffffff), classicPe},
        {"a section past the end", withStrings(0xfffffff0, 64), Engine()},
        {"an unknown program", fakePe({.strings = {"Quake II", "game.dll", "YamagiQ2"}}), Engine()},
    };
    test::TempDir temp;
    int number = 0;
    for (const auto& c : cases) {
        const auto path = temp.write("case" + std::to_string(number++) + ".exe", c.bytes);
        auto engine = recogniseEngine(path);
        EXPECT_EQ(engine.program.empty(), c.engine.kind == EngineKind::Unknown) << c.name;
        engine.program.clear();
        engine.pe = {};
        EXPECT_EQ(engine, c.engine) << c.name;
    }
    const auto program =
        temp.write("quake2.exe", fakePe({.machine = kPeI386, .bits = 32, .strings = classic}));
    EXPECT_EQ(recogniseEngine(program).pe.machine, kPeI386);
    EXPECT_EQ(engineName(recogniseEngine(program).kind), "Quake II");
}

TEST(Engine, RecognisesIdsQuake2ForLinux) {
    test::TempDir temp;
    const auto program = temp.write(
        "quake2",
        test::fakeElf(
            {.bits = 32, .machine = 3, .strings = {"====== Quake2 Initialized ======\n\n"}}));
    const auto engine = recogniseEngine(program);
    EXPECT_EQ(engine.kind, EngineKind::Quake2);
    EXPECT_EQ(engine.format, ExecutableFormat::Elf);
    EXPECT_EQ(engine.gameLibrary, "gamei386.so");
}

// A file that grows or shrinks while it is read answers with more or fewer
// bytes than asked: what was asked is all that is looked at, and a header cut
// short is no engine.
TEST(Engine, ReadersThatAnswerMoreOrLessThanAsked) {
    const auto bytes = test::fakeElf({.strings = kYamagi});
    const auto readChanged = [&](int change) {
        return readExecutableFacts([&](std::uint64_t offset, std::size_t size) {
            auto answer = offset < bytes.size() ? bytes.substr(offset, size) : std::string();
            answer.resize(std::max<std::ptrdiff_t>(0, std::ssize(answer) + change), 'x');
            return answer;
        });
    };
    EXPECT_EQ(readChanged(100).engine.kind, EngineKind::YamagiQuake2);
    EXPECT_EQ(readChanged(-32).engine, Engine());
}

TEST(Engine, ReadsAnExecutableAgainOnlyWhenItsSizeOrTimeChanged) {
    test::TempDir temp;
    // The same size: Q2PRO's marker padded to Yamagi Quake II's.
    const auto yamagiBytes = test::fakeElf({.strings = {"Yamagi Quake II v%s", "0123456789a"}});
    const auto q2proBytes = test::fakeElf({.strings = {"====== Q2PRO initialized ======"}});
    ASSERT_EQ(yamagiBytes.size(), q2proBytes.size());
    const auto path = temp.write("quake2", yamagiBytes);
    const auto time = fs::last_write_time(path);
    EXPECT_EQ(recogniseEngine(path).kind, EngineKind::YamagiQuake2);

    temp.write("quake2", q2proBytes);
    fs::last_write_time(path, time);
    EXPECT_EQ(recogniseEngine(path).kind, EngineKind::YamagiQuake2) << "read again";
    fs::last_write_time(path, time + std::chrono::seconds(1));
    EXPECT_EQ(recogniseEngine(path).kind, EngineKind::Q2pro) << "a new time";
    temp.write("quake2", yamagiBytes + "more");
    fs::last_write_time(path, time + std::chrono::seconds(1));
    EXPECT_EQ(recogniseEngine(path).kind, EngineKind::YamagiQuake2) << "a new size";
}

}  // namespace
}  // namespace wyn
