// The game clock and search timer, driven by a fake tick count.
#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <cstring>

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
        saved_source = tick_source;
        saved_redraw = core_hooks.redraw;
        saved_move_num = state.position.move_num;
        tick_source = FakeTicks;
        fake_ms = 0;
        redraws = 0;
        timers.elapsed_time = timers.white_time = timers.black_time = 0;
        timers.timer_limit = 5;
        timers.timer_state = TIMER_IDLE;
        timers.move_start_time = 0;
        timers.timermode = TM_OFF;
        timers.deadline_ms = 0;
        timers.move_limit_ms = 0;
        timers.standing = false;
        timers.mode_before_stop = TM_OFF;
    }
    void TearDown() override {
        tick_source = saved_source;
        core_hooks.redraw = saved_redraw;
        state.position.move_num = saved_move_num;
        timers.timer_state = TIMER_IDLE;
        timers.timermode = TM_OFF;
        timers.deadline_ms = 0;
        timers.move_limit_ms = 0;
    }
    uint64_t (*saved_source)() = nullptr;
    void (*saved_redraw)() = nullptr;
    int32_t saved_move_num = 0;
};

TEST_F(ClockTest, PrintTimeStringFormatsHoursMinutesSeconds) {
    EXPECT_EQ(timers.PrintTimeString(3725), 1);
    EXPECT_STREQ(timers.time_string, "1:02:05");
    timers.PrintTimeString(0);
    EXPECT_STREQ(timers.time_string, "0:00:00");
    timers.PrintTimeString(59);
    EXPECT_STREQ(timers.time_string, "0:00:59");
    timers.PrintTimeString(36000);
    EXPECT_STREQ(timers.time_string, "10:00:00");
}

TEST_F(ClockTest, ConstructorStartsOffAndAtZero) {
    TIMERS_C t;
    EXPECT_EQ(t.timermode, TM_OFF);
    EXPECT_EQ(t.init_time, 0u);
    EXPECT_EQ(t.curr_time, 0u);
    EXPECT_EQ(t.elapsed_time, 0u);
    EXPECT_EQ(t.white_time, 0u);
    EXPECT_EQ(t.black_time, 0u);
    EXPECT_EQ(t.timer_state, TIMER_IDLE);
    EXPECT_EQ(t.deadline_ms, 0u);
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

TEST_F(ClockTest, TimerStartMarksTheMove) {
    fake_ms = 12345;
    timers.TimerStart();
    EXPECT_EQ(timers.timer_state, TIMER_STARTED);
    EXPECT_EQ(timers.move_start_time, 12u);
}

TEST_F(ClockTest, ExpiresWhenFiveSecondsPassWithLimitFive) {
    fake_ms = 500;
    timers.TimerStart();
    fake_ms = 5499;
    EXPECT_EQ(timers.TimerExpired(), 0);
    EXPECT_EQ(timers.timer_state, TIMER_STARTED);
    fake_ms = 5500;
    EXPECT_EQ(timers.TimerExpired(), 1);
    EXPECT_EQ(timers.timer_state, TIMER_EXPIRED);
    // Stays expired for the rest of the move.
    fake_ms = 5600;
    EXPECT_EQ(timers.TimerExpired(), 1);
}

TEST_F(ClockTest, ExpiredIsZeroWhileIdle) {
    fake_ms = 1000000;
    EXPECT_EQ(timers.TimerExpired(), 0);
    EXPECT_EQ(timers.timer_state, TIMER_IDLE);
}

TEST_F(ClockTest, ElapsedIsNeverZeroWhileRunning) {
    fake_ms = 3000;
    timers.TimerStart();
    EXPECT_EQ(timers.TimerElapsed(), 1u);
    fake_ms = 3999;
    EXPECT_EQ(timers.TimerElapsed(), 1u);
    fake_ms = 4000;
    EXPECT_EQ(timers.TimerElapsed(), 1u);
    fake_ms = 5000;
    EXPECT_EQ(timers.TimerElapsed(), 2u);
    // Still counted after expiry, and never 0 if the tick count restarts.
    timers.timer_state = TIMER_EXPIRED;
    fake_ms = 0;
    EXPECT_EQ(timers.TimerElapsed(), 1u);
}

// No iteration begins after 7 seconds at the short limits, nor after 70% of
// a long one: a player who gives the computer minutes gets them used.
TEST_F(ClockTest, TerminateAtSevenSecondsOrSevenTenthsOfALongLimit) {
    for (auto [limit, soft] : {std::pair<uint64_t, uint64_t>{5, 7000}, {10, 7000}, {30, 21000}, {300, 210000}}) {
        timers.timer_limit = limit;
        fake_ms = 0;
        timers.TimerStart();
        fake_ms = soft - 1;
        EXPECT_EQ(timers.TimerTerminate(0), 0) << limit;
        fake_ms = soft;
        EXPECT_EQ(timers.TimerTerminate(0), 1) << limit;
        if (limit > 10) {
            EXPECT_EQ(timers.TimerExpired(), 0) << "the hard limit is further on";
        }
    }
}

TEST_F(ClockTest, TerminateIdleAndForced) {
    fake_ms = 100000;
    EXPECT_EQ(timers.TimerTerminate(0), 0);
    EXPECT_EQ(timers.TimerTerminate(1), 1);
    timers.TimerStart();
    EXPECT_EQ(timers.TimerTerminate(0), 0);
    EXPECT_EQ(timers.TimerTerminate(1), 1);
}

TEST_F(ClockTest, SecondTickCountsOnlyElapsedWhenOffOrStopped) {
    core_hooks.redraw = CountRedraw;
    for (TIMERMODE_E mode : {TM_OFF, TM_STOPPED}) {
        timers.timermode = mode;
        for (int32_t move_num : {0, 1}) {
            state.position.move_num = move_num;
            uint32_t e = timers.elapsed_time;
            EXPECT_EQ(secondtick(1000, nullptr), 1000u);
            EXPECT_EQ(timers.elapsed_time, e + 1);
        }
    }
    EXPECT_EQ(timers.white_time, 0u);
    EXPECT_EQ(timers.black_time, 0u);
    EXPECT_EQ(redraws, 4);
}

TEST_F(ClockTest, SecondTickCountsTheSideToMove) {
    core_hooks.redraw = CountRedraw;
    for (TIMERMODE_E mode : {TM_BLACK, TM_WHITE, TM_ELAPSED, TM_ERROR}) {
        timers.timermode = mode;
        uint32_t w = timers.white_time, b = timers.black_time;
        state.position.move_num = 0;  // White to move
        secondtick(1000, nullptr);
        EXPECT_EQ(timers.white_time, w + 1);
        EXPECT_EQ(timers.black_time, b);
        state.position.move_num = 1;  // Black to move
        secondtick(1000, nullptr);
        secondtick(1000, nullptr);
        EXPECT_EQ(timers.white_time, w + 1);
        EXPECT_EQ(timers.black_time, b + 2);
    }
    EXPECT_EQ(timers.elapsed_time, 12u);
    EXPECT_EQ(redraws, 12);
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

TEST_F(ClockTest, SecondTickWithoutRedrawHook) {
    core_hooks.redraw = nullptr;
    EXPECT_EQ(secondtick(1000, nullptr), 1000u);
    EXPECT_EQ(timers.elapsed_time, 1u);
}

TEST_F(ClockTest, DeadlineOffByDefault) {
    fake_ms = ~0ull >> 1;
    EXPECT_FALSE(timers.DeadlinePassed());
}

TEST_F(ClockTest, DeadlinePassesAtItsMillisecond) {
    fake_ms = 10000;
    timers.SetDeadlineIn(250);
    EXPECT_EQ(timers.deadline_ms, 10250u);
    fake_ms = 10249;
    EXPECT_FALSE(timers.DeadlinePassed());
    fake_ms = 10250;
    EXPECT_TRUE(timers.DeadlinePassed());
    // A deadline at tick 0 is still a deadline, not "none".
    fake_ms = 0;
    timers.SetDeadlineIn(0);
    EXPECT_NE(timers.deadline_ms, 0u);
}

TEST_F(ClockTest, DeadlineExpiresTheSearchBeforeTheWholeSecondLimit) {
    fake_ms = 20000;
    timers.TimerStart();
    timers.deadline_ms = 20300;
    fake_ms = 20299;
    EXPECT_EQ(timers.TimerExpired(), 0);
    fake_ms = 20300;
    EXPECT_EQ(timers.TimerExpired(), 1);
}

// A limit finer than whole seconds holds for every move, from its own start.
TEST_F(ClockTest, MoveLimitInMillisecondsRunsFromEachMovesStart) {
    timers.move_limit_ms = 500;
    for (uint64_t start : {20000u, 31250u}) {
        fake_ms = start;
        timers.TimerStart();
        fake_ms = start + 499;
        EXPECT_EQ(timers.TimerExpired(), 0) << start;
        fake_ms = start + 500;
        EXPECT_EQ(timers.TimerExpired(), 1) << start;
        timers.timer_state = TIMER_IDLE;
    }
}

TEST_F(ClockTest, WithoutAMoveLimitTimerStartKeepsTheDeadlineSet) {
    fake_ms = 20000;
    timers.deadline_ms = 20300;  // a search's own, set before it starts the timer
    timers.TimerStart();
    EXPECT_EQ(timers.deadline_ms, 20300u);
}

// The limit in seconds is counted in milliseconds from the start of the
// search, wherever in a second it began: 5 s is 5 s, never up to 6.
TEST_F(ClockTest, TheLimitInSecondsRunsFromTheSearchsStart) {
    for (uint64_t start : {20000u, 20001u, 20999u}) {
        fake_ms = start;
        timers.TimerStart();
        fake_ms = start + 4999;
        EXPECT_EQ(timers.TimerExpired(), 0) << start;
        EXPECT_EQ(timers.TimerElapsedMs(), 4999u);
        fake_ms = start + 5000;
        EXPECT_EQ(timers.TimerExpired(), 1) << start;
        timers.timer_state = TIMER_IDLE;
    }
    EXPECT_EQ(timers.TimerElapsedMs(), 0u) << "not timing";
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
        while ((quick_fires == 0 || timers.elapsed_time == before) && TickCount() < give_up)
            SDL_Delay(1);
        SDL_RemoveTimer(tick);
        EXPECT_EQ(quick_fires, 1);
        EXPECT_EQ(timers.elapsed_time, before + 1);

        // Removed long before its first second.
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
