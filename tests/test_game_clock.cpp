// The players' clocks under a time control: counting, increments, the flag,
// undo, saved games and PGN, on a fake tick count.
#include <gtest/gtest.h>
#include <unistd.h>

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
#include "position/position.h"
#include "shell/shell.h"

namespace {

uint64_t now_ms = 0;
uint64_t FakeTicks() { return now_ms; }

class GameClock : public ::testing::Test {
protected:
    void SetUp() override {
        tick_source = FakeTicks;
        now_ms = 1000;
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
        game_clock.Run(true, now_ms);
        Play(moves, step);
    }
    void Play(const std::string& moves, uint64_t step) {
        for (const std::string& m : SplitMoveList(moves)) {
            now_ms += step;
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
    EXPECT_EQ(game_clock.LeftMs(1, now_ms), 300000 - 3 * 7000 + 3 * 3000);
    EXPECT_EQ(game_clock.LeftMs(-1, now_ms), 300000 - 2 * 7000 + 2 * 3000);
    const std::vector<long long> after = AfterMoves(5);
    // what a browsed ply shows: the times it was reached with, the mover's its clock after the move
    long long w = -1, b = -1;
    for (int ply = 1; ply <= 5; ply++) {
        ASSERT_TRUE(game_clock.TimesAt(ply, &w, &b)) << ply;
        EXPECT_EQ(ply % 2 ? w : b, after[ply - 1]) << ply;
    }
    EXPECT_FALSE(game_clock.TimesAt(6, &w, &b));
    EXPECT_FALSE(game_clock.TimesAt(-1, &w, &b));
    now_ms += 50000;
    Quietly([] { UndoMoves(2); });
    ASSERT_EQ(state.position.move_num, 3);
    EXPECT_EQ(game_clock.LeftMs(-1, now_ms), after[1]);  // Black to move, as after its first move
    EXPECT_EQ(game_clock.LeftMs(1, now_ms), after[2]);
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
    const long long white = game_clock.LeftMs(1, now_ms), black = game_clock.LeftMs(-1, now_ms);
    Quietly([] {
        EXPECT_TRUE(SaveGame(0));
        game_clock.Reset(0, 0);
        EXPECT_TRUE(RestoreGame(0));
    });
    EXPECT_EQ(game_clock.Control(), 4);
    EXPECT_EQ(game_clock.LeftMs(1, now_ms), (white + 99) / 100 * 100);  // kept to the tenth
    EXPECT_EQ(game_clock.LeftMs(-1, now_ms), (black + 99) / 100 * 100);
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
    EXPECT_EQ(game_clock.LeftMs(-1, now_ms), after[5] / 1000 * 1000);  // Black to move: its last clock
    EXPECT_EQ(game_clock.LeftMs(1, now_ms), after[6] / 1000 * 1000);
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
    EXPECT_EQ(game_clock.LeftMs(1, now_ms), 179000);
}

// A position set up with Black to move runs Black's clock, however the game began.
TEST_F(GameClock, ASetUpPositionRunsTheClockOfItsSideToMove) {
    TimedGame(2, 3);
    std::string error;
    ASSERT_TRUE(SetUpFen("4k3/8/8/8/8/8/8/4K2R b K - 0 1", &error)) << error;
    EXPECT_EQ(game_clock.Control(), 3);  // a new game keeps the control chosen
    KeepGameClock(now_ms);
    now_ms += 5000;
    EXPECT_EQ(game_clock.LeftMs(-1, now_ms), 295000);
    EXPECT_EQ(game_clock.LeftMs(1, now_ms), 300000);
}

// The window's side: choosing a control, the clock running only while the
// game is on, and the end on time told on the info line and in the record.
TEST_F(GameClock, TheWindowRunsTheClockAndEndsTheGameOnTime) {
    TimedGame(2, 0);
    Quietly([] { ChooseTimeControl(1, now_ms); });  // no move yet: this game
    EXPECT_EQ(game_clock.Control(), 1);
    EXPECT_TRUE(Has(info_string, "1+0")) << info_string;
    EXPECT_TRUE(KeepGameClock(now_ms));
    EXPECT_TRUE(game_clock.Running());
    Play("e2e4", 20000);
    replay = 0;  // browsing stops it
    KeepGameClock(now_ms);
    EXPECT_FALSE(game_clock.Running());
    now_ms += 100000;
    EXPECT_EQ(game_clock.LeftMs(-1, now_ms), 60000);
    replay = -1;
    KeepGameClock(now_ms);
    EXPECT_TRUE(game_clock.Running());
    Quietly([] { ChooseTimeControl(3, now_ms); });  // chosen during the game: for the next one
    EXPECT_EQ(game_clock.Control(), 1);
    EXPECT_EQ(game_clock.chosen, 3);
    char label[32];
    EXPECT_EQ(CurrentSetting(SET_TIME_CONTROL), 3);  // the menu marks the next game's control
    EXPECT_STREQ(SettingLabel(SET_TIME_CONTROL, 3, 3, label, sizeof label), ">5+3");
    EXPECT_STREQ(SettingLabel(SET_TIME_CONTROL, 1, 3, label, sizeof label), " 1+0");
    EXPECT_TRUE(Has(info_string, "next game")) << info_string;
    now_ms += 59999;
    KeepGameClock(now_ms);
    EXPECT_EQ(state.position.winner, 0);
    now_ms += 1;
    const std::string said = Quietly([] { KeepGameClock(now_ms); });
    EXPECT_EQ(state.position.winner, 1);
    EXPECT_STREQ(info_string, "Black loses on time: White wins on time");
    EXPECT_TRUE(Has(said, "Black loses on time"));
    EXPECT_STREQ(ResultLine(&state.position), "1-0 Black loses on time");
    EXPECT_FALSE(GameInProgress());
    const std::string pgn = PgnText(PGN_TAGS_T());
    EXPECT_TRUE(Has(pgn, "[Result \"1-0\"]")) << pgn;
    EXPECT_TRUE(Has(pgn, "[Termination \"time forfeit\"]")) << pgn;
    EXPECT_TRUE(Has(pgn, "1. e4 {[%clk 0:00:40.0]} 1-0")) << pgn;
    // the result stands: nothing runs, and undo gives the game back
    now_ms += 5000;
    KeepGameClock(now_ms);
    EXPECT_FALSE(game_clock.Running());
    Quietly([] { UndoMoves(1); });
    EXPECT_EQ(state.position.winner, 0);
    EXPECT_EQ(game_clock.Flagged(), 0);
    EXPECT_EQ(game_clock.LeftMs(1, now_ms), 60000);
    game_clock.NewGame();  // the next new game takes the control chosen
    EXPECT_EQ(game_clock.Control(), 3);
}

}  // namespace
