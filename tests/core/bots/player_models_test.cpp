#include <gtest/gtest.h>

#include "bots/player_models.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Names = std::vector<std::string>;

TEST(ListPlayerModels, ListsModelDirectoriesOrderedIgnoringCase) {
    test::GameDir game;
    game.mkdir("baseq2/players/male");
    game.mkdir("baseq2/players/Cyborg");
    game.mkdir("baseq2/players/female");
    game.write("baseq2/players/notes.txt");
    const auto profile = PlatformProfile::posix();
    EXPECT_EQ(ListPlayerModels(Names{game.str()}, profile), (Names{"Cyborg", "female", "male"}));

    test::GameDir bare;
    EXPECT_EQ(ListPlayerModels(Names{bare.str()}, profile), Names{});
}

TEST(ListSkins, KeepsSkinsAndDropsIconsAndWeapon) {
    test::GameDir game;
    for (const char* file : {"grunt.pcx", "grunt_i.pcx", "weapon.pcx", "Cobalt.PCX", "ctf_ice.pcx",
                             "tris.md2", "Claymore.Pcx"}) {
        game.write(std::string("baseq2/players/male/") + file);
    }
    game.mkdir("baseq2/players/male/folder.pcx");
    const auto profile = PlatformProfile::posix();
    EXPECT_EQ(ListSkins(Names{game.str()}, "male", profile),
              (Names{"claymore", "cobalt", "grunt"}));
    EXPECT_EQ(ListSkins(Names{game.str()}, "female", profile), Names{});
    EXPECT_EQ(ListSkins(Names{game.str()}, "", profile), Names{});
}

TEST(SkinIconPath, FollowsTheProfileSeparator) {
    EXPECT_EQ(SkinIconPath(Names{"c:\\quake2"}, "male", "grunt", PlatformProfile::windows()),
              "c:\\quake2\\baseq2\\players\\male\\grunt_i.pcx");
    EXPECT_EQ(SkinIconPath(Names{"/games/q2"}, "female", "athena", PlatformProfile::posix()),
              "/games/q2/baseq2/players/female/athena_i.pcx");
}

TEST(AvailableWeaponSupporters, LeavesOutCurrentSupportersIgnoringCase) {
    const Names models{"crakhor", "cyborg", "female", "male"};
    EXPECT_EQ(availableWeaponSupporters(models, {"MALE", "cyborg", "unknown"}),
              (Names{"crakhor", "female"}));
    EXPECT_EQ(availableWeaponSupporters(models, {}), models);
}

}  // namespace
}  // namespace wyn
