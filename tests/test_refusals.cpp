// Why a move is refused: the reason of each rule in both games, and over
// many positions of random games that legal moves get none while refused
// ones always get one, without a fault report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "cli.h"
#include "test_util.h"
#include "viewlogic.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {
// A 2D game: moves played from the start or from a FEN.
void Game2D(const std::string& moves, const std::string& fen = "") {
    std::string error;
    if (fen.empty()) ASSERT_TRUE(NewGameState(2));
    else ASSERT_TRUE(SetUpFen(fen, &error)) << error;
    ASSERT_TRUE(PlayMoves(moves, &error)) << error;
}

// The reason of the move of two clicks (as the window builds it); "" when legal.
std::string Reason(SQ_T from, SQ_T to) {
    MOVE_T m;
    if (!BuildMouseMove(&state.position, state.dmode, from, to, &m))
        InitMove(&m, 0, from, to, INF_VALUE, '-', false);
    char out[96] = "unchanged";
    const bool refused = RefusalReason(&state.position, &m, out, sizeof out);
    EXPECT_EQ(refused, out[0] != 0) << out;
    return out;
}
std::string BoardReason(int ab, int pin) {
    MOVE_T m;
    BuildBoardMove(&state.position, ab, (SQ_T)pin, &m);
    char out[96];
    return RefusalReason(&state.position, &m, out, sizeof out) ? out : "";
}
}  // namespace

TEST(Refusals, EachRuleOfThe2DGameSaysWhy) {
    struct CASE_T {
        const char* fen;  // "" for the start
        const char* moves;
        SQ_T from, to;
        const char* words;
    };
    const CASE_T cases[] = {
        {"", "", E3, E4, "that cell is empty"},
        {"", "", E7, E5, "it is White's move"},
        {"", "", D1, D2, "your own pawn is on d2"},
        {"", "", G1, G3, "a knight moves two cells, then one to the side"},
        {"", "", F1, C4, "the pawn on e2 is in the way"},
        {"", "", A1, A5, "the pawn on a2 is in the way"},
        {"", "e2e4,e7e5", E1, E3, "a king moves one cell"},
        {"", "e2e4,e7e5", D1, E3, "a queen moves along ranks, files and diagonals"},
        {"", "e2e4,e7e5", C1, C3, "a bishop moves along diagonals"},
        {"", "a2a4,a7a5", A1, B3, "a rook moves along ranks and files"},
        {"", "", E2, E5, "a pawn moves one cell, two at its first move"},
        {"", "", E2, D3, "a pawn moves diagonally only to take a piece"},
        {"", "", E2, C3, "a pawn moves straight ahead and takes diagonally"},
        {"", "e2e4,e7e5", E4, E5, "a pawn takes diagonally, not straight ahead"},
        {"", "e2e4,d7d5", E4, E3, "a pawn moves forward only"},
        {"", "e2e3,d7d5", E3, E5, "a pawn moves two cells only at its first move"},
        {"", "b1c3,d7d5,c3e4,d5e4", E2, E4, "takes diagonally"},
        {"", "e2e4,a7a6,e4e5,d7d5,a2a3,a6a5", E5, D6, "en passant must come right after the double step"},
        {"4k3/8/8/8/4r3/8/4N3/4K3 w - - 0 1", "", E2, C3, "your king would be in check"},
        {"", "f2f3,e7e5,e1f2,d8h4", A2, A3, "you are in check: a2-a3 does not answer it"},
        {"", "f2f3,e7e5,e1f2,d8h4", G1, H3, "you are in check: Ng1-h3 does not answer it"},
        {"", "f2f3,e7e5,e1f2,d8h4", F2, E1, "the king may not move into check"},
        {"4k3/8/8/8/8/8/8/R3K1NR w KQ - 0 1", "", E1, G1, "the knight on g1 is in the way"},
        {"4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1", "", E1, G1, "the king may not castle through check"},
        {"4k1r1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "", E1, G1, "the king may not castle into check"},
        {"4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "", E1, C1, "the king may not castle out of check"},
        {"4k3/8/8/8/8/8/8/R3K2R w Q - 0 1", "", E1, G1, "no castling: the king or that rook has moved"},
        {"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "", E1, G1, "no castling: there is no rook on h1"},
        {"4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1", "", E2, E4, "the knight on e3 is in the way"},
        {"1r2k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "", E1, C1, nullptr},  // b1 may be attacked: legal
    };
    for (const CASE_T& c : cases) {
        SCOPED_TRACE(std::string(c.fen) + " | " + c.moves);
        Game2D(c.moves, c.fen);
        const std::string reason = Reason(c.from, c.to);
        if (c.words) EXPECT_NE(reason.find(c.words), std::string::npos) << reason;
        else EXPECT_EQ(reason, "");
        EXPECT_LE(reason.size(), 52u) << "the info line's room";
    }
    // The game decided: nothing moves.
    Game2D("f2f3,e7e5,g2g4,d8h4");
    testing::internal::CaptureStdout();
    EXPECT_EQ(JudgeGame(&state.position), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Reason(A2, A3), "the game is over");
}

TEST(Refusals, AttackBoardsAndThe3DGameSayWhy) {
    ASSERT_TRUE(NewGameState(3));
    StoreShared(state.rules, RULES_TDCL);
    EXPECT_EQ(BoardReason(AB_QLW, ABW_QL3), "a board may carry one piece at most");
    EXPECT_EQ(BoardReason(AB_QLB, ABW_QL4), "that board is Black's");
    EXPECT_EQ(Reason(32, 34), "a knight moves two cells, then one to the side");
    EXPECT_EQ(Reason(40, 58), "the pawn on c2W is in the way");  // the bishop's diagonal
    EXPECT_EQ(Reason(C1, D1), "") << "short castling, king and rook change places";

    // QLW on QL3 carrying a pawn, QLB on QL4; kings on the main levels.
    const std::vector<PLACED_T> pawn_aboard = {{35, W_KING}, {60, B_KING}, {1, W_PAWN}};
    Setup3D({ABW_QL3, ABW_QL4, ABW_KL1, ABW_KL6}, pawn_aboard);
    EXPECT_EQ(BoardReason(AB_QLW, ABW_QL1), "a board with a pawn goes only forward or across");
    EXPECT_EQ(BoardReason(AB_QLW, ABW_QL4), "another board stands on QL4");
    EXPECT_EQ(BoardReason(AB_QLW, ABW_QL6), "the board cannot reach QL6 from QL3");
    EXPECT_EQ(BoardReason(AB_QLW, ABW_QL2), "");
    EXPECT_EQ(BoardReason(AB_QLW, 34), "a board moves only to a free pin");
    // a knight aboard: backwards only under the TDCL rules
    Setup3D({ABW_QL3, ABW_QL4, ABW_KL1, ABW_KL6}, {{35, W_KING}, {60, B_KING}, {1, W_KNIGHT}});
    EXPECT_EQ(BoardReason(AB_QLW, ABW_QL1), "");
    StoreShared(state.rules, RULES_TOURNAMENT);
    EXPECT_EQ(BoardReason(AB_QLW, ABW_QL1), "a loaded board goes only forward or across");
    StoreShared(state.rules, RULES_TDCL);

    // nothing moves straight up or down: a rook on the white level to the
    // middle level's cell above it
    Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6}, {{35, W_KING}, {60, B_KING}, {34, W_ROOK}});
    EXPECT_EQ(Reason(34, 2), "no piece moves straight up or down a level");

    // castling: out of check, and without the right
    const uint64_t rights = FLAG_WK_CASTLE | FLAG_WQ_CASTLE;
    Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6},
            {{C1, W_KING}, {D1, W_ROOK}, {A1, W_ROOK}, {39, B_KING}, {22, B_ROOK}}, true, rights);
    ASSERT_TRUE(state.position.flags & FLAG_IN_CHECK) << "the rook on the black board checks down file d";
    EXPECT_EQ(Reason(C1, D1), "the king may not castle out of check");
    EXPECT_EQ(Reason(C1, B1), "the king may not castle out of check");
    Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6}, {{C1, W_KING}, {D1, W_ROOK}, {39, B_KING}}, true, 0);
    EXPECT_EQ(Reason(C1, D1), "no castling: the king or that rook has moved");
}

// A move outside the list of a position in check, named with the verbose
// mode on, once printed a fault report and a dump.
TEST(Refusals, TheWindowNamesARefusedMoveAndWhy) {
    Game2D("f2f3,e7e5,e1f2,d8h4");
    char text[64];
    MOVE_T m;
    auto said = [&] {
        IllegalMoveText(&state.position, &m, text, sizeof text);
        return std::string(text);
    };
    eval_show = true;
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    ASSERT_TRUE(BuildMouseMove(&state.position, 2, A2, A3, &m));
    EXPECT_EQ(PlayerMoved(&state.position, &m), 0);
    EXPECT_EQ(said(), "you are in check: a2-a3 does not answer it");
    testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    eval_show = false;
    EXPECT_EQ(err.find("Panic"), std::string::npos) << err;
    ASSERT_TRUE(NewGameState(3));
    InitMove(&m, AB_QLW, ABW_QL1, ABW_QL5, INF_VALUE, 'T', false);
    EXPECT_EQ(said(), "QL white to QL5: a board may carry one piece at most");
    ASSERT_TRUE(NewGameState(2));
    ASSERT_TRUE(BuildMouseMove(&state.position, 2, G1, G3, &m));
    EXPECT_EQ(said(), "Ng1-g3: a knight moves two cells, then one to the side");
    ASSERT_TRUE(BuildMouseMove(&state.position, 2, A2, A5, &m));
    EXPECT_EQ(said(), "a2-a5: a pawn moves one cell, two at its first move");
}

namespace {
// The legality a player's move gets from the window: LegalMove, on a copy.
bool Plays(const POS_T& b, MOVE_T m) {
    POS_T copy = b;
    return LegalMove(&copy, &m, "test") != 0;
}

struct COUNTS_T {
    int legal = 0, refused = 0, unsafe = 0, boards = 0;
};

// Every legal move of the position gets no reason; random moves the rules
// refuse, and every board move refused, get one; the position is unchanged.
void CheckPosition(std::mt19937* rng, COUNTS_T* counts) {
    POS_T* b = &state.position;
    static MOVE_T legal[LEGAL_LIST_SIZE], list[MOVE_LIST_SIZE];
    char out[96];
    const int n = LegalMoves(b, legal);  // may drop castling rights gone in fact
    const POS_T before = *b;
    for (int i = 0; i < n; i++, counts->legal++) {
        EXPECT_FALSE(RefusalReason(b, &legal[i], out, sizeof out)) << MoveToken(legal[i]) << ": " << out;
        EXPECT_STREQ(out, "");
    }
    auto check = [&](MOVE_T m) {
        const bool refused = RefusalReason(b, &m, out, sizeof out);
        EXPECT_NE(Plays(*b, m), refused) << MoveToken(m) << " " << m.piece_moving << ": " << out;
        if (!refused) return;
        EXPECT_GT(strlen(out), 5u) << MoveToken(m);
        EXPECT_LE(strlen(out), 52u) << out;
        counts->refused++;
        if (strstr(out, "check")) counts->unsafe++;
    };
    for (int k = 0; k < 40; k++) {
        const SQ_T from = (*rng)() % 64, to = (*rng)() % 64;
        MOVE_T m;
        if (!BuildMouseMove(b, state.dmode, from, to, &m)) InitMove(&m, 0, from, to, INF_VALUE, '-', false);
        check(m);
    }
    // listed moves that leave the king attacked get a reason about the king
    POS_T copy = *b;
    const int listed = GetMoveList(&copy, list);
    for (int i = 0; i < listed; i++) {
        if (Plays(*b, list[i]) || !RefusalReason(b, &list[i], out, sizeof out)) continue;
        EXPECT_TRUE(strstr(out, "check")) << MoveToken(list[i]) << ": " << out;
        counts->unsafe++;
    }
    if (state.dmode == 3)
        for (int ab : {AB_QLW, AB_QLB, AB_KLW, AB_KLB})
            for (int pin : all_pins) {
                MOVE_T m;
                BuildBoardMove(b, ab, (SQ_T)pin, &m);
                check(m);
                counts->boards++;
            }
    EXPECT_EQ(memcmp(&before, b, offsetof(POS_T, dont_copy)), 0) << "the position was changed";
}

// A start with most men taken off and, in the 3D game, the boards on random
// pins, so that light boards move and kings are exposed; false when the side
// not to move would be in check.
bool SparseStart(int dmode, std::mt19937* rng) {
    EXPECT_TRUE(NewGameState(dmode));
    POS_T* b = &state.position;
    for (SQ_T sq = 0; sq < 64; sq++)
        if (b->board[sq] && abs(b->board[sq]) != 6 && (*rng)() % 100 < 70) b->board[sq] = 0;
    if (dmode == 3) {
        std::vector<int> pins(all_pins, all_pins + 12);
        std::shuffle(pins.begin(), pins.end(), *rng);
        for (int k = 0; k < 4; k++) b->whereis_board[k] = pins[k];
    }
    // a castling right stands for its king and rook at home
    const SQ_T king = dmode == 2 ? E1 : C1, rooks[4] = {dmode == 2 ? H1 : D1, A1, dmode == 2 ? H8 : D8, A8};
    for (int r = 0; r < 4; r++)
        if (b->board[rooks[r]] != (r < 2 ? W_ROOK : B_ROOK) || b->board[king + 7 * (r / 2)] != (r < 2 ? 6 : -6))
            b->flags &= ~(1ull << r);
    if (CreatePBoard(b) != 1) return false;
    UpdateMaps(b);
    auto attacked = [&](bool white) {
        return (b->topieces[b->pieces[white ? 0 : 16].pos] & (white ? 0xFFFF0000ull : 0xFFFFull)) != 0;
    };
    if (attacked(false)) return false;
    if (attacked(true)) b->flags |= FLAG_IN_CHECK;
    return true;
}

COUNTS_T RandomGames(int dmode, int rules, int games, int plies, unsigned seed) {
    std::mt19937 rng(seed);
    COUNTS_T counts;
    eval_show = true;  // the verbose mode, where the fault reports show
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    for (int g = 0; g < games && !testing::Test::HasFailure(); g++) {
        // every other game from a start with few men
        if (g % 2 == 0 || !SparseStart(dmode, &rng)) {
            EXPECT_TRUE(NewGameState(dmode));
        }
        StoreShared(state.rules, rules);
        for (int ply = 0; ply < plies && !testing::Test::HasFailure(); ply++) {
            CheckPosition(&rng, &counts);
            static MOVE_T legal[LEGAL_LIST_SIZE];
            const int n = LegalMoves(&state.position, legal);
            if (!n) break;
            MOVE_T m = legal[rng() % n];
            if (!PlayerMoved(&state.position, &m)) {
                ADD_FAILURE() << "a legal move was refused";
                break;
            }
        }
    }
    testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    eval_show = false;
    EXPECT_EQ(err.find("Panic"), std::string::npos) << err.substr(0, 2000);
    return counts;
}
}  // namespace

TEST(Refusals, LegalMovesHaveNoReasonAndRefusedOnesAlwaysOne) {
    COUNTS_T c = RandomGames(2, RULES_TDCL, 8, 60, 31);
    EXPECT_GT(c.legal, 5000);
    EXPECT_GT(c.refused, 5000);
    EXPECT_GT(c.unsafe, 20);
    for (int rules : {RULES_TDCL, RULES_TOURNAMENT}) {
        SCOPED_TRACE(rules);
        c = RandomGames(3, rules, 4, 60, 17 + rules);
        EXPECT_GT(c.legal, 2000);
        EXPECT_GT(c.refused, 5000);
        EXPECT_GT(c.boards, 5000);
    }
}
