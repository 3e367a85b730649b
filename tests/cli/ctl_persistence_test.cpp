#include <gtest/gtest.h>

#include <sstream>

#include "app/ctl_persistence.h"
#include "base/value_store.h"
#include "persistence_fixture.h"
#include "session/session_settings.h"
#include "store/recent_files.h"

namespace wyn {
namespace {

using F = Field;
using Names = std::vector<std::string>;

class CtlPersistence : public ::testing::Test {
protected:
    test::GameDir game;
    const PlatformProfile& profile = PlatformProfile::native();
    MemoryValueStore store;
    std::ostringstream out;
    std::ostringstream err;
    CtlContext context{game.str(), "quake2", profile, store, out, err};

    void SetUp() override { test::fillGame(game); }
};

TEST_F(CtlPersistence, RecentPrintsTheListInOrder) {
    store.writeRecentFiles({"/b.wyn", "/a.wyn", "/B.WYN"});  // a stored duplicate goes
    EXPECT_EQ(ctlRecent(context, {}), kExitOk);
    EXPECT_EQ(out.str(), "/b.wyn\n/a.wyn\n");
    EXPECT_EQ(ctlRecent(context, {"extra"}), kExitUsage);
}

TEST_F(CtlPersistence, CyclePrintsBothListsAsTheEditorOpens) {
    game.write("vantor/maps.txt", "\r\nq2dm1\r\nmine\r\n");
    std::filesystem::remove(game / "baseq2/pak0.pak");
    std::filesystem::remove(game / "ctf/pak0.pak");
    EXPECT_EQ(ctlCycle(context, {}), kExitOk);
    std::string expected = "Current\tq2dm1\nCurrent\tmine\n";
    for (const char* name :
         {"q2dm2", "q2dm3", "q2dm4", "q2dm5", "q2dm6", "q2dm7", "q2dm8", "q2ctf_loose"}) {
        expected += std::string("Available\t") + name + "\n";
    }
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(err.str(), "");
}

TEST_F(CtlPersistence, CycleReportsAMissingFile) {
    EXPECT_EQ(ctlCycle(context, {}), kExitOk);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "Cannot open file " + profile.path(game.str(), {"vantor", "maps.txt"}) + "\n");
}

TEST_F(CtlPersistence, StoreThenRestoreWithTheGameDirectoryGiven) {
    SessionSettings s(profile);
    s.setText(F::DirectoryEdit, game.str());
    s.chooseRadio(F::CTFMapsRadio);
    s.setChecked(F::WeaponsStayCheckBox, true);
    s.setText(F::MaxClientsComboBox, "12");
    s.setBotChecked(1, true);
    s.setCtfTeams({"Alpha"}, {"Delta"});
    s.selectMap(MapType::CTF, 3);
    RecentFiles recent;
    recent.AddRecent("/p.wyn");
    EXPECT_EQ(ctlStoreState(context, s, recent), kExitOk);
    EXPECT_EQ(store.readValue("WeaponsStayCheckBox"), "-1");
    EXPECT_EQ(store.readRecentFiles(), Names{"/p.wyn"});

    // The stored directory is elsewhere now; the one given stands in for it.
    test::GameDir other;
    test::fillGame(other);
    store.writeValue("DirectoryEdit", "/nowhere/at/all");
    SessionSettings restored(profile);
    RecentFiles loaded;
    EXPECT_EQ(ctlRestoreState(context, restored, loaded, other.str()), kExitOk);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(restored.gameDirectory(), other.str());
    EXPECT_EQ(store.readValue("DirectoryEdit"), "/nowhere/at/all");  // nothing written
    EXPECT_TRUE(restored.checked(F::WeaponsStayCheckBox));
    EXPECT_EQ(restored.flagWord(), "4");
    EXPECT_EQ(restored.text(F::MaxClientsComboBox), "12");
    EXPECT_EQ(restored.mapType(), MapType::CTF);
    EXPECT_EQ(restored.selectedMap(), "q2ctf4");
    EXPECT_EQ(restored.bots().checkedNames(), Names{"Bravo"});
    EXPECT_EQ(restored.availableList().items(), (Names{"Bravo", "Charlie"}));
    EXPECT_EQ(restored.teamLayout(), TeamLayout::RedBlue);
    EXPECT_EQ(loaded.paths(), Names{"/p.wyn"});
    EXPECT_NE(restored.commandLine().find("+map q2ctf4"), std::string::npos);
}

TEST_F(CtlPersistence, RestoreWithNobodyToAnswerTheLocateDialog) {
    // Nothing stored and no game where the session starts: the message is
    // printed and the locate dialog passed over; the restore still runs.
    PlatformProfile nowhere = profile;
    nowhere.defaultGameDirectory = game / "missing";
    SessionSettings s(nowhere);
    RecentFiles recent;
    EXPECT_EQ(ctlRestoreState(context, s, recent, std::nullopt), kExitOk);
    EXPECT_EQ(err.str().rfind("Please enter the directory where Quake II is located", 0), 0u);
    EXPECT_EQ(store.readValue("DirectoryEdit"), "");
    EXPECT_EQ(s.botMode(), BotMode::Random);
    EXPECT_EQ(s.text(F::MaxClientsComboBox), "24");
}

}  // namespace
}  // namespace wyn
