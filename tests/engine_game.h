// A fresh live game for the tests that run the engine thread.
#pragma once

#include <gtest/gtest.h>

#include "cli.h"
#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"

// The engine disengaged, then a new game with the computer switched off.
inline void NewEngineGame(int dmode, int rules = RULES_TDCL, int maxdepth = DIFF_EASY) {
    Clutch(0);
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    opt.rules = rules;
    ASSERT_TRUE(SetUpGame(opt));
    StoreShared(state.tamzor, TAMZOR_OFF);
    StoreShared(state.stop_search, 0);
    StoreShared(state.maxdepth, maxdepth);
    timers.timer_limit = 5;
}
