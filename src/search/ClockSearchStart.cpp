// The computer's search in a timed game spends its own clock, by the share
// the UCI engine takes of a clock, in place of the time-limit menu's limit
// (which stays the player's choice meanwhile).
#include <cmath>
#include <mutex>

#include "shell/clock.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
bool limits_set = false;
}  // namespace

bool ClockSearchStart(int side) {
    long long left, inc;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        if (!game_clock.Timed()) return false;
        left = game_clock.LeftMs(side, TickCount());
        inc = TimeControlAt(game_clock.Control()).increment_s * 1000LL;
    }
    double hard, soft, stretch;
    UciClockBudget(left, inc, 0, &hard, &soft, 0, &stretch);
    limits_set = true;
    const uint64_t now = TickCount();
    timers.search_limit = (uint64_t)std::ceil(stretch);
    timers.SetDeadlineIn((uint64_t)(hard * 1000.0));
    soft_deadline_ms = now + (uint64_t)(soft * 1000.0);
    stretch_deadline_ms = stretch > hard ? now + (uint64_t)(stretch * 1000.0) : 0;
    return true;
}

void ClockSearchEnd() {
    if (!limits_set) return;
    limits_set = false;
    timers.search_limit = 0;
    timers.deadline_ms = 0;
    soft_deadline_ms = 0;
    stretch_deadline_ms = 0;
}
