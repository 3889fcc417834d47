// Move-tree counts against the published figures for ordinary chess, and
// fixed figures of this program's 3D rules, so a change in them shows.
#include <gtest/gtest.h>

#include "cli.h"
#include "test_util.h"
#include "movegen/movegen.h"

namespace {

struct PERFT_CASE_T {
    const char* fen;
    std::vector<uint64_t> counts;  // depth 1, 2, ...
};

const PERFT_CASE_T cases[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281, 4865609}},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", {48, 2039, 97862, 4085603}},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", {14, 191, 2812, 43238, 674624}},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", {6, 264, 9467, 422333}},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379, 2103487}},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", {46, 2079, 89890, 3894594}},
    {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1", {24, 496, 9483, 182838}},
};

void SetUp2D(const char* fen) {
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    ASSERT_TRUE(SetUpGame(opt));
    std::string error;
    ASSERT_TRUE(SetUpFen(fen, &error)) << error;
}

// The counts up to a million leaves, or only those beyond.
void RunCases(bool only_deep) {
    for (const PERFT_CASE_T& c : cases) {
        SetUp2D(c.fen);
        const POS_T before = state.position;
        for (size_t d = 0; d < c.counts.size(); d++)
            if ((c.counts[d] > 1000000) == only_deep) {
                EXPECT_EQ(Perft(&state.position, (int)d + 1), c.counts[d]) << c.fen << " depth " << d + 1;
            }
        EXPECT_EQ(memcmp(&before, &state.position, sizeof before), 0) << "counting changed the position";
    }
}

TEST(Perft2D, PublishedCountsShallow) { RunCases(false); }

TEST(Perft2D, LongPublishedCountsDeep) {
    SKIP_UNLESS_LONG();
    RunCases(true);
}

// The start under both rule settings, and games after which a pawn that
// stepped from an attack board onto its side's start row, and pawns that
// have left theirs, may no longer step twice.
TEST(Perft3D, StartAndAfterPawnsHaveMoved) {
    const struct {
        int rules;
        const char* moves;
        uint64_t counts[3];
    } walks[] = {
        {RULES_TDCL, "", {21, 441, 10004}},
        {RULES_TOURNAMENT, "", {21, 441, 10004}},
        {RULES_TDCL, "e2a4,g7g6,g2c4,e8b6,h2d4,e7e6,f2f4,e6a5,e1f3,f8e7,c2h2,f7f6", {32, 927, 30730}},
        {RULES_TDCL,
         "h2d4,e8f6,g2c3,f6g4,f1d3,c8d8,f2b4,g4f6,d3e6,h8c6,e1b3,d8h8,e6g4,h7d6,b4f5,d6d5,g4b5,c6b4,b5d3,c7h7,"
         "b3h4,b4d3,e2e4,g7g6",
         {30, 872, 27759}},
    };
    state.maxdepth = DIFF_HARD;
    for (const auto& w : walks) {
        ASSERT_TRUE(NewGameState(3));
        state.rules = w.rules;
        std::string error;
        ASSERT_TRUE(PlayMoves(w.moves, &error)) << error;
        for (int d = 0; d < 3; d++) EXPECT_EQ(Perft(&state.position, d + 1), w.counts[d]) << w.moves << " " << d + 1;
    }
}

TEST(Perft3D, LongStartPositionCounts) {
    SKIP_UNLESS_LONG();
    state.maxdepth = DIFF_HARD;
    ASSERT_TRUE(NewGameState(3));
    state.rules = RULES_TDCL;
    EXPECT_EQ(Perft(&state.position, 4), 226504u);
    EXPECT_EQ(Perft(&state.position, 5), 5515032u);
}

}  // namespace
