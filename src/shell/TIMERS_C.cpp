#include <SDL.h>

#include <cstdio>
#include <type_traits>

#include "tamzor.h"
#include "shell/shell.h"

// The header spells SDL's types as plain integers.
static_assert(std::is_same_v<Uint32, uint32_t>);
static_assert(std::is_same_v<SDL_TimerID, decltype(TIMERS_C::TID)>);

TIMERS_C timers;

TIMERS_C::TIMERS_C() {
    timermode = TM_OFF;
    init_time = curr_time = 0;
    elapsed_time = white_time = black_time = 0;
}

int TIMERS_C::PrintTimeString(uint32_t time_to_print) {
    int hours = (int)(time_to_print / 3600);
    int minutes = (int)(time_to_print % 3600 / 60);
    int seconds = (int)(time_to_print % 60);
    snprintf(time_string, sizeof time_string, "%01d:%02d:%02d", hours, minutes, seconds);
    return 1;
}

void TIMERS_C::TimerStart() {
    if (eval_show) printf("\nTimerStart");
    timer_state = TIMER_STARTED;
    move_start_time = WallTime();
    move_start_ms = TickCount();
    if (uint64_t ms = move_limit_ms) SetDeadlineIn(ms);
}

uint64_t TIMERS_C::TimerElapsed() {
    // Nobody asks while idle; 0 says "not timing".
    if (timer_state == TIMER_IDLE) return 0;
    uint64_t now = WallTime();
    uint64_t start = move_start_time;
    // A restarted tick count (SDL shut down and up again) must not read as
    // an enormous time.
    uint64_t elapsed = now > start ? now - start : 0;
    // Never 0 while running: callers divide by it.
    return elapsed ? elapsed : 1;
}

uint64_t TIMERS_C::TimerElapsedMs() {
    if (timer_state == TIMER_IDLE) return 0;
    const uint64_t now = TickCount(), start = move_start_ms;
    return now > start ? now - start : 0;
}

int TIMERS_C::TimerExpired() {
    // In milliseconds: whole seconds of the tick count let a 5-second limit
    // run anywhere up to 6 seconds.
    if (timer_state == TIMER_STARTED && (TimerElapsedMs() >= LimitS() * 1000 || DeadlinePassed()))
        timer_state = TIMER_EXPIRED;
    return timer_state == TIMER_EXPIRED ? 1 : 0;
}

uint64_t TIMERS_C::SoftLimitMs(uint64_t limit_seconds) {
    // No new iteration once 70% of the limit is gone, but never before 7
    // seconds: up to 10 seconds the move runs to its hard limit, as it always
    // has, and a player who gives it minutes gets minutes, not 7 seconds.
    const uint64_t soft = limit_seconds * 700;
    return soft > 7000 ? soft : 7000;
}

int TIMERS_C::TimerTerminate(int force) {
    if (force) return 1;
    if (timer_state == TIMER_IDLE) return 0;
    return TimerElapsedMs() >= SoftLimitMs(LimitS()) ? 1 : 0;
}

bool TIMERS_C::DeadlinePassed() {
    uint64_t deadline = deadline_ms;
    return deadline != 0 && TickCount() >= deadline;
}

void TIMERS_C::SetDeadlineIn(uint64_t ms) {
    uint64_t deadline = TickCount() + ms;
    deadline_ms = deadline ? deadline : 1;
}

void TIMERS_C::GameOver() {
    const TIMERMODE_E shown = timermode;
    if (shown != TM_STOPPED) mode_before_stop = shown;
    timermode = TM_STOPPED;
    standing = true;
}

void TIMERS_C::NewGame() {
    elapsed_time = white_time = black_time = 0;
    GoOn();
}

void TIMERS_C::GoOn() {
    standing = false;
    if (timermode == TM_STOPPED) timermode = mode_before_stop.load();
}
