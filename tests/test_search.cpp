// The transposition table, move ordering, the search's edge cases and node
// signature, and forced mates of the tactical suite and the tri-level board.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>

#include "cli.h"
#include "cli_runner.h"
#include "live_game.h"
#include "mate_prover.h"
#include "test_util.h"
#include "wac_mates.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

POS_T* Start2D(const char* fen = nullptr) {
    POS_T* b = Live2D(fen);
    hash_c.HashReset();
    return b;
}

// A copy of the FEN's position to search at `depth`, the computer on neither side.
POS_T Root(const char* fen, int depth) {
    POS_T root = *Start2D(fen);
    search_depth = depth;
    StoreShared(state.tamzor, -1);
    StoreShared(state.stop_search, 0);
    return root;
}

// A position key chosen to land in a given bucket.
POS_T KeyedPosition(uint64_t bucket, uint64_t salt) {
    POS_T p{};
    p.hash1 = bucket + salt * hash_c.hash_table_size;
    p.hash2 = salt + 1;
    return p;
}

bool Stored(POS_T* p, HASHENTRY_T* e = nullptr) {
    HASHENTRY_T own;
    return hash_c.FetchHash(p, e ? e : &own);
}

class Table : public ::testing::Test {
protected:
    void SetUp() override {
        Start2D();
        hash_c.HashChangeTag(0);
    }
};

TEST_F(Table, TagsCycleAndGoingBackOrToAnotherStageClearsTheTable) {
    hash_c.hash_tag = 0;
    hash_c.HashChangeTag(10);
    EXPECT_EQ(hash_c.hash_tag, 1u);
    for (int i = 0; i < 14; i++) hash_c.HashChangeTag(10);
    EXPECT_EQ(hash_c.hash_tag, 15u);
    hash_c.HashChangeTag(10);
    EXPECT_EQ(hash_c.hash_tag, 1u);
    POS_T p = KeyedPosition(500, 7);
    hash_c.HashInsert(&p, 3, 0, 10, nullptr);
    hash_c.HashChangeTag(12);
    EXPECT_TRUE(Stored(&p));  // forward in the game: kept
    hash_c.HashChangeTag(4);
    EXPECT_FALSE(Stored(&p));  // back in the game: cleared
    p = KeyedPosition(600, 3);
    hash_c.MatchStage(MID_GS);
    hash_c.HashInsert(&p, 3, 0, 10, nullptr);
    hash_c.MatchStage(MID_GS);
    EXPECT_TRUE(Stored(&p));
    // values of another stage's evaluation do not mix with this one's
    hash_c.MatchStage(ENDING);
    EXPECT_FALSE(Stored(&p));
    hash_c.HashInsert(&p, 3, 0, 10, nullptr);
    // setting up a game goes on with the table only when asked to
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    opt.keep_search_memory = true;
    ASSERT_TRUE(SetUpGame(opt));
    EXPECT_TRUE(Stored(&p));
    opt.keep_search_memory = false;
    ASSERT_TRUE(SetUpGame(opt));
    EXPECT_FALSE(Stored(&p));
}

TEST_F(Table, EveryBucketOfAnyTableSizeHoldsAndAResizeStartsEmpty) {
    const uint64_t entries = hash_c.hash_table_size;
    // sizes that are and are not whole large pages; the last bucket lies at
    // the very end of what was reserved
    for (uint64_t mb : {1u, 2u, 3u, 5u}) {
        hash_c.HashResize(mb);
        const uint64_t last = hash_c.hash_table_size - 2;
        for (uint64_t bucket : {uint64_t{0}, uint64_t{last / 2 & ~1ull}, last}) {
            POS_T p = KeyedPosition(bucket, 9);
            EXPECT_FALSE(Stored(&p)) << mb << " MB, bucket " << bucket;
            hash_c.HashInsert(&p, 4, 0, 10, nullptr);
            HASHENTRY_T e;
            ASSERT_TRUE(Stored(&p, &e)) << mb << " MB, bucket " << bucket;
            EXPECT_EQ(e.depth_low, 4);
            hash_c.LoadEntry(bucket, &e);
            EXPECT_EQ(e.hash2, p.hash2);
        }
    }
    hash_c.HashResize((entries * sizeof(HASHENTRY_T)) >> 20);
    EXPECT_EQ(hash_c.hash_table_size, entries);
    POS_T p = KeyedPosition(0, 9);
    EXPECT_FALSE(Stored(&p));
    // the side to move shares the bucket
    POS_T other = state.position;
    other.hash1 ^= 1;
    EXPECT_EQ(hash_c.GetIndex(&state.position), hash_c.GetIndex(&other));
    EXPECT_EQ(hash_c.GetIndex(&other) % 2, 0u);
}

TEST(Ordering, MoreCutOffHistoryNeverOrdersAMoveLater) {
    // A deep ending runs to 40 plies and more, where a single cut-off adds
    // 2^40 to the history: the order must still grow with it.
    POS_T* b = Start2D("8/8/4k3/8/8/3K4/4P3/8 w - - 0 1");
    OrderClear(b->move_num);
    memset(search_memory.history, 0, sizeof search_memory.history);
    ZeroMove(&b->best_capture);
    MOVE_T list[MOVE_LIST_SIZE];
    const int n = GetMoveList(b, list);
    MOVE_T* push = nullptr;
    for (int i = 0; i < n; i++)
        if (list[i].from == E2 && list[i].to == E4) push = &list[i];
    ASSERT_NE(push, nullptr);
    MOVE_T* const own_list = b->moves;
    const int own_count = b->num_moves;
    b->moves = list;
    b->num_moves = n;
    int before = OrderFunction(b, push, 1, 0);
    for (int depth = 1; depth < 64; depth++) {
        CutoffHint(b, (int)(push - list), depth, 1);
        const int now = OrderFunction(b, push, 1, 0);
        EXPECT_GE(now, before) << depth;
        EXPECT_GE(now, 0) << depth;
        before = now;
    }
    // and a move with more history stays ahead of one with less
    for (int i = 0; i < n; i++) {
        if (&list[i] == push) continue;
        EXPECT_GE(OrderFunction(b, push, 1, 0), OrderFunction(b, &list[i], 1, 0)) << i;
    }
    b->moves = own_list;
    b->num_moves = own_count;
    OrderClear(b->move_num);
    memset(search_memory.history, 0, sizeof search_memory.history);
}

TEST(SearchEdges, StalemateIsZeroAndMatesAreSeenFarFromTheTestValue) {
    // Black to move is stalemated: the node is worth 0; or mated
    POS_T child = Root("k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", 2);
    EXPECT_EQ(abtest(&child, 2, 1, 1), 0);
    child = Root("k7/1Q6/1K6/8/8/8/8/8 b - - 0 1", 2);
    EXPECT_EQ(abtest(&child, 2, -399000, 1), -399999);
    // quiescence keeps a capture that mates however far behind: White, a
    // bishop against a rook and two pawns, mates with Qxh7 (a defended pawn)
    child = Root("r6k/6pp/8/7Q/8/3B4/1q6/7K w - - 0 1", 2);
    EXPECT_GT(StartQuiesce(&child, 50000, 1), 399000);
    // without the bishop the same capture only loses the queen
    child = Root("r6k/6pp/8/7Q/8/8/1q6/7K w - - 0 1", 2);
    EXPECT_LT(StartQuiesce(&child, 50000, 1), 50000);
    // shallow nodes far above the test value still see a mate against them:
    // White to move is mated by Re1 whatever it plays, its static value near level
    const POS_T root = Root("4r1k1/1b3ppp/3b4/8/N7/8/5PPP/7K w - - 0 1", 3);
    for (int depth = 2; depth <= 4; depth++) {
        child = root;
        EXPECT_LT(abtest(&child, depth, -399500, 1), -399500) << depth << " plies";
    }
    // far above an ordinary test value, a shallow node answers at least
    // that, and no mate
    child = *Start2D("6k1/5ppp/8/8/8/8/QQ3PPP/6K1 w - - 0 1");
    const ETYPE_T v = abtest(&child, 2, 0, 1);
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 399000);
}

TEST(SearchEdges, StopSearchEndsEveryRootSearchAtOnce) {
    POS_T* b = Start2D();
    StoreShared(state.stop_search, 1);
    POS_T copy = *b;
    copy.moves = nullptr;
    MOVE_T move;
    ZeroMove(&move);
    ETYPE_T v = MTDSearch(&copy, &move, 4, 1234);
    EXPECT_EQ(v, 1234);  // nothing proven: the guess comes back
    StoreShared(state.stop_search, 0);
}

TEST(SearchEdges, RepetitionScoresTheDrawValue) {
    // after Nf3 Nf6 Ng1 Ng8 Nf3 Nf6 Ng1, ...Ng8 repeats: the search sees a draw
    Live2D();
    std::string error;
    bool ok = false;
    Quietly([&] { ok = PlayMoves("g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1", &error); });
    ASSERT_TRUE(ok) << error;
    POS_T b1;
    MOVE_T m;
    ASSERT_TRUE(MoveFromToken(&state.position, "f6g8", &m, &error));
    ASSERT_EQ(DoMovePart1(&b1, &state.position, &m), 1);
    EXPECT_EQ(CheckRepetition(&b1, 1), 1);
}

// The table keeps a move's squares only. At the root an attack-board move
// from the table is taken back whole from the list, not refused with a report.
TEST(SearchEdges, RootTakesAnAttackBoardMoveFromTheTable) {
    CLI_OPTIONS_T opt;
    opt.dmode = 3;
    opt.moves = "c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3";
    ASSERT_EQ(SetUpPosition(opt), 0);
    hash_c.HashReset();
    hash_c.HashChangeTag(state.position.move_num);
    POS_T root = state.position;
    root.oldb = nullptr;
    MOVE_T none;
    ZeroMove(&none);
    RootMoves(&root, &none);
    const MOVE_T* board_move = nullptr;
    for (int i = 0; i < root.num_moves && !board_move; i++)
        if (IsAB(root.moves[i].piece_moving)) board_move = &root.moves[i];
    ASSERT_NE(board_move, nullptr);
    MOVE_T stored = *board_move;
    hash_c.HashInsert(&root, 3, 0, 5000, &stored);  // a lower bound that decides a test at 0

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    MOVE_T chosen;
    ZeroMove(&chosen);
    const ETYPE_T v = abroot(&root, 3, 0, &chosen);
    const std::string out = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
    EXPECT_EQ(out.find("Panic"), std::string::npos) << out;
    EXPECT_EQ(v, 5000);
    EXPECT_EQ(chosen.from, board_move->from);
    EXPECT_EQ(chosen.to, board_move->to);
    EXPECT_EQ(chosen.piece_moving, board_move->piece_moving);
}

// The hard deadline moves once, only later, and a search leaves no stretch
// behind for the next one.
TEST(SearchEdges, TheDeadlineStretchesOnceAndOnlyLater) {
    const uint64_t now = TickCount();
    timers.deadline_ms = now + 1000;
    stretch_deadline_ms = now + 500;
    StretchDeadline();
    EXPECT_EQ(timers.deadline_ms.load(), now + 1000);
    stretch_deadline_ms = now + 3000;
    StretchDeadline();
    EXPECT_EQ(timers.deadline_ms.load(), now + 3000);
    EXPECT_EQ(stretch_deadline_ms.load(), 0u);
    StretchDeadline();
    EXPECT_EQ(timers.deadline_ms.load(), now + 3000);
    timers.deadline_ms = 0;

    POS_T* b = Start2D();
    SEARCH_LIMITS_T limits;
    limits.seconds = 0.2;
    limits.soft_seconds = 0.05;
    limits.stretch_seconds = 0.4;
    MOVE_T move;
    SEARCH_RESULT_T r;
    EngineSearch(b, &move, limits, &r);
    EXPECT_FALSE(IsZeroMove(&move));
    EXPECT_LE(r.elapsed_ms, 1000u);
    EXPECT_EQ(stretch_deadline_ms.load(), 0u);
    EXPECT_EQ(timers.deadline_ms.load(), 0u);
}

// Whatever set the ply limit (an option, a saved file), a search gives a move:
// the first iteration always runs. The easy difficulty searches depths 2 and 3.
TEST(SearchEdges, EveryPlyLimitGivesAMove) {
    SEARCH_LIMITS_T easy;
    easy.maxdepth = DIFF_EASY;
    MOVE_T move;
    SEARCH_RESULT_T r;
    EngineSearch(Start2D(), &move, easy, &r);
    EXPECT_EQ(r.depth, 3);
    EXPECT_FALSE(IsZeroMove(&move));
    for (int dmode : {2, 3})
        for (int limit : {-5, 0, 1, 2, 3}) {
            CLI_OPTIONS_T opt;
            opt.dmode = dmode;
            ASSERT_TRUE(SetUpGame(opt));
            hash_c.HashReset();
            StoreShared(state.maxdepth, limit);
            EngineSearch(&state.position, &move, SEARCH_LIMITS_T{}, &r);
            EXPECT_FALSE(IsZeroMove(&move)) << dmode << "D, limit " << limit;
            EXPECT_EQ(r.depth, 2) << dmode << "D, limit " << limit;
        }
    StoreShared(state.maxdepth, (int)DIFF_HARD);
}

// The bench's positions searched to depth 5 from a cleared table: each one's
// move, value and nodes are a signature of the search and the evaluation
// (its full default run totals 1080235 nodes in 2D, 712688 in 3D). A change
// meant to alter the search updates them in the same commit.
TEST(SearchSignature, BenchPositionsAtDepthFive) {
    const std::pair<const char*, const char*> expected[] = {
        {"--2d", "1 start                g1f3         0.09       6256\n"
                 "2 ruy lopez            d2d3         0.13       7063\n"
                 "3 nimzo-indian         f6e4         0.46       3445\n"
                 "4 sicilian             f1c4         0.44       3887\n"
                 "5 giuoco piano         d2e4         0.22      10261\n"
                 "6 open middle game     a2a8        17.30       3322\n"
                 "7 rook ending          a1c1        10.81       4091\n"
                 "8 minor piece ending   g1g5         7.52       2915\n"
                 "Total nodes: 41240\n"},
        {"--3d", "1 start                h1c3         0.10       5391\n"
                 "2 opening a            h1c3         2.53       3477\n"
                 "3 opening b            c3a4         3.35       2763\n"
                 "4 middle game a        h5g6         0.91       3247\n"
                 "5 middle game b        b1e1        -8.21       5104\n"
                 "6 ending a             qlw@kl5      1.73       1233\n"
                 "7 ending b             c1g1        -5.72       2120\n"
                 "8 ending c             qlw@ql1    -10.78       3392\n"
                 "Total nodes: 26727\n"}};
    for (const auto& [game, text] : expected) {
        RUN_T r = RunTool(std::string("bench --depth 5 ") + game);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find("Nodes per second")), text) << game;
    }
}

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

// A tactical-suite mate searched `extra_plies` beyond its length: the exact
// distance, and a mate in two proven to follow the move played.
void ExpectMate(const PROBLEM_T& p, int extra_plies) {
    Live2D(p.fen.c_str());
    MOVE_T move, m;
    const SEARCH_RESULT_T r = Search(2 * p.mate_in + extra_plies, &move, 300);
    EXPECT_EQ(r.value, MateIn(p.mate_in)) << p.id << " depth " << r.depth << " plays " << MoveToken(move);
    POS_T child;
    ASSERT_EQ(DoMove(&child, &state.position, &(m = move)), 1) << p.id;
    EXPECT_TRUE(p.mate_in != 2 || Lost(&child, 1)) << p.id << " plays " << MoveToken(move);
}

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
// and every mating first move (tools/mine_3d_mates). A long run: the bench
// signature pins the 3D search in the ordinary suite.
TEST(SearchMates, LongThreeDProblemsOfOneToThreeMoves) {
    SKIP_UNLESS_LONG();
    const std::string text = FileText(std::string(TAMZOR_SOURCE_DIR) + "/tests/data/mates-3d.pgn");
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
