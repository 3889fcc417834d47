// The playing levels: the ladder, the saved field, the weakened play (legal,
// repeatable, worse the lower the level), the tool's and UCI's level options.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "cli.h"
#include "cli_runner.h"
#include "live_game.h"
#include "search/levels.h"
#include "test_util.h"
#include "uci_process.h"
#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

using namespace std::chrono_literals;

// Sets up a game of either kind with moves played.
void StartGame(int dmode, const std::string& moves) {
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    opt.moves = moves;
    int rc = -1;
    Quietly([&] { rc = SetUpPosition(opt); });
    ASSERT_EQ(rc, 0) << moves;
}

// Limits that deepen to `last_iteration` (when given) whatever the time.
SEARCH_LIMITS_T Deepening(int last_iteration, int maxdepth = 0) {
    SEARCH_LIMITS_T limits;
    limits.maxdepth = maxdepth;
    limits.last_iteration = last_iteration;
    limits.no_soft_limit = last_iteration > 0;
    limits.seconds = 3600;
    return limits;
}

// The move played on the live position with the field set to a level (or a ply limit).
MOVE_T EngineMove(int field, int last_iteration = 0) {
    StoreShared(state.maxdepth, field);
    MOVE_T m;
    EngineSearch(&state.position, &m, Deepening(last_iteration), nullptr);
    StoreShared(state.maxdepth, LEVEL_FULL);
    return m;
}

// The live position's side to move plays `m`; false when it is not legal.
bool Play(const MOVE_T& m) {
    std::string error;
    bool ok = false;
    Quietly([&] { ok = PlayMoves(MoveToken(m), &error); });
    return ok;
}

}  // namespace

TEST(Levels, LadderStepsMapsOldDifficultiesAndKeepsThePlyLimitSafe) {
    // D steps through every rung and full strength, and back; Shift+D back
    int field = LEVEL_FULL;
    std::vector<int> seen;
    for (int i = 0; i <= LEVEL_COUNT; i++) seen.push_back(field = NextLevel(field, 1));
    EXPECT_EQ(seen, (std::vector<int>{800, 1000, 1200, 1400, 1600, 1800, 2000, LEVEL_FULL}));
    for (int i = 0; i <= LEVEL_COUNT; i++) field = NextLevel(NextLevel(field, 1), -1);
    EXPECT_EQ(field, LEVEL_FULL);
    EXPECT_EQ(NextLevel(800, -1), LEVEL_FULL);
    // old files: easy, medium, hard; the terminal tool's ply limits; a rating
    // between rungs goes to the nearest
    for (auto [field, level] : std::vector<std::pair<int, int>>{
             {DIFF_EASY, 1200}, {DIFF_MED, 1600}, {DIFF_HARD, LEVEL_FULL}, {3, 1200}, {20, LEVEL_FULL},
             {1350, 1400}, {-5, LEVEL_FULL}})
        EXPECT_EQ(LevelOnLadder(field), level) << field;
    EXPECT_EQ(LevelName(1400), "1400");
    EXPECT_EQ(LevelName(DIFF_HARD), "full strength");
    EXPECT_EQ(LevelName(DIFF_MED), "1600");
    // the search's ply limit never exceeds its arrays, whatever the field holds
    for (int f : {-1, 0, 1, 4, 8, 50, 51, 799, 800, 1400, 2000, 2001, 1 << 30}) {
        EXPECT_LE(PlyLimitOf(f), DIFF_HARD) << f;
        EXPECT_EQ(LevelRating(f) != 0, f >= LEVEL_LOWEST && f <= LEVEL_HIGHEST) << f;
    }
    EXPECT_EQ(PlyLimitOf(4), 4);  // a ply limit stays one
    // a stronger rating never plays with more noise, more oversights or a shallower look
    for (int r = LEVEL_LOWEST; r < LEVEL_HIGHEST; r += 50) {
        const LEVEL_KNOBS_T a = LevelKnobs(r), b = LevelKnobs(r + 50);
        EXPECT_GE(a.noise, b.noise) << r;
        EXPECT_GE(a.lapse, b.lapse) << r;
        EXPECT_LE(a.depth, b.depth) << r;
        EXPECT_GE(a.depth, 2) << r;
    }
}

// Every level plays legal moves in both games, and the same seed plays the
// same game again.
TEST(Levels, EveryLevelPlaysLegalMovesAndASeedRepeatsTheGame) {
    for (int dmode : {2, 3}) {
        for (int level : LEVEL_LADDER) {
            std::vector<std::string> games[2];
            for (auto& game : games) {
                StartGame(dmode, "");
                LevelSeed(1000 + level);
                for (int ply = 0; ply < 6; ply++) {
                    const MOVE_T m = EngineMove(level);
                    ASSERT_FALSE(IsZeroMove(&m)) << dmode << "D level " << level << " ply " << ply;
                    game.push_back(MoveToken(m));
                    ASSERT_TRUE(Play(m)) << dmode << "D level " << level << ": " << game.back();
                }
            }
            EXPECT_EQ(games[0], games[1]) << dmode << "D level " << level;
        }
    }
}

// The live position's value for the side to move, in pawns (a mate is ten), searched `plies` deep.
double Value(int plies) {
    StoreShared(state.maxdepth, LEVEL_FULL);
    hash_c.HashReset();  // what the level's searches left there is not the reference's
    MOVE_T m;
    SEARCH_RESULT_T r;
    EngineSearch(&state.position, &m, Deepening(plies), &r);
    return std::clamp(r.value / 10000.0, -10.0, 10.0);
}

// Over many positions the lowest level gives away more than the middle one,
// and that more than the highest, by a full-strength search before and after its move.
TEST(Levels, LowerLevelsGiveAwayMore) {
    std::vector<std::string> openings;
    {
        std::ifstream in(std::string(TAMZOR_SOURCE_DIR) + "/bench/openings-2d.txt");
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && line[0] != '#') openings.push_back(line);
    }
    ASSERT_GE(openings.size(), 40u);
    std::map<int, double> given;
    for (size_t i = 0; i < 40; i++) {
        StartGame(2, openings[i]);
        const double before = Value(4);
        for (int level : {800, 1400, 2000}) {
            // the highest level's noise is slight: one seed tells
            for (uint64_t seed : {i, i + 100}) {
                if (level == 2000 && seed != i) continue;
                StartGame(2, openings[i]);
                LevelSeed(seed);
                ASSERT_TRUE(Play(EngineMove(level)));
                // the opponent's value, negated, against the value before
                given[level] += std::max(0.0, before + Value(3)) / (level == 2000 ? 1 : 2);
            }
        }
    }
    EXPECT_GT(given[800], given[1400]) << given[800] << " " << given[1400] << " " << given[2000];
    EXPECT_GT(given[1400], given[2000]) << given[800] << " " << given[1400] << " " << given[2000];
    EXPECT_GE(given[800], 6.0) << "the lowest level loses pieces now and then";
}

// Full strength is the unlimited search's move; a ply limit given to the
// search overrides a level in the field.
TEST(Levels, FullStrengthIsTheUnlimitedSearch) {
    for (int dmode : {2, 3}) {
        StartGame(dmode, dmode == 2 ? "e2e4 e7e5 g1f3" : "");
        hash_c.HashReset();
        const MOVE_T full = EngineMove(LEVEL_FULL, 4);
        hash_c.HashReset();
        StoreShared(state.maxdepth, 800);
        MOVE_T unlimited;
        SEARCH_RESULT_T r;
        EngineSearch(&state.position, &unlimited, Deepening(4, DIFF_HARD), &r);
        EXPECT_EQ(LoadShared(state.maxdepth), 800) << "the level stays after the search";
        StoreShared(state.maxdepth, LEVEL_FULL);
        EXPECT_EQ(MoveToken(full), MoveToken(unlimited)) << dmode;
        EXPECT_EQ(r.depth, 4);
    }
}

// The window's texts and menu marks for the level; an old file's difficulty becomes a level.
TEST(Levels, WindowNamesTheLevel) {
    StoreShared(state.maxdepth, LEVEL_FULL);
    char text[200];
    EXPECT_STREQ(StepLevel(1, text, sizeof text), "Level: 800");
    EXPECT_EQ(ComputerName(), "Tamzor (800)");
    EXPECT_STREQ(TurnText(TAMZOR_BLACK, TAMZOR_BLACK, text, sizeof text), "Tamzor (800) is thinking (Black)");
    StoreShared(state.tamzor, TAMZOR_BLACK);
    state.demo_mode = 0;
    EXPECT_STREQ(SidesText("Restored: ", text, sizeof text), "Restored: you play White, Tamzor (800) plays Black");
    EXPECT_STREQ(StepLevel(-1, text, sizeof text), "Level: full strength");
    EXPECT_EQ(ComputerName(), "Tamzor");
    EXPECT_STREQ(TurnText(TAMZOR_BLACK, TAMZOR_BLACK, text, sizeof text), "Tamzor is thinking (Black)");
    // the Level menu marks the live level, one entry
    for (int field : {800, 1400, LEVEL_FULL}) {
        StoreShared(state.maxdepth, field);
        int marked = 0;
        const SETTING_MENU_T& menu = SettingMenu(SET_DIFFICULTY);
        EXPECT_EQ(menu.count, LEVEL_COUNT + 1);
        for (int e = 0; e < menu.count; e++)
            marked += SettingLabel(SET_DIFFICULTY, e, CurrentSetting(SET_DIFFICULTY), text, sizeof text)[0] == '>';
        EXPECT_EQ(marked, 1) << field;
    }
    for (auto [old, level] :
         std::vector<std::pair<int, int>>{{DIFF_EASY, 1200}, {DIFF_MED, 1600}, {DIFF_HARD, LEVEL_FULL}, {1300, 1200}}) {
        StoreShared(state.maxdepth, old);
        NormaliseMenuSettings();
        EXPECT_EQ(LoadShared(state.maxdepth), level) << old;
    }
    StoreShared(state.maxdepth, LEVEL_FULL);
    StoreShared(state.tamzor, TAMZOR_OFF);
}

// The level is kept in the saved game's difficulty field; old values and a
// level are read back, a value that is neither is refused.
TEST(Levels, SavedFieldRoundTrips) {
    SCRATCH_DIR_T scratch{"tamzor_level_"};
    char buf[4096];
    const std::string old_dir = getcwd(buf, sizeof buf);
    ASSERT_EQ(chdir(scratch.path.c_str()), 0);
    StartGame(2, "e2e4");
    std::vector<unsigned char> f;
    for (int field : {1400, 800, (int)DIFF_EASY, (int)DIFF_MED, (int)DIFF_HARD}) {
        StoreShared(state.maxdepth, field);
        Quietly([] {
            ASSERT_TRUE(SaveGame(0));
            StoreShared(state.maxdepth, 2000);
            ASSERT_TRUE(RestoreGame(0));
        });
        EXPECT_EQ(LoadShared(state.maxdepth), field);
        std::ifstream in("tamzor.sav", std::ios::binary);
        f.assign(std::istreambuf_iterator<char>(in), {});
        ASSERT_EQ(f.size(), 34496u);
        int32_t stored;
        memcpy(&stored, f.data() + 6456, sizeof stored);
        EXPECT_EQ(stored, field);
    }
    for (int bad : {0, 51, 799, 2001}) {
        memcpy(f.data() + 6456, &bad, sizeof bad);
        char why[200];
        EXPECT_FALSE(CheckSaveImage(f.data(), f.size(), why, sizeof why)) << bad;
        EXPECT_NE(std::string(why).find("difficulty"), std::string::npos) << why;
    }
    StoreShared(state.maxdepth, LEVEL_FULL);
    ASSERT_EQ(chdir(old_dir.c_str()), 0);
}

TEST(Levels, TerminalToolTakesALevel) {
    RUN_T r = RunTool("search --2d --level 800 --moves e2e4");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("move "), std::string::npos) << r.out;
    r = RunTool("play --2d --computer white --level 1200 --time 5 </dev/null");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n1. "), std::string::npos) << r.out;
    ExpectRefused("search --2d --level 1200 --depth 4", "--level and --depth");
    ExpectRefused("play --level 700", "bad level '700'");
    ExpectRefused("search --2d --level", "--level needs a value");
    ExpectRefused("search --level 800 --level 1000", "--level given twice");
    EXPECT_EQ(RunTool("search --2d --level full --level FULL --depth 2").status, 2);
}

// UCI_LimitStrength and UCI_Elo: declared with their bounds, a value out of
// them ignored; off, the engine plays as it always did; on, a legal move.
TEST(Levels, UciLimitStrengthAndElo) {
    UciProcess t({TAMZOR_CLI, "uci"});
    ASSERT_TRUE(t.Running());
    std::string line;
    std::vector<std::string> seen;
    t.Send("uci");
    ASSERT_TRUE(t.WaitFor("uciok", &line, 10s, &seen));
    auto has = [&](const std::string& l) { return std::find(seen.begin(), seen.end(), l) != seen.end(); };
    EXPECT_TRUE(has("option name UCI_LimitStrength type check default false"));
    EXPECT_TRUE(has("option name UCI_Elo type spin default 2000 min 800 max 2000"));
    seen.clear();
    t.Send("setoption name UCI_Elo value 700");
    t.Send("setoption name UCI_Elo value 2001");
    t.Send("setoption name UCI_LimitStrength value maybe");
    t.Send("isready");
    ASSERT_TRUE(t.WaitFor("readyok", &line, 10s, &seen));
    int ignored = 0;
    for (const std::string& s : seen) ignored += s.find("ignored") != std::string::npos;
    EXPECT_EQ(ignored, 3);
    // off: the same move as an engine never told of levels
    std::string plain, off;
    {
        UciProcess u({TAMZOR_CLI, "uci"});
        u.Send("position startpos moves e2e4 e7e5\ngo depth 5");
        ASSERT_TRUE(u.WaitFor("bestmove", &plain, 60s));
    }
    t.Send("setoption name UCI_Elo value 900\nsetoption name UCI_LimitStrength value false");
    t.Send("position startpos moves e2e4 e7e5\ngo depth 5");
    ASSERT_TRUE(t.WaitFor("bestmove", &off, 60s));
    EXPECT_EQ(plain, off);
    // on: a legal move at the level, with an info line before it
    t.Send("setoption name uci_limitstrength value true");
    for (const char* moves : {"e2e4 e7e5", "d2d4 d7d5 c2c4"}) {
        seen.clear();
        t.Send(std::string("position startpos moves ") + moves + "\ngo movetime 2000");
        ASSERT_TRUE(t.WaitFor("bestmove", &line, 60s, &seen));
        StartGame(2, moves);
        MOVE_T m;
        std::string error, token = line.substr(9, line.find(' ', 9) - 9);
        EXPECT_TRUE(MoveFromToken(&state.position, token, &m, &error)) << line << ": " << error;
        EXPECT_GE(seen.size(), 2u);
    }
}
