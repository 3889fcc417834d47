// The game clock and search timer, driven by a fake tick count.
#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>

#include "tamzor.h"
#include "shell/shell.h"

namespace {

uint64_t fake_ms = 0;
uint64_t FakeTicks() { return fake_ms; }

int redraws = 0;
void CountRedraw() { redraws++; }

// Each test gets a fresh clock on a fake tick count; the real source, the
// hooks and the side to move are put back afterwards.
class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        tick_source = FakeTicks;
        fake_ms = 0;
        redraws = 0;
        timers.elapsed_time = timers.white_time = timers.black_time = 0;
        timers.timer_limit = 5;
        timers.move_start_time = 0;
        timers.standing = false;
        timers.mode_before_stop = TM_OFF;
        Idle();
    }
    void TearDown() override {
        tick_source = saved_source;
        core_hooks.redraw = saved_redraw;
        state.position.move_num = saved_move_num;
        Idle();
    }
    static void Idle() {
        timers.timer_state = TIMER_IDLE;
        timers.timermode = TM_OFF;
        timers.deadline_ms = 0;
        timers.move_limit_ms = 0;
    }
    uint64_t (*saved_source)() = tick_source;
    void (*saved_redraw)() = core_hooks.redraw;
    int32_t saved_move_num = state.position.move_num;
};

TEST_F(ClockTest, TimeStringsAndAFreshTimer) {
    EXPECT_EQ(timers.PrintTimeString(3725), 1);
    EXPECT_STREQ(timers.time_string, "1:02:05");
    for (auto [s, text] : {std::pair<int, const char*>{0, "0:00:00"}, {59, "0:00:59"}, {36000, "10:00:00"}}) {
        timers.PrintTimeString(s);
        EXPECT_STREQ(timers.time_string, text);
    }
    TIMERS_C t;
    EXPECT_EQ(t.timermode, TM_OFF);
    EXPECT_EQ(t.timer_state, TIMER_IDLE);
    for (uint64_t v : {(uint64_t)t.init_time, (uint64_t)t.curr_time, (uint64_t)t.elapsed_time,
                       (uint64_t)t.white_time, (uint64_t)t.black_time, (uint64_t)t.deadline_ms})
        EXPECT_EQ(v, 0u);
}

TEST_F(ClockTest, WallTimeIsWholeSecondsOfTheTickCount) {
    fake_ms = 999;
    EXPECT_EQ(WallTime(), 0u);
    EXPECT_TRUE(wt_initialized);
    uint64_t first = gameStart;
    fake_ms = 1000;
    EXPECT_EQ(WallTime(), 1u);
    fake_ms = 61999;
    EXPECT_EQ(WallTime(), 61u);
    EXPECT_EQ(wallClock, 61999u);
    EXPECT_EQ(gameStart, first);  // only the first call records it
}

// The limit in seconds, a search's deadline and a move limit in
// milliseconds all count from the search's own start, to the millisecond.
TEST_F(ClockTest, TheTimerExpiresAtItsLimitDeadlineOrMoveLimit) {
    fake_ms = 1000000;
    EXPECT_EQ(timers.TimerExpired(), 0);  // idle
    EXPECT_EQ(timers.timer_state, TIMER_IDLE);
    EXPECT_EQ(timers.TimerElapsedMs(), 0u) << "not timing";
    fake_ms = 12345;
    timers.TimerStart();
    EXPECT_EQ(timers.timer_state, TIMER_STARTED);
    EXPECT_EQ(timers.move_start_time, 12u);
    const struct {
        uint64_t move_limit, deadline_before, deadline_after, start, expires;
    } rows[] = {
        {0, 0, 0, 500, 5500},       {0, 0, 0, 20000, 25000},    {0, 0, 0, 20001, 25001},
        {0, 0, 0, 20999, 25999},    {0, 0, 20300, 20000, 20300}, {0, 20300, 0, 20000, 20300},
        {500, 0, 0, 20000, 20500}, {500, 0, 0, 31250, 31750},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE("start " + std::to_string(r.start) + ", expiry " + std::to_string(r.expires));
        timers.timer_state = TIMER_IDLE;
        timers.move_limit_ms = r.move_limit;
        timers.deadline_ms = r.deadline_before;  // a search's own, set before it starts the timer
        fake_ms = r.start;
        timers.TimerStart();
        if (r.deadline_before) { EXPECT_EQ(timers.deadline_ms, r.deadline_before); }
        if (r.deadline_after) timers.deadline_ms = r.deadline_after;
        fake_ms = r.expires - 1;
        EXPECT_EQ(timers.TimerExpired(), 0);
        EXPECT_EQ(timers.timer_state, TIMER_STARTED);
        EXPECT_EQ(timers.TimerElapsedMs(), r.expires - 1 - r.start);
        fake_ms = r.expires;
        EXPECT_EQ(timers.TimerExpired(), 1);
        EXPECT_EQ(timers.timer_state, TIMER_EXPIRED);
        fake_ms = r.expires + 100;
        EXPECT_EQ(timers.TimerExpired(), 1);  // for the rest of the move
    }
}

TEST_F(ClockTest, ElapsedIsNeverZeroWhileRunning) {
    fake_ms = 3000;
    timers.TimerStart();
    for (auto [ms, s] : {std::pair<uint64_t, uint64_t>{3000, 1}, {3999, 1}, {4000, 1}, {5000, 2}}) {
        fake_ms = ms;
        EXPECT_EQ(timers.TimerElapsed(), s) << ms;
    }
    // still counted after expiry, and never 0 if the tick count restarts
    timers.timer_state = TIMER_EXPIRED;
    fake_ms = 0;
    EXPECT_EQ(timers.TimerElapsed(), 1u);
}

// No iteration begins after 7 seconds at the short limits, nor after 70% of
// a long one: a player who gives the computer minutes gets them used.
TEST_F(ClockTest, TerminateAtSevenSecondsOrSevenTenthsOfALongLimit) {
    fake_ms = 100000;
    EXPECT_EQ(timers.TimerTerminate(0), 0);  // idle
    EXPECT_EQ(timers.TimerTerminate(1), 1);  // forced
    timers.TimerStart();
    EXPECT_EQ(timers.TimerTerminate(0), 0);
    EXPECT_EQ(timers.TimerTerminate(1), 1);
    for (auto [limit, soft] : {std::pair<uint64_t, uint64_t>{5, 7000}, {10, 7000}, {30, 21000}, {300, 210000}}) {
        timers.timer_limit = limit;
        fake_ms = 0;
        timers.TimerStart();
        fake_ms = soft - 1;
        EXPECT_EQ(timers.TimerTerminate(0), 0) << limit;
        fake_ms = soft;
        EXPECT_EQ(timers.TimerTerminate(0), 1) << limit;
        if (limit > 10) { EXPECT_EQ(timers.TimerExpired(), 0) << "the hard limit is further on"; }
    }
}

TEST_F(ClockTest, SecondTickCountsTheSideToMoveUnlessOffOrStopped) {
    core_hooks.redraw = CountRedraw;
    for (TIMERMODE_E mode : {TM_OFF, TM_STOPPED}) {
        timers.timermode = mode;
        for (int32_t move_num : {0, 1}) {
            state.position.move_num = move_num;
            EXPECT_EQ(secondtick(1000, nullptr), 1000u);
        }
    }
    EXPECT_EQ(timers.elapsed_time, 4u);
    EXPECT_EQ(timers.white_time + timers.black_time, 0u);
    for (TIMERMODE_E mode : {TM_BLACK, TM_WHITE, TM_ELAPSED, TM_ERROR}) {
        timers.timermode = mode;
        uint32_t w = timers.white_time, b = timers.black_time;
        state.position.move_num = 0;  // White to move
        secondtick(1000, nullptr);
        EXPECT_EQ(timers.white_time, w + 1);
        EXPECT_EQ(timers.black_time, b);
        state.position.move_num = 1;
        secondtick(1000, nullptr);
        secondtick(1000, nullptr);
        EXPECT_EQ(timers.white_time, w + 1);
        EXPECT_EQ(timers.black_time, b + 2);
    }
    EXPECT_EQ(timers.elapsed_time, 16u);
    EXPECT_EQ(redraws, 16);
    core_hooks.redraw = nullptr;  // no hook: the count goes on
    EXPECT_EQ(secondtick(1000, nullptr), 1000u);
    EXPECT_EQ(timers.elapsed_time, 17u);
}

// A result stops every count; a new game starts them from zero in the mode
// shown before, and a game that goes on runs again from where it stood.
TEST_F(ClockTest, AResultStopsTheClockANewGameResetsIt) {
    core_hooks.redraw = CountRedraw;
    timers.timermode = TM_WHITE;
    state.position.move_num = 0;
    secondtick(1000, nullptr);
    timers.GameOver();
    EXPECT_EQ(timers.timermode, TM_STOPPED);
    timers.GameOver();  // told twice: still the mode from before
    for (TIMERMODE_E shown : {TM_STOPPED, TM_ELAPSED, TM_BLACK}) {
        timers.timermode = shown;  // the T key after the end
        for (int i = 0; i < 3; i++) secondtick(1000, nullptr);
    }
    EXPECT_EQ(timers.elapsed_time, 1u);
    EXPECT_EQ(timers.white_time, 1u);
    EXPECT_EQ(timers.black_time, 0u);
    EXPECT_EQ(redraws, 10);  // the frame still comes every second
    timers.timermode = TM_STOPPED;
    timers.GoOn();
    EXPECT_EQ(timers.timermode, TM_WHITE);
    secondtick(1000, nullptr);
    EXPECT_EQ(timers.elapsed_time, 2u);
    timers.GameOver();
    timers.NewGame();
    EXPECT_EQ(timers.timermode, TM_WHITE);
    EXPECT_EQ(timers.elapsed_time, 0u);
    EXPECT_EQ(timers.white_time, 0u);
    EXPECT_FALSE(timers.standing);
    NewGameState(2);
    EXPECT_FALSE(timers.standing);
}

TEST_F(ClockTest, DeadlinePassesAtItsMillisecond) {
    fake_ms = ~0ull >> 1;
    EXPECT_FALSE(timers.DeadlinePassed());  // none set
    fake_ms = 10000;
    timers.SetDeadlineIn(250);
    EXPECT_EQ(timers.deadline_ms, 10250u);
    fake_ms = 10249;
    EXPECT_FALSE(timers.DeadlinePassed());
    fake_ms = 10250;
    EXPECT_TRUE(timers.DeadlinePassed());
    // a deadline at tick 0 is still a deadline, not "none"
    fake_ms = 0;
    timers.SetDeadlineIn(0);
    EXPECT_NE(timers.deadline_ms, 0u);
}

TEST_F(ClockTest, StartSecondTickWithoutSdlGoesOn) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(StartSecondTick(nullptr));
    std::string out = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.rfind("Panic: ", 0), 0u) << out;
    EXPECT_EQ(out.back(), '\n');
}

std::atomic<int> quick_fires{0};
uint32_t QuickTick(uint32_t, void*) {
    quick_fires++;
    return 0;  // once
}

// The real SDL timer thread, without a display: a one-shot 5 ms timer,
// secondtick itself on a 1 ms first interval (it then asks for 1000 ms and
// is removed before that), and start-up's registration of the tick.
TEST(ClockSdl, TimerSubsystemWorksHeadless) {
    void (*saved_redraw)() = core_hooks.redraw;
    core_hooks.redraw = nullptr;
    {
        SDL sdl(SDL_INIT_TIMER);
        ASSERT_TRUE(sdl.Initialized()) << SDL_GetError();
        EXPECT_EQ(sdl.m_window, nullptr);
        EXPECT_EQ(sdl.m_renderer, nullptr);
        SDL_TimerID quick = SDL_AddTimer(5, QuickTick, nullptr);
        ASSERT_NE(quick, 0) << SDL_GetError();
        uint32_t before = timers.elapsed_time;
        SDL_TimerID tick = SDL_AddTimer(1, secondtick, nullptr);
        ASSERT_NE(tick, 0) << SDL_GetError();
        uint64_t give_up = TickCount() + 1500;
        while ((quick_fires == 0 || timers.elapsed_time == before) && TickCount() < give_up) SDL_Delay(1);
        SDL_RemoveTimer(tick);
        EXPECT_EQ(quick_fires, 1);
        EXPECT_EQ(timers.elapsed_time, before + 1);
        // removed long before its first second
        EXPECT_TRUE(StartSecondTick(&sdl));
        EXPECT_NE(timers.TID, 0);
        EXPECT_STREQ(timers.time_string, "0:00:0");
        EXPECT_EQ(timers.init_time, timers.curr_time);
        EXPECT_TRUE(SDL_RemoveTimer(timers.TID));
        timers.TID = 0;
    }
    core_hooks.redraw = saved_redraw;
}

}  // namespace
