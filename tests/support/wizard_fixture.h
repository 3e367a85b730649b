#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "base/game_starter.h"
#include "fake_prompts.h"
#include "fake_starter.h"
#include "session/session_settings.h"
#include "temp_dir.h"
#include "wizard/launch_wizard.h"

namespace wyn::test {

// A main window session in a temporary game directory with maps in all three
// lists (one name twice), three bots (Bravo marked) and three teams.
class WizardTest : public ::testing::Test {
protected:
    GameDir game;
    SessionSettings s{PlatformProfile::posix()};
    FakePrompts prompts;
    FakeStarter starter;
    std::unique_ptr<LaunchWizard> wizard;

    void SetUp() override {
        s.setDirectoryPrompt(&prompts);
        s.setText(Field::DirectoryEdit, game.str());
        s.resetToNew();
        s.setMapItems(MapType::General, {"q2dm1", "q2dm2"});
        s.setMapItems(MapType::CTF, {"q2ctf1"});
        s.setMapItems(MapType::External, {"q2dm1", "mymap"});
        s.setRoster({"Alpha", "Bravo", "Charlie"}, {"Red", "Blue", "Green"});
        s.setBotChecked(1, true);
    }

    LaunchWizard& open() {
        wizard = std::make_unique<LaunchWizard>(s, prompts, starter);
        return *wizard;
    }

    // Opens the wizard and answers the first pages: game type and map.
    LaunchWizard& toOpponentPage(WizardGameType type, int map = 0) {
        auto& w = open();
        w.next();
        w.setGameType(type);
        w.next();
        w.selectMap(map);
        w.next();
        return w;
    }

    // Opponents as in most tests: Alpha and Charlie, or Red and Green against
    // you as Blue with three players per team.
    LaunchWizard& toLaunchPage(WizardGameType type, int map = 0) {
        auto& w = toOpponentPage(type, map);
        if (type == WizardGameType::DeathmatchWithTeams) {
            w.setYourTeam("Blue");
            w.setPlayersPerTeam("3");
            w.setBotTeamChecked(0, true);
            w.setBotTeamChecked(2, true);
        } else {
            w.setBotChecked(0, true);
            w.setBotChecked(1, false);
            w.setBotChecked(2, true);
        }
        w.next();
        return w;
    }
};

}  // namespace wyn::test
