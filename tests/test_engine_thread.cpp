// The engine thread: it plays through the live game under the game lock,
// stops at once when asked, and shares nothing unguarded with another thread
// working on the live position meanwhile (run under ThreadSanitizer by
// `make test-tsan`).
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "cli.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"
#include "engine_game.h"
#include "test_util.h"

namespace {

using namespace std::chrono_literals;

void NewGame(int dmode) { NewEngineGame(dmode); }

int MoveNum() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    return state.position.move_num;
}

// Waits (calling the idle function, as the window does) until the game
// reaches `plies` or ends, or `limit` passes.
bool WaitForPlies(int plies, std::chrono::seconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        TamzorIdleFunc();
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            if (state.position.move_num >= plies || state.position.winner) return true;
        }
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

// Replays the game record from the start: every move the engine played must be legal.
void ExpectRecordReplays(int dmode) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    const int n = state.position.move_num;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(RebuildGame(n, false, "test", "record does not replay"));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(state.position.move_num, n);
    EXPECT_EQ(state.dmode, dmode);
}

TEST(EngineThread, PlaysBothSidesOfAShortGame) {
    for (int dmode : {2, 3}) {
        NewGame(dmode);
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            state.demo_mode = 1;
            StoreShared(state.tamzor, TAMZOR_WHITE);
        }
        testing::internal::CaptureStdout();
        Clutch(1);
        bool reached = WaitForPlies(6, 120s);
        Clutch(0);
        std::string out = testing::internal::GetCapturedStdout();
        ASSERT_TRUE(reached) << "dmode " << dmode;
        EXPECT_NE(out.find("\n1. "), std::string::npos) << out;
        EXPECT_NE(out.find("\n1. ... "), std::string::npos) << out;
        ExpectRecordReplays(dmode);
    }
}

TEST(EngineThread, DoesNothingWhenSwitchedOff) {
    NewGame(2);
    Clutch(1);
    std::this_thread::sleep_for(300ms);
    Clutch(0);
    EXPECT_EQ(MoveNum(), 0);
}

// Starts a long think for White and waits until it is under way.
void StartLongThink() {
    NewGame(2);
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        StoreShared(state.maxdepth, DIFF_HARD);
        timers.timer_limit = 300;
        StoreShared(state.tamzor, TAMZOR_WHITE);
    }
    Clutch(1);
    auto end = std::chrono::steady_clock::now() + 10s;
    while (!makemovebusy && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(makemovebusy.load());
}

TEST(EngineThread, ClutchOffStopsARunningSearch) {
    StartLongThink();
    auto t0 = std::chrono::steady_clock::now();
    Clutch(0);
    auto waited = std::chrono::steady_clock::now() - t0;
    EXPECT_LT(waited, 5s);  // against a 300 s time limit
    EXPECT_FALSE(makemovebusy.load());
    EXPECT_FALSE(EngineEngaged());
    EXPECT_EQ(MoveNum(), 0);  // the interrupted search played nothing
}

TEST(EngineThread, ChangingSidesStopsTheSearch) {
    StartLongThink();
    StoreShared(state.tamzor, TAMZOR_BLACK);  // the computer now plays Black; White is to move
    auto end = std::chrono::steady_clock::now() + 5s;
    while (makemovebusy && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(makemovebusy.load());
    EXPECT_EQ(MoveNum(), 0);
    Clutch(0);
}

// The tick count of the clock, one second and a little on when the test
// began: a search started at once begins just past a whole second, where
// counting the limit in whole seconds would give it a second more.
std::chrono::steady_clock::time_point ticks_zero;
uint64_t TicksJustPastASecond() {
    return 1001 + (uint64_t)std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                                 ticks_zero)
                      .count();
}

// The computer's reply comes within its time limit and a few tenths, and it
// uses that time (hard, from the start: nothing ends the search sooner).
TEST(EngineThread, TheReplyComesWithinTheTimeLimit) {
    NewGame(2);
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        StoreShared(state.maxdepth, DIFF_HARD);
        timers.timer_limit = 1;
    }
    uint64_t (*saved_ticks)() = tick_source;
    ticks_zero = std::chrono::steady_clock::now();
    tick_source = TicksJustPastASecond;
    StoreShared(state.tamzor, TAMZOR_WHITE);
    testing::internal::CaptureStdout();
    Clutch(1);
    auto give_up = std::chrono::steady_clock::now() + 20s;
    while (!makemovebusy && std::chrono::steady_clock::now() < give_up) std::this_thread::sleep_for(1ms);
    const auto start = std::chrono::steady_clock::now();
    while (MoveNum() == 0 && std::chrono::steady_clock::now() < give_up) std::this_thread::sleep_for(1ms);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Clutch(0);
    testing::internal::GetCapturedStdout();
    tick_source = saved_ticks;
    timers.timer_limit = 5;
    ASSERT_EQ(MoveNum(), 1);
    EXPECT_GE(took, 0.9);
    // a loaded machine may be slow to end the search; counted in whole
    // seconds the limit ran to 2 s
    EXPECT_LT(took, 1.6);
}

TEST(EngineThread, InterfaceWorkMeanwhileBreaksNothing) {
    // The engine plays both sides while this thread, like the window, keeps
    // reading the live position, listing its moves and building the spread map.
    for (int dmode : {2, 3}) {
        NewGame(dmode);
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            state.demo_mode = 1;
            StoreShared(state.tamzor, TAMZOR_WHITE);
        }
        testing::internal::CaptureStdout();
        Clutch(1);
        auto end = std::chrono::steady_clock::now() + 60s;
        int queries = 0;
        MOVE_T list[MOVE_LIST_SIZE];
        while (std::chrono::steady_clock::now() < end) {
            TamzorIdleFunc();
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            POS_T* b = &state.position;
            if (b->move_num >= 8 || b->winner) break;
            int n = GetMoveCount(b, list);
            ASSERT_GT(n, 0);
            state.selected = list[queries % n].from;
            GenerateSpreadmap(b);
            POS_T copy = *b;
            MOVE_T m = list[queries % n];
            DoMove(&copy, b, &m);
            queries++;
        }
        Clutch(0);
        testing::internal::GetCapturedStdout();
        EXPECT_GT(queries, 10);
        ExpectRecordReplays(dmode);
    }
}

}  // namespace

// Work beside the game (a hint, a review) runs on the engine thread, plays
// for no side and leaves the game as it was; a cancel stops it at once.
TEST(EngineThread, TasksAnalyseBesideTheGame) {
    for (int dmode : {2, 3}) {
        NewGame(dmode);
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            StoreShared(state.tamzor, TAMZOR_BLACK);  // the player (White) is on move
            StoreShared(state.stop_search, 1);
        }
        Clutch(1);
        std::atomic<bool> done{false};
        MOVE_T found;
        ZeroMove(&found);
        EngineRunTask([&] {
            static POS_T copy;
            {
                std::lock_guard<std::recursive_mutex> lock(GameMutex());
                copy = state.position;
            }
            SEARCH_LIMITS_T limits;
            limits.seconds = 0.5;
            limits.cancel = &EngineTaskCancel();
            EngineSearch(&copy, &found, limits, nullptr);
            done = true;
        });
        auto end = std::chrono::steady_clock::now() + 20s;
        while (!done && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
        EXPECT_TRUE(done) << "dmode " << dmode;
        EXPECT_FALSE(EngineTasksPending());
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            EXPECT_TRUE(ListedMove(&state.position, &found)) << "dmode " << dmode;
            EXPECT_EQ(LoadShared(state.tamzor), TAMZOR_BLACK);
            EXPECT_EQ(LoadShared(state.stop_search), 1);
            EXPECT_EQ(state.position.move_num, 0);
        }

        // a long analysis cancelled, and a task queued behind it dropped
        std::atomic<bool> started{false}, finished{false}, second{false};
        EngineRunTask([&] {
            static POS_T copy;
            {
                std::lock_guard<std::recursive_mutex> lock(GameMutex());
                copy = state.position;
            }
            SEARCH_LIMITS_T limits;
            limits.seconds = 60;
            limits.no_soft_limit = true;
            limits.cancel = &EngineTaskCancel();
            MOVE_T m;
            started = true;
            EngineSearch(&copy, &m, limits, nullptr);
            finished = true;
        });
        EngineRunTask([&] { second = true; });
        end = std::chrono::steady_clock::now() + 20s;
        timers.timer_limit = 10;
        while (!started && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
        std::this_thread::sleep_for(100ms);
        // the analysis's own limit leaves the player's, which a menu shows and a choice changes
        EXPECT_EQ(timers.timer_limit.load(), 10u);
        EXPECT_EQ(timers.LimitS(), 60u);
        timers.timer_limit = 30;
        const auto cancelled_at = std::chrono::steady_clock::now();
        EngineCancelTasks();
        while (!finished && std::chrono::steady_clock::now() < cancelled_at + 20s)
            std::this_thread::sleep_for(5ms);
        EXPECT_TRUE(finished);
        EXPECT_EQ(timers.timer_limit.load(), 30u) << "a choice made meanwhile stays";
        EXPECT_EQ(timers.LimitS(), 30u);
        timers.timer_limit = 5;
        Clutch(0);
        EXPECT_FALSE(second);
        EXPECT_FALSE(EngineTasksPending());
    }
}
