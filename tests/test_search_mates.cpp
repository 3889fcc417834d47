// The engine finds forced mates: the mate problems of the tactical test
// suite, and mates built by hand on the tri-level board.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "cli.h"
#include "mate_prover.h"
#include "test_util.h"
#include "wac_mates.h"
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

// The value of a mate in n moves for the side to move at the root.
ETYPE_T MateIn(int n) { return 400001 - 2 * n; }

// Searches a problem to a fixed depth: the value is the mate's exact
// distance, and a mate in two is proven to follow the move played.
void ExpectMate(const PROBLEM_T& p, int extra_plies) {
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    ASSERT_TRUE(SetUpGame(opt));
    std::string error;
    ASSERT_TRUE(SetUpFen(p.fen, &error)) << p.id << ": " << error;
    SEARCH_LIMITS_T limits;
    limits.maxdepth = 2 * p.mate_in + extra_plies;
    // depth ends these searches; the limits only guard the run
    limits.seconds = 300;
    limits.soft_seconds = 300;
    MOVE_T move;
    SEARCH_RESULT_T r;
    hash_c.HashReset();
    EngineSearch(&state.position, &move, limits, &r);
    EXPECT_EQ(r.value, MateIn(p.mate_in)) << p.id << " depth " << r.depth << " plays " << MoveToken(move);
    MOVE_T m = move;
    POS_T child;
    ASSERT_EQ(DoMove(&child, &state.position, &m), 1) << p.id;
    if (p.mate_in == 2) {
        EXPECT_TRUE(Lost(&child, 1)) << p.id << " plays " << MoveToken(move);
    }
}

// Every mate problem of the tactical suite, searched just deep enough.
TEST(SearchMates, TacticalSuiteMatesExactly) {
    auto problems = MateProblems();
    ASSERT_EQ(problems.size(), 38u);
    for (const auto& p : problems) ExpectMate(p, 4);
}

// Deeper iterations keep the mate and its distance: the extensions and
// reductions of longer searches must not lose it.
TEST(SearchMates, LongTacticalSuiteMatesDeeper) {
    SKIP_UNLESS_LONG();
    for (const auto& p : MateProblems()) ExpectMate(p, 8);
}

// A position no sequence of moves can win, as the rules judge it, is worth
// nothing to either side; a capture into one is worth exactly that.
ETYPE_T SearchValue(int depth) {
    SEARCH_LIMITS_T limits;
    limits.maxdepth = depth;
    limits.seconds = 60;
    MOVE_T move;
    SEARCH_RESULT_T r;
    hash_c.HashReset();
    EngineSearch(&state.position, &move, limits, &r);
    return r.value;
}

TEST(SearchMates, DeadDrawsScoreZeroInBothGames) {
    for (const char* fen : {"8/8/8/4k3/8/8/8/4K3 w - - 0 1", "8/8/3bk3/8/8/8/8/4K3 b - - 0 1",
                            "8/8/4k3/8/2n5/8/3B4/4K3 w - - 0 1", "8/8/4k3/8/3r4/8/4N3/4K3 w - - 0 1"}) {
        CLI_OPTIONS_T opt;
        opt.dmode = 2;
        ASSERT_TRUE(SetUpGame(opt));
        std::string error;
        ASSERT_TRUE(SetUpFen(fen, &error)) << fen << ": " << error;
        EXPECT_EQ(SearchValue(7), 0) << fen;
    }
    for (bool white : {true, false}) {
        Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, {{H1, W_KING}, {A8, B_KING}}, white);
        EXPECT_EQ(SearchValue(6), 0) << (white ? "White" : "Black") << " to move";
    }
    Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, {{H1, W_KING}, {A8, B_KING}, {D7, W_BISHOP}}, false);
    EXPECT_EQ(SearchValue(6), 0) << "king and bishop against king";
}

}  // namespace

namespace {

void Expect3DMate(std::vector<PLACED_T> pieces, int n) {
    // the Black king on QLB's cell a at the far end, its board boxed in
    POS_T* b = Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, pieces);
    POS_T start = *b;
    ASSERT_TRUE(CanMate(&start, n));
    if (n > 1) {
        ASSERT_FALSE(CanMate(&start, n - 1));
    }
    SEARCH_LIMITS_T limits;
    limits.maxdepth = 2 * n + 4;
    limits.seconds = 120;
    MOVE_T move;
    SEARCH_RESULT_T r;
    hash_c.HashReset();
    EngineSearch(&state.position, &move, limits, &r);
    EXPECT_GE(r.value, MateIn(n));
    // the move found keeps the mate: the opponent is lost within n - 1 moves
    POS_T child;
    MOVE_T m = move;
    ASSERT_EQ(DoMove(&child, &start, &m), 1);
    EXPECT_TRUE(Lost(&child, n - 1));
}

TEST(SearchMates, MateInOneOnTheTriLevelBoard) {
    Expect3DMate({{H1, W_KING}, {E7, W_QUEEN}, {D7, W_ROOK}, {A8, B_KING}}, 1);
}

TEST(SearchMates, MateInTwoOnTheTriLevelBoard) {
    Expect3DMate({{H1, W_KING}, {G6, W_QUEEN}, {H6, W_ROOK}, {A8, B_KING}}, 2);
}

// The 3D mate problems: positions of self-play with a proven forced mate
// and every mating first move (tools/mine_3d_mates).
struct MATE_3D_T {
    int number, mate;
    std::set<std::string> solutions;
};

std::string Mates3DText() {
    std::ifstream in(std::string(TAMZOR_SOURCE_DIR) + "/tests/data/mates-3d.pgn");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<MATE_3D_T> Mates3D(const std::string& text) {
    std::vector<MATE_3D_T> out;
    for (int number = 1;; number++) {
        PGN_GAME_T g;
        std::string error;
        if (!PgnParse(text, number, &g, &error)) break;
        std::istringstream solutions(g.Tag("Solutions"));
        MATE_3D_T p{number, atoi(g.Tag("Mate").c_str()), {}};
        for (std::string token; solutions >> token;) p.solutions.insert(token);
        out.push_back(p);
    }
    return out;
}

void Solve3DProblems(int shortest, int longest) {
    const std::string text = Mates3DText();
    const std::vector<MATE_3D_T> problems = Mates3D(text);
    ASSERT_GE(problems.size(), 100u);
    int tried = 0;
    for (const MATE_3D_T& p : problems) {
        if (p.mate < shortest || p.mate > longest) continue;
        SCOPED_TRACE("problem " + std::to_string(p.number) + ", mate in " + std::to_string(p.mate));
        std::string error;
        ASSERT_TRUE(PgnLoadGame(text, p.number, &error)) << error;
        if (p.mate == 1) {
            // the file's answers, checked by proof where that is cheap
            std::set<std::string> proven;
            for (const MOVE_T& m : MatingMoves(&state.position, 1)) proven.insert(MoveToken(m));
            EXPECT_EQ(proven, p.solutions);
        }
        SEARCH_LIMITS_T limits;
        limits.maxdepth = 2 * p.mate + 4;
        limits.seconds = 300;
        MOVE_T move;
        SEARCH_RESULT_T r;
        hash_c.HashReset();
        EngineSearch(&state.position, &move, limits, &r);
        EXPECT_EQ(r.value, MateIn(p.mate)) << "depth " << r.depth;
        EXPECT_EQ(p.solutions.count(MoveToken(move)), 1u) << MoveToken(move);
        tried++;
    }
    EXPECT_GT(tried, 10);
}

TEST(SearchMates, ThreeDProblemsOfOneToThreeMoves) { Solve3DProblems(1, 3); }

}  // namespace
