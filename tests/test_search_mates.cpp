// The engine finds forced mates: the mate problems of the tactical test
// suite, and mates built by hand or mined from self-play on the tri-level board.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "cli.h"
#include "live_game.h"
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

// A search of the live position to `plies`, from a cleared table.
SEARCH_RESULT_T Search(int plies, MOVE_T* move, double soft_seconds = 0) {
    SEARCH_LIMITS_T limits;
    limits.maxdepth = plies;
    limits.seconds = 300;  // depth ends these searches; the limits only guard the run
    limits.soft_seconds = soft_seconds;
    SEARCH_RESULT_T r;
    hash_c.HashReset();
    EngineSearch(&state.position, move, limits, &r);
    return r;
}

// Searches a problem to a fixed depth: the value is the mate's exact
// distance, and a mate in two is proven to follow the move played.
void ExpectMate(const PROBLEM_T& p, int extra_plies) {
    Live2D(p.fen.c_str());
    MOVE_T move;
    const SEARCH_RESULT_T r = Search(2 * p.mate_in + extra_plies, &move, 300);
    EXPECT_EQ(r.value, MateIn(p.mate_in)) << p.id << " depth " << r.depth << " plays " << MoveToken(move);
    MOVE_T m = move;
    POS_T child;
    ASSERT_EQ(DoMove(&child, &state.position, &m), 1) << p.id;
    EXPECT_TRUE(p.mate_in != 2 || Lost(&child, 1)) << p.id << " plays " << MoveToken(move);
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
TEST(SearchMates, DeadDrawsScoreZeroInBothGames) {
    MOVE_T move;
    for (const char* fen : {"8/8/8/4k3/8/8/8/4K3 w - - 0 1", "8/8/3bk3/8/8/8/8/4K3 b - - 0 1",
                            "8/8/4k3/8/2n5/8/3B4/4K3 w - - 0 1", "8/8/4k3/8/3r4/8/4N3/4K3 w - - 0 1"}) {
        Live2D(fen);
        EXPECT_EQ(Search(7, &move).value, 0) << fen;
    }
    for (bool white : {true, false}) {
        Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, {{H1, W_KING}, {A8, B_KING}}, white);
        EXPECT_EQ(Search(6, &move).value, 0) << (white ? "White" : "Black") << " to move";
    }
    Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, {{H1, W_KING}, {A8, B_KING}, {D7, W_BISHOP}}, false);
    EXPECT_EQ(Search(6, &move).value, 0) << "king and bishop against king";
}

// The Black king on QLB's cell a at the far end, its board boxed in, mated
// in one and in two: proven no sooner, found, and the move found keeps the
// mate (the opponent is lost within n - 1 moves).
TEST(SearchMates, MatesInOneAndTwoOnTheTriLevelBoard) {
    const std::pair<std::vector<PLACED_T>, int> cases[] = {
        {{{H1, W_KING}, {E7, W_QUEEN}, {D7, W_ROOK}, {A8, B_KING}}, 1},
        {{{H1, W_KING}, {G6, W_QUEEN}, {H6, W_ROOK}, {A8, B_KING}}, 2}};
    for (const auto& [pieces, n] : cases) {
        POS_T start = *Setup3D({ABW_QL4, ABW_QL6, ABW_QL5, ABW_KL6}, pieces);
        ASSERT_TRUE(CanMate(&start, n));
        ASSERT_TRUE(n == 1 || !CanMate(&start, n - 1));
        MOVE_T move;
        EXPECT_GE(Search(2 * n + 4, &move).value, MateIn(n));
        POS_T child;
        MOVE_T m = move;
        ASSERT_EQ(DoMove(&child, &start, &m), 1);
        EXPECT_TRUE(Lost(&child, n - 1)) << n;
    }
}

// The 3D mate problems: positions of self-play with a proven forced mate
// and every mating first move (tools/mine_3d_mates).
TEST(SearchMates, ThreeDProblemsOfOneToThreeMoves) {
    std::ifstream in(std::string(TAMZOR_SOURCE_DIR) + "/tests/data/mates-3d.pgn");
    std::stringstream s;
    s << in.rdbuf();
    const std::string text = s.str();
    int problems = 0, tried = 0;
    for (int number = 1;; number++) {
        PGN_GAME_T g;
        std::string error;
        if (!PgnParse(text, number, &g, &error)) break;
        problems++;
        std::istringstream tokens(g.Tag("Solutions"));
        std::set<std::string> solutions;
        for (std::string token; tokens >> token;) solutions.insert(token);
        const int mate = atoi(g.Tag("Mate").c_str());
        if (mate < 1 || mate > 3) continue;
        SCOPED_TRACE("problem " + std::to_string(number) + ", mate in " + std::to_string(mate));
        ASSERT_TRUE(PgnLoadGame(text, number, &error)) << error;
        if (mate == 1) {
            // the file's answers, checked by proof where that is cheap
            std::set<std::string> proven;
            for (const MOVE_T& m : MatingMoves(&state.position, 1)) proven.insert(MoveToken(m));
            EXPECT_EQ(proven, solutions);
        }
        MOVE_T move;
        const SEARCH_RESULT_T r = Search(2 * mate + 4, &move);
        EXPECT_EQ(r.value, MateIn(mate)) << "depth " << r.depth;
        EXPECT_EQ(solutions.count(MoveToken(move)), 1u) << MoveToken(move);
        tried++;
    }
    EXPECT_GE(problems, 100);
    EXPECT_GT(tried, 10);
}

}  // namespace
