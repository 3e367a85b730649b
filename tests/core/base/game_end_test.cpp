#include <gtest/gtest.h>

#include "base/game_end.h"
#include "base/platform_profile.h"

namespace wyn {
namespace {

using namespace std::chrono_literals;

TEST(GameEnd, ReportedWhenQuickOrFailed) {
    struct Case {
        std::chrono::milliseconds runTime;
        int exitCode;
        int signal;
        bool reported;
    };
    const Case cases[] = {
        {0ms, 0, 0, true},          {14'999ms, 0, 0, true},    {15'000ms, 0, 0, false},
        {3'600'000ms, 0, 0, false}, {3'600'000ms, 3, 0, true}, {3'600'000ms, 0, 11, true},
        {20'000ms, -1, 0, true},
    };
    for (const auto& c : cases) {
        GameEnd end;
        end.runTime = c.runTime;
        end.exitCode = c.exitCode;
        end.signal = c.signal;
        EXPECT_EQ(isReportedEnd(end), c.reported) << c.runTime.count() << " " << c.exitCode;
    }
    GameEnd end;
    end.runTime = 500ms;
    EXPECT_FALSE(isReportedEnd(end, 200ms));
    end.signal = 9;
    EXPECT_EQ(end.shellStatus(), 137);
}

TEST(OutputTail, KeepsTheLastBytes) {
    struct Case {
        std::vector<std::string> pieces;
        std::string kept;
        bool cut;
    };
    const Case cases[] = {
        {{"ab", "cd"}, "abcd", false},       {{"abcde"}, "abcde", false},
        {{"abcdef"}, "bcdef", true},         {{"abc", "defg"}, "cdefg", true},
        {{"a", "bcdefghij"}, "fghij", true}, {{"", "", "x"}, "x", false},
    };
    for (const auto& c : cases) {
        OutputTail tail(5);
        for (const auto& piece : c.pieces) {
            tail.append(piece);
        }
        EXPECT_EQ(tail.bytes(), c.kept);
        EXPECT_EQ(tail.cut(), c.cut) << c.kept;
    }
}

TEST(PlatformProfile, FullPaths) {
    const auto posix = PlatformProfile::posix();
    const auto windows = PlatformProfile::windows();
    struct Case {
        const char* path;
        bool posix;
        bool windows;
    };
    const Case cases[] = {
        {"/usr/games/quake2", true, true},
        {"quake2", false, false},
        {"./quake2", false, false},
        {"c:\\quake2\\q2.exe", false, true},
        {"C:/q2/q2.exe", false, true},
        {"c:q2.exe", false, false},
        {"\\\\server\\q2\\q2.exe", false, true},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(posix.isAbsolute(c.path), c.posix) << c.path;
        EXPECT_EQ(windows.isAbsolute(c.path), c.windows) << c.path;
    }
}

}  // namespace
}  // namespace wyn
