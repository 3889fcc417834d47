// The search timer and the once-a-second tick, then the players' clocks under a
// time control (increments, the flag, undo, saved games, PGN), on a fake tick count.
#include <gtest/gtest.h>
#include <unistd.h>

#include <SDL.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "cli.h"
#include "live_game.h"
#include "shell/clock.h"
#include "test_util.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {

uint64_t fake_ms = 0;
uint64_t FakeMs() { return fake_ms; }

int redraws = 0;
void CountRedraw() { redraws++; }

// A fresh clock on a fake tick count; the real source and hooks put back after.
class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        tick_source = FakeMs;
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

// Wall time in whole seconds, a deadline to its millisecond, and elapsed
// seconds that are never zero while the timer runs.
TEST_F(ClockTest, WallTimeDeadlinesAndElapsedSeconds) {
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

TEST_F(ClockTest, StartSecondTickWithoutSdlGoesOn) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(StartSecondTick(nullptr));
    std::string out = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.rfind("Panic: ", 0), 0u) << out;
    EXPECT_EQ(out.back(), '\n');
}

// The real SDL timer thread, without a display: secondtick itself on a 1 ms
// first interval (it then asks for 1000 ms and is removed before that), and
// start-up's registration of the tick.
TEST(ClockSdl, TimerSubsystemWorksHeadless) {
    void (*saved_redraw)() = core_hooks.redraw;
    core_hooks.redraw = nullptr;
    {
        SDL sdl(SDL_INIT_TIMER);
        ASSERT_TRUE(sdl.Initialized()) << SDL_GetError();
        EXPECT_EQ(sdl.m_window, nullptr);
        EXPECT_EQ(sdl.m_renderer, nullptr);
        uint32_t before = timers.elapsed_time;
        SDL_TimerID tick = SDL_AddTimer(1, secondtick, nullptr);
        ASSERT_NE(tick, 0) << SDL_GetError();
        uint64_t give_up = TickCount() + 1500;
        while (timers.elapsed_time == before && TickCount() < give_up) SDL_Delay(1);
        SDL_RemoveTimer(tick);
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

// --- the players' clocks ------------------------------------------------------

class GameClock : public ::testing::Test {
protected:
    void SetUp() override {
        tick_source = FakeMs;
        fake_ms = 1000;
    }
    void TearDown() override {
        tick_source = saved_source;
        game_clock = GAME_CLOCK_C();
        replay = -1;
        info_string[0] = 0;
    }
    // A new game of kind `dmode` under `control`, its clock running, and
    // `moves` played `step` ms apart.
    void TimedGame(int dmode, int control, const std::string& moves = "", uint64_t step = 0) {
        CLI_OPTIONS_T opt;
        opt.dmode = dmode;
        ASSERT_TRUE(SetUpGame(opt));
        StoreShared(state.tamzor, TAMZOR_OFF);
        game_clock.Reset(control, 0);
        game_clock.Run(true, fake_ms);
        Play(moves, step);
    }
    void Play(const std::string& moves, uint64_t step) {
        for (const std::string& m : SplitMoveList(moves)) {
            fake_ms += step;
            std::string error;
            bool played = false;
            Quietly([&] { played = PlayUserMoves(m, &error); });
            ASSERT_TRUE(played) << m << ": " << error;
        }
    }
    std::vector<long long> AfterMoves(int plies) {
        std::vector<long long> after;
        for (int ply = 1; ply <= plies; ply++) after.push_back(game_clock.AfterMove(ply));
        return after;
    }
    static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
    uint64_t (*saved_source)() = tick_source;
};

TEST_F(GameClock, TextsOfClocksAndControls) {
    for (auto [ms, text] : std::vector<std::pair<long long, std::string>>{
             {300000, "5:00"}, {10001, "0:11"}, {9999, "9.9"}, {0, "0.0"}, {3725000, "1:02:05"}})
        EXPECT_EQ(ClockText(ms), text) << ms;  // a clock shows the second it is in
    EXPECT_EQ(TimeControlTag(0), "-");
    EXPECT_EQ(TimeControlTag(3), "300+3");
    // a number no control has (a damaged file, an old menu) is untimed
    for (int i : {-1, TIME_CONTROLS, 1000}) EXPECT_EQ(TimeControlAt(i).base_s, 0) << i;
    for (int i = 0; i < TIME_CONTROLS; i++) EXPECT_EQ(TimeControlOfTag(TimeControlTag(i)), i);
    EXPECT_EQ(TimeControlOfTag("60"), 1);
    EXPECT_EQ(TimeControlOfTag("40/7200"), -1);
    // what is written reads back, to the tenth under a minute
    for (long long ms : {0LL, 7400LL, 59900LL, 298000LL, 3725000LL})
        EXPECT_EQ(ClockOfComment("Nf3 " + ClockComment(ms) + " good"), ms) << ClockComment(ms);
    EXPECT_EQ(ClockComment(298000), "[%clk 0:04:58]");
    EXPECT_EQ(ClockOfComment("[%clk 1:2]"), -1);
    EXPECT_EQ(ClockOfComment("no clock"), -1);
}

TEST_F(GameClock, TheSideToMoveSpendsItsTimeGainsItsIncrementAndFlagsAtZero) {
    GAME_CLOCK_C c;
    c.Reset(3, 0);  // 5+3
    EXPECT_EQ(c.LeftMs(1, 0), 300000);
    c.Run(true, 0);
    EXPECT_EQ(c.LeftMs(1, 1234), 300000 - 1234);  // milliseconds, not whole seconds
    EXPECT_EQ(c.LeftMs(-1, 1234), 300000);        // only the side to move runs
    c.Moved(1, 10000);
    EXPECT_EQ(c.LeftMs(1, 20000), 293000);
    EXPECT_EQ(c.AfterMove(1), 293000);
    EXPECT_EQ(c.LeftMs(-1, 20000), 290000);
    // a stopped clock (browsing, a result) counts nothing
    c.Run(false, 20000);
    EXPECT_EQ(c.LeftMs(-1, 90000), 290000);
    c.Run(true, 90000);
    c.Moved(2, 95000);
    EXPECT_EQ(c.AfterMove(2), 288000);
    EXPECT_EQ(c.LeftMs(1, 95000), 293000);
    // the untimed game counts nothing
    GAME_CLOCK_C u;
    u.Reset(0, 0);
    u.Run(true, 0);
    EXPECT_FALSE(u.Running());
    EXPECT_EQ(u.CheckFlag(1000000), 0);
    EXPECT_EQ(u.AfterMove(1), -1);
    // 1+0: the flag falls at zero and not before
    c.Reset(1, 0);
    c.Run(true, 500);
    EXPECT_EQ(c.CheckFlag(60499), 0);
    EXPECT_EQ(c.LeftMs(1, 60499), 1);
    EXPECT_EQ(c.CheckFlag(60500), 1);
    EXPECT_FALSE(c.Running());
    EXPECT_EQ(c.LeftMs(1, 99999), 0);
    // 3+2: a move that came after the time ran out earns no increment and loses
    c.Reset(2, 0);
    c.Run(true, 0);
    c.Moved(1, 180000);
    EXPECT_EQ(c.AfterMove(1), 0);
    EXPECT_EQ(c.CheckFlag(180001), 1);
}

TEST_F(GameClock, TimeOutIsDrawnWhenTheOtherSideCannotMate) {
    TimedGame(2, 1);
    std::string error;
    ASSERT_TRUE(SetUpFen("7k/8/8/8/8/8/8/K5Q1 w - - 0 1", &error)) << error;
    EXPECT_EQ(TimeLossResult(&state.position, 1), 2);  // a lone king cannot mate
    EXPECT_EQ(TimeLossResult(&state.position, -1), 1);
    state.position.winner = 1;  // won over the board, no flag down: no time-loss line
    EXPECT_EQ(TimeLossLine(&state.position), nullptr);
    ASSERT_TRUE(SetUpFen("7k/8/8/8/8/8/8/K6N w - - 0 1", &error)) << error;
    EXPECT_EQ(TimeLossResult(&state.position, -1), 2);  // nor a king and knight
    // 3D: the whole army wins on time; a king stripped of its army draws
    TimedGame(3, 1);
    POS_T* b = &state.position;
    EXPECT_EQ(TimeLossResult(b, 1), -1);
    EXPECT_EQ(TimeLossResult(b, -1), 1);
    for (int i = 17; i < 32; i++)
        if (b->pieces[i].p) RemovePiece(b, &b->pieces[i]);
    EXPECT_EQ(TimeLossResult(b, 1), 2);
    EXPECT_EQ(TimeLossResult(b, -1), 1);
}

TEST_F(GameClock, UndoGivesBackTheClocksOfThatPly) {
    TimedGame(2, 3, "e2e4 e7e5 g1f3 b8c6 f1c4", 7000);
    EXPECT_EQ(game_clock.LeftMs(1, fake_ms), 300000 - 3 * 7000 + 3 * 3000);
    EXPECT_EQ(game_clock.LeftMs(-1, fake_ms), 300000 - 2 * 7000 + 2 * 3000);
    const std::vector<long long> after = AfterMoves(5);
    // what a browsed ply shows: the times it was reached with, the mover's its clock after the move
    long long w = -1, b = -1;
    for (int ply = 1; ply <= 5; ply++) {
        ASSERT_TRUE(game_clock.TimesAt(ply, &w, &b)) << ply;
        EXPECT_EQ(ply % 2 ? w : b, after[ply - 1]) << ply;
    }
    EXPECT_FALSE(game_clock.TimesAt(6, &w, &b));
    EXPECT_FALSE(game_clock.TimesAt(-1, &w, &b));
    fake_ms += 50000;
    Quietly([] { UndoMoves(2); });
    ASSERT_EQ(state.position.move_num, 3);
    EXPECT_EQ(game_clock.LeftMs(-1, fake_ms), after[1]);  // Black to move, as after its first move
    EXPECT_EQ(game_clock.LeftMs(1, fake_ms), after[2]);
    // the game goes on from there: the new move's clock replaces the old one
    Play("f8c5", 1000);
    EXPECT_EQ(game_clock.AfterMove(4), after[1] - 1000 + 3000);
    EXPECT_EQ(game_clock.AfterMove(3), after[2]);
}

TEST_F(GameClock, ASavedGameKeepsItsControlAndClocks) {
    const SCRATCH_DIR_T scratch("tamzor_game_clock_");
    char old_dir[4096];
    ASSERT_NE(getcwd(old_dir, sizeof old_dir), nullptr);
    ASSERT_EQ(chdir(scratch.path.c_str()), 0);
    TimedGame(2, 4, "d2d4 d7d5", 12345);
    const long long white = game_clock.LeftMs(1, fake_ms), black = game_clock.LeftMs(-1, fake_ms);
    Quietly([] {
        EXPECT_TRUE(SaveGame(0));
        game_clock.Reset(0, 0);
        EXPECT_TRUE(RestoreGame(0));
    });
    EXPECT_EQ(game_clock.Control(), 4);
    EXPECT_EQ(game_clock.LeftMs(1, fake_ms), (white + 99) / 100 * 100);  // kept to the tenth
    EXPECT_EQ(game_clock.LeftMs(-1, fake_ms), (black + 99) / 100 * 100);
    EXPECT_FALSE(game_clock.Running());
    // an old file has zeros where the clocks are, or no control of ours: an untimed game
    STATE_T old;
    memset(&old, 0, sizeof old);
    for (int control : {0, 200}) {
        old.clock_control = control;
        game_clock.FromState(old);
        EXPECT_FALSE(game_clock.Timed()) << control;
    }
    ASSERT_EQ(chdir(old_dir), 0);
}

TEST_F(GameClock, PgnCarriesTheControlAndEveryMovesClockBothWays) {
    ASSERT_EQ(access("/usr/games/pgn-extract", X_OK), 0) << "pgn-extract is not installed";
    TimedGame(2, 3, "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4", 4321);
    const std::vector<long long> after = AfterMoves(7);
    const std::string pgn = PgnText(PGN_TAGS_T());
    EXPECT_TRUE(Has(pgn, "[TimeControl \"300+3\"]")) << pgn;
    EXPECT_TRUE(Has(pgn, "1. e4 {" + ClockComment(after[0]) + "} c5 {" + ClockComment(after[1]) + "}")) << pgn;
    EXPECT_EQ(ClockComment(after[0]), "[%clk 0:04:58]");
    // another program reads it without a complaint
    const SCRATCH_DIR_T scratch("tamzor_game_clock_pgn_");
    const std::string path = scratch.path + "/timed.pgn";
    std::ofstream(path) << pgn;
    int status = -1;
    const std::string said =
        CommandOutput("/usr/games/pgn-extract -o " + scratch.path + "/out.pgn " + path + " 2>&1", &status);
    EXPECT_EQ(status, 0) << said;
    EXPECT_TRUE(Has(said, "1 game matched out of 1.")) << said;
    for (const char* complaint : {"rror", "llegal", "nknown", "ailed"}) EXPECT_FALSE(Has(said, complaint)) << said;
    std::ifstream in(scratch.path + "/out.pgn");
    const std::string out((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(Has(out, "[%clk 0:04:58]")) << out;
    // read back, the clocks go on from the last comments; undo finds the earlier ones
    game_clock.Reset(0, 0);
    std::string error;
    ASSERT_TRUE(PgnLoadGame(out, 1, &error)) << error;
    EXPECT_EQ(game_clock.Control(), 3);
    EXPECT_EQ(game_clock.LeftMs(-1, fake_ms), after[5] / 1000 * 1000);  // Black to move: its last clock
    EXPECT_EQ(game_clock.LeftMs(1, fake_ms), after[6] / 1000 * 1000);
    for (int ply = 1; ply <= 7; ply++) EXPECT_EQ(game_clock.AfterMove(ply), after[ply - 1] / 1000 * 1000) << ply;
    // a file with no TimeControl is untimed, and is written as it was
    ASSERT_TRUE(PgnLoadGame("[Event \"x\"]\n\n1. e4 {[%clk 0:00:05]} e5 *\n", 1, &error)) << error;
    EXPECT_FALSE(game_clock.Timed());
    EXPECT_FALSE(Has(PgnText(PGN_TAGS_T()), "TimeControl"));
    EXPECT_FALSE(Has(PgnText(PGN_TAGS_T()), "%clk"));
    // one of another control keeps its tag, and is played untimed
    ASSERT_TRUE(PgnLoadGame("[Event \"x\"]\n[TimeControl \"40/7200\"]\n\n1. e4 *\n", 1, &error)) << error;
    EXPECT_FALSE(game_clock.Timed());
    EXPECT_TRUE(Has(PgnText(PGN_TAGS_T()), "[TimeControl \"40/7200\"]"));
    // an untimed game of our own says so
    TimedGame(2, 0, "e2e4");
    EXPECT_TRUE(Has(PgnText(PGN_TAGS_T()), "[TimeControl \"-\"]"));
    // 3D games carry clocks too
    TimedGame(3, 2, "e2a3 g7g5", 2500);
    const std::string pgn3 = PgnText(PGN_TAGS_T());
    EXPECT_TRUE(Has(pgn3, "[TimeControl \"180+2\"]")) << pgn3;
    EXPECT_TRUE(Has(pgn3, "{[%clk 0:02:59]}")) << pgn3;
    game_clock.Reset(0, 0);
    ASSERT_TRUE(PgnLoadGame(pgn3, 1, &error)) << error;
    EXPECT_EQ(game_clock.Control(), 2);
    EXPECT_EQ(game_clock.LeftMs(1, fake_ms), 179000);
}

// A position set up with Black to move runs Black's clock, however the game began.
TEST_F(GameClock, ASetUpPositionRunsTheClockOfItsSideToMove) {
    TimedGame(2, 3);
    std::string error;
    ASSERT_TRUE(SetUpFen("4k3/8/8/8/8/8/8/4K2R b K - 0 1", &error)) << error;
    EXPECT_EQ(game_clock.Control(), 3);  // a new game keeps the control chosen
    KeepGameClock(fake_ms);
    fake_ms += 5000;
    EXPECT_EQ(game_clock.LeftMs(-1, fake_ms), 295000);
    EXPECT_EQ(game_clock.LeftMs(1, fake_ms), 300000);
}

// The window's side: choosing a control, the clock running only while the
// game is on, and the end on time told on the info line and in the record.
TEST_F(GameClock, TheWindowRunsTheClockAndEndsTheGameOnTime) {
    TimedGame(2, 0);
    Quietly([] { ChooseTimeControl(1, fake_ms); });  // no move yet: this game
    EXPECT_EQ(game_clock.Control(), 1);
    EXPECT_TRUE(Has(info_string, "1+0")) << info_string;
    EXPECT_TRUE(KeepGameClock(fake_ms));
    EXPECT_TRUE(game_clock.Running());
    Play("e2e4", 20000);
    replay = 0;  // browsing stops it
    KeepGameClock(fake_ms);
    EXPECT_FALSE(game_clock.Running());
    fake_ms += 100000;
    EXPECT_EQ(game_clock.LeftMs(-1, fake_ms), 60000);
    replay = -1;
    KeepGameClock(fake_ms);
    EXPECT_TRUE(game_clock.Running());
    Quietly([] { ChooseTimeControl(3, fake_ms); });  // chosen during the game: for the next one
    EXPECT_EQ(game_clock.Control(), 1);
    EXPECT_EQ(game_clock.chosen, 3);
    char label[32];
    EXPECT_EQ(CurrentSetting(SET_TIME_CONTROL), 3);  // the menu marks the next game's control
    EXPECT_STREQ(SettingLabel(SET_TIME_CONTROL, 3, 3, label, sizeof label), ">5+3");
    EXPECT_STREQ(SettingLabel(SET_TIME_CONTROL, 1, 3, label, sizeof label), " 1+0");
    EXPECT_TRUE(Has(info_string, "next game")) << info_string;
    fake_ms += 59999;
    KeepGameClock(fake_ms);
    EXPECT_EQ(state.position.winner, 0);
    fake_ms += 1;
    const std::string said = Quietly([] { KeepGameClock(fake_ms); });
    EXPECT_EQ(state.position.winner, 1);
    EXPECT_STREQ(info_string, "Black loses on time: White wins on time");
    EXPECT_TRUE(Has(said, "Black loses on time"));
    EXPECT_STREQ(ResultLine(&state.position), "1-0 Black loses on time");
    EXPECT_FALSE(GameInProgress());
    const std::string pgn = PgnText(PGN_TAGS_T());
    EXPECT_TRUE(Has(pgn, "[Result \"1-0\"]")) << pgn;
    EXPECT_TRUE(Has(pgn, "[Termination \"time forfeit\"]")) << pgn;
    EXPECT_TRUE(Has(pgn, "1. e4 {[%clk 0:00:40.0]} 1-0")) << pgn;
    // the result stands: no move is taken, a legal one neither, nothing runs,
    // and undo gives the game back
    MOVE_T e5;
    InitMove(&e5, B_PAWN, E7, E5, INF_VALUE, '-', false);
    Quietly([&] { PlayPlayersMove(&e5, true); });
    EXPECT_EQ(state.position.move_num, 1);
    EXPECT_STREQ(info_string, "e5: the game is over");
    fake_ms += 5000;
    KeepGameClock(fake_ms);
    EXPECT_FALSE(game_clock.Running());
    Quietly([] { UndoMoves(1); });
    EXPECT_EQ(state.position.winner, 0);
    EXPECT_EQ(game_clock.Flagged(), 0);
    EXPECT_EQ(game_clock.LeftMs(1, fake_ms), 60000);
    game_clock.NewGame();  // the next new game takes the control chosen
    EXPECT_EQ(game_clock.Control(), 3);
}

}  // namespace
