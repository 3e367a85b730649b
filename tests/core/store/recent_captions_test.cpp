#include <gtest/gtest.h>

#include "store/recent_files.h"

namespace wyn {
namespace {

using Names = std::vector<std::string>;

// One pixel per character keeps the steps readable.
int characters(std::string_view text) {
    return static_cast<int>(text.size());
}

struct ShortenCase {
    const char* name;
    std::string path;
    int maxWidth;
    std::string expected;
};

class Shorten : public ::testing::TestWithParam<ShortenCase> {};

TEST_P(Shorten, CutsStepByStepUntilItFits) {
    const auto& c = GetParam();
    const bool windows = c.path.find('\\') != std::string::npos;
    const auto profile = windows ? PlatformProfile::windows() : PlatformProfile::posix();
    EXPECT_EQ(shortenPath(c.path, c.maxWidth, characters, profile), c.expected);
}

const std::string kDeep = "c:\\games\\quake2\\presets\\dm.wyn";  // 30 characters

INSTANTIATE_TEST_SUITE_P(
    Steps, Shorten,
    ::testing::Values(
        ShortenCase{"FitsWhole", kDeep, 30, kDeep},
        ShortenCase{"FirstDirectory", kDeep, 29, "c:\\...\\quake2\\presets\\dm.wyn"},
        ShortenCase{"NextDirectory", kDeep, 27, "c:\\...\\presets\\dm.wyn"},
        ShortenCase{"EveryDirectory", kDeep, 20, "c:\\...\\dm.wyn"},
        ShortenCase{"ThenTheDrive", kDeep, 12, "...\\dm.wyn"},
        ShortenCase{"ThenTheNameAlone", kDeep, 9, "dm.wyn"},
        ShortenCase{"NameShownEvenTooWide", kDeep, 2, "dm.wyn"},
        ShortenCase{"DriveAndName", "c:\\dm.wyn", 8, "dm.wyn"},
        ShortenCase{"RelativeHasNoRoot", "presets\\old\\dm.wyn", 17, "...\\old\\dm.wyn"},
        ShortenCase{"RelativeEveryDirectory", "presets\\old\\dm.wyn", 13, "...\\dm.wyn"},
        ShortenCase{"NetworkShare", "\\\\server\\share\\dm.wyn", 20, "\\\\...\\share\\dm.wyn"},
        ShortenCase{"PosixFirstDirectory", "/home/user/presets/a.wyn", 23,
                    "/.../user/presets/a.wyn"},
        ShortenCase{"PosixEveryDirectory", "/home/user/presets/a.wyn", 16, "/.../a.wyn"},
        ShortenCase{"PosixThenTheRoot", "/home/user/presets/a.wyn", 9, ".../a.wyn"},
        ShortenCase{"PosixThenTheNameAlone", "/home/user/presets/a.wyn", 8, "a.wyn"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecentCaptions, NumberedInListOrderAndShortened) {
    RecentFiles recent;
    const std::string longPath =
        "/" + std::string(60, 'x') + "/" + std::string(60, 'y') + "/last.wyn";
    recent.AddRecent(longPath);
    recent.AddRecent("/presets/Tom & Jerry.wyn");
    recent.AddRecent("/presets/first.wyn");
    // Five pixels a character: 200 pixels hold 40.
    const auto width = [](std::string_view text) { return 5 * static_cast<int>(text.size()); };
    EXPECT_EQ(recent.menuCaptions(width, PlatformProfile::posix()),
              (Names{"&1 /presets/first.wyn", "&2 /presets/Tom && Jerry.wyn", "&3 /.../last.wyn"}));
}

}  // namespace
}  // namespace wyn
