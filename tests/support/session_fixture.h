#pragma once

// What the session tests share: the recording prompts and the fake starter.

#include <gmock/gmock.h>

#include "base/game_starter.h"
#include "fake_prompts.h"
#include "fake_starter.h"
#include "session/session_settings.h"
