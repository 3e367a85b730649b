#pragma once

// What the session tests share: the recording prompts, the fake starter and
// a session to launch.

#include <gmock/gmock.h>

#include "base/game_starter.h"
#include "fake_prompts.h"
#include "fake_starter.h"
#include "session/session_settings.h"
#include "temp_dir.h"

namespace wyn::test {

// A session on a game directory of its own with the recording prompts and
// starter, for the tests of a launch. openGame() opens the directory as the
// user does, once the test has put its files there.
struct LaunchSession {
    GameDir game;
    SessionSettings s{PlatformProfile::posix()};
    FakePrompts prompts;
    FakeStarter starter;

    void openGame() {
        s.setDirectoryPrompt(&prompts);
        s.setText(Field::DirectoryEdit, game.str());
        s.resetToNew();
    }
};

}  // namespace wyn::test
