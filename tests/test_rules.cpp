// Rules of both games in positions built for the purpose: castling, en
// passant, promotion by pawn and by attack board, attack-board moves under
// both rule settings, pawns on boards away from home, lines across empty pins.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "cli.h"
#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {

POS_T* Setup2D(const char* fen) {
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    EXPECT_TRUE(SetUpGame(opt));
    std::string error;
    EXPECT_TRUE(SetUpFen(fen, &error)) << error;
    return &state.position;
}

std::vector<MOVE_T> Listed(POS_T* b) {
    static MOVE_T list[MOVE_LIST_SIZE];
    int n = GetMoveList(b, list);
    return std::vector<MOVE_T>(list, list + n);
}

std::vector<MOVE_T> Legal(POS_T* b) {
    static MOVE_T list[4 * MOVE_LIST_SIZE];
    int n = LegalMoves(b, list);
    return std::vector<MOVE_T>(list, list + n);
}

int CountMoves(const std::vector<MOVE_T>& l, int piece, SQ_T from, SQ_T to) {
    int n = 0;
    for (const MOVE_T& m : l) n += m.piece_moving == piece && m.from == from && m.to == to;
    return n;
}

const MOVE_T* Find(const std::vector<MOVE_T>& l, int piece, SQ_T from, SQ_T to, char symbol = 0) {
    for (const MOVE_T& m : l)
        if (m.piece_moving == piece && m.from == from && m.to == to && (!symbol || m.move_symbol == symbol))
            return &m;
    return nullptr;
}

// Makes a listed move into `child`; the move as made is returned.
MOVE_T Make(POS_T* child, POS_T* b, const MOVE_T* listed) {
    EXPECT_NE(listed, nullptr);
    MOVE_T m = listed ? *listed : MOVE_T{};
    EXPECT_EQ(DoMove(child, b, &m), 1);
    return m;
}

// --- ordinary chess -------------------------------------------------------

TEST(Castling2D, RightsAndSafeSquares) {
    POS_T* b = Setup2D("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    auto l = Listed(b);
    EXPECT_TRUE(Find(l, W_KING, E1, G1, 'S'));
    EXPECT_TRUE(Find(l, W_KING, E1, C1, 'L'));
    // a Black rook on f8 covers f1: no short castling; the long one stays
    b = Setup2D("r3kr2/8/8/8/8/8/8/R3K2R w KQq - 0 1");
    l = Listed(b);
    EXPECT_FALSE(Find(l, W_KING, E1, G1, 'S'));
    EXPECT_TRUE(Find(l, W_KING, E1, C1, 'L'));
    // b1 attacked does not matter for the long castling, only d1 and c1
    b = Setup2D("1r2k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
    EXPECT_TRUE(Find(Listed(b), W_KING, E1, C1, 'L'));
    POS_T child;
    MOVE_T m = Make(&child, b, Find(Listed(b), W_KING, E1, C1, 'L'));
    EXPECT_EQ(child.board[D1], W_ROOK);
    EXPECT_EQ(child.board[A1], 0);
    EXPECT_EQ(child.flags & 0xF, 0u);
    EXPECT_TRUE(child.flags & FLAG_W_CASTLED);
    (void)m;
}

TEST(Castling2D, CaptureOnTheRookSquareEndsTheRight) {
    POS_T* b = Setup2D("r3k2r/8/8/8/8/8/6b1/R3K2R b KQkq - 0 1");
    POS_T child;
    Make(&child, b, Find(Listed(b), B_BISHOP, G2, H1));
    EXPECT_FALSE(child.flags & FLAG_WK_CASTLE);
    EXPECT_TRUE(child.flags & FLAG_WQ_CASTLE);
    POS_T rebuilt = child;
    CreatePBoard(&rebuilt);
    EXPECT_EQ(rebuilt.hash1, child.hash1);
}

TEST(EnPassant2D, OfferedOnlyWhenAPawnCanTakeAndMadeCorrectly) {
    POS_T* b = Setup2D("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    POS_T after;
    Make(&after, b, Find(Listed(b), B_PAWN, D7, D5));
    EXPECT_EQ(after.enpassant, (SQ_T)D6);
    const auto after_moves = Listed(&after);
    const MOVE_T* ep = Find(after_moves, W_PAWN, E5, D6, 'e');
    ASSERT_TRUE(ep);
    POS_T taken;
    MOVE_T m = Make(&taken, &after, ep);
    EXPECT_EQ(taken.board[D5], 0);
    EXPECT_EQ(taken.board[D6], W_PAWN);
    EXPECT_EQ(m.move_symbol, 'x');
    EXPECT_EQ(taken.fifty_count, 1);
    // no pawn beside the landing square: no en passant square, key untouched by it
    b = Setup2D("4k3/3p4/8/8/7P/8/8/4K3 b - - 0 1");
    Make(&after, b, Find(Listed(b), B_PAWN, D7, D5));
    EXPECT_EQ(after.enpassant, 0u);
    POS_T rebuilt = after;
    CreatePBoard(&rebuilt);
    EXPECT_EQ(rebuilt.hash1, after.hash1);
}

TEST(EnPassant2D, CheckingPawnCanBeTakenEnPassant) {
    // d7-d5 gives check to the king on e4; exd6 answers it
    POS_T* b = Setup2D("4k3/3p4/8/4P3/4K3/8/8/8 b - - 0 1");
    POS_T after;
    Make(&after, b, Find(Listed(b), B_PAWN, D7, D5));
    ASSERT_TRUE(after.flags & FLAG_IN_CHECK);
    EXPECT_TRUE(Find(Listed(&after), W_PAWN, E5, D6));
    EXPECT_EQ(CountMoves(Legal(&after), W_PAWN, E5, D6), 1);
}

TEST(Promotion2D, ListedFiveTimesAndMadeAsChosen) {
    POS_T* b = Setup2D("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    auto l = Listed(b);
    EXPECT_EQ(CountMoves(l, W_PAWN, B7, B8), 5);
    EXPECT_EQ(CountMoves(Legal(b), W_PAWN, B7, B8), 4);
    POS_T child;
    Make(&child, b, Find(l, W_PAWN, B7, B8, 'N'));
    EXPECT_EQ(child.board[B8], W_KNIGHT);
    EXPECT_TRUE(child.flags & FLAG_W_PROMOTED);
    // a new queen goes to the free queen slot
    Make(&child, b, Find(l, W_PAWN, B7, B8, 'Q'));
    EXPECT_EQ(child.pboard[B8], 1);
    EXPECT_TRUE(child.flags & FLAG_IN_CHECK);
}

TEST(CheckEvasion2D, DoubleCheckListsOnlyKingMoves) {
    // knight d6 and rook e1 both check the king on e8
    POS_T* b = Setup2D("4k3/8/3N4/8/8/8/8/K3R3 b - - 0 1");
    ASSERT_TRUE(Perft(b, 1) > 0);
    POS_T pos = *b;
    pos.flags |= FLAG_IN_CHECK;
    for (const MOVE_T& m : Listed(&pos)) EXPECT_EQ(m.piece_moving, B_KING);
}

TEST(CheckEvasion2D, KingCannotStepAlongTheCheckingLine) {
    POS_T* b = Setup2D("4k3/8/8/8/8/8/8/K3R3 b - - 0 1");
    POS_T pos = *b;
    pos.flags |= FLAG_IN_CHECK;
    auto l = Listed(&pos);
    EXPECT_FALSE(Find(l, B_KING, E8, E7));
    EXPECT_TRUE(Find(l, B_KING, E8, D7));
}

// --- 3D chess -------------------------------------------------------------

const std::vector<int> home_pins = {ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6};

TEST(Castling3D, ShortExchangesKingAndRook) {
    ASSERT_TRUE(NewGameState(3));
    POS_T* b = &state.position;
    POS_T child;
    MOVE_T m = Make(&child, b, Find(Listed(b), W_KING, C1, D1, 'S'));
    EXPECT_EQ(child.board[D1], W_KING);
    EXPECT_EQ(child.board[C1], W_ROOK);
    EXPECT_EQ(child.pboard[C1], 2);
    EXPECT_EQ(child.flags & 0x3, 0u);
    EXPECT_TRUE(child.flags & FLAG_W_CASTLED);
    EXPECT_EQ(child.fifty_count, 1);
    EXPECT_EQ(m.move_symbol, 'S');
}

TEST(Castling3D, LongBringsTheRookToTheKingsCell) {
    POS_T* b = Setup3D(home_pins, {{C1, W_KING}, {A1, W_ROOK}, {C8, B_KING}}, true, 0x3);
    POS_T child;
    Make(&child, b, Find(Listed(b), W_KING, C1, B1, 'L'));
    EXPECT_EQ(child.board[B1], W_KING);
    EXPECT_EQ(child.board[C1], W_ROOK);
    EXPECT_EQ(child.board[A1], 0);
}

TEST(Castling3D, RookCaptureOnItsHomeEndsTheRight) {
    // a Black rook takes the rook on d1 along the e file of the boards
    POS_T* b = Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL3},
                       {{C1, W_KING}, {D1, W_ROOK}, {A1, W_ROOK}, {D8, B_ROOK}, {H8, B_KING}}, false, 0x3);
    POS_T child;
    Make(&child, b, Find(Listed(b), B_ROOK, D8, D1));
    EXPECT_FALSE(child.flags & FLAG_WK_CASTLE);
    EXPECT_TRUE(child.flags & FLAG_WQ_CASTLE);
}

TEST(EnPassant3D, DiagonalCaptureRemovesThePawnThatMoved) {
    // White f2 goes two steps to the middle level's b4 (f4 is taken);
    // Black's c4 pawn takes en passant and must remove b4, not f4.
    POS_T* b = Setup3D(home_pins, {{C1, W_KING}, {H8, B_KING}, {F2, W_PAWN}, {F4, W_PAWN}, {C4, B_PAWN}});
    POS_T after;
    Make(&after, b, Find(Listed(b), W_PAWN, F2, B4));
    ASSERT_EQ(after.enpassant, (SQ_T)F3);
    auto l = Listed(&after);
    const MOVE_T* ep = Find(l, B_PAWN, C4, B3, 'e');
    ASSERT_TRUE(ep);
    EXPECT_TRUE(Find(l, B_PAWN, C4, F3, 'e'));
    POS_T taken;
    MOVE_T m = Make(&taken, &after, ep);
    EXPECT_EQ(m.move_symbol, 'e');
    EXPECT_EQ(taken.board[B4], 0);       // the pawn that made the double step
    EXPECT_EQ(taken.board[F4], W_PAWN);  // the other pawn stays
    EXPECT_EQ(taken.board[B3], B_PAWN);
}

TEST(EnPassant3D, StraightPushOntoThePassedPlaceTakesNothing) {
    POS_T* b = Setup3D(home_pins, {{C1, W_KING}, {H8, B_KING}, {F2, W_PAWN}, {G4, B_PAWN}, {B4, B_PAWN}});
    POS_T after;
    Make(&after, b, Find(Listed(b), W_PAWN, F2, F4));
    ASSERT_EQ(after.enpassant, (SQ_T)F3);
    // b4 (middle level) pushes straight down to b3, at the passed cell's place
    POS_T pushed;
    Make(&pushed, &after, Find(Listed(&after), B_PAWN, B4, B3));
    EXPECT_EQ(pushed.board[F4], W_PAWN);
    EXPECT_EQ(pushed.board[B3], B_PAWN);
}

TEST(Promotion3D, LastRowOnlyWithoutABoardBeyond) {
    // White pawn on the Black level's d7; the KLB board on KL6 lies beyond d8
    POS_T* b = Setup3D(home_pins, {{E1, W_KING}, {A8, B_KING}, {H7, W_PAWN}});
    EXPECT_EQ(CountMoves(Listed(b), W_PAWN, H7, H8), 1);
    POS_T child;
    Make(&child, b, Find(Listed(b), W_PAWN, H7, H8));
    EXPECT_EQ(child.board[H8], W_PAWN);
    // with that board gone to KL4 the pawn promotes on d8
    b = Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL4}, {{E1, W_KING}, {A8, B_KING}, {H7, W_PAWN}});
    EXPECT_EQ(CountMoves(Listed(b), W_PAWN, H7, H8), 5);
    EXPECT_TRUE(b->pawns7th);
}

TEST(Promotion3D, AttackBoardCarriesAPawnToPromotion) {
    // QLW on QL4 carrying a White pawn on its cell a; QL6 is free
    POS_T* b = Setup3D({ABW_QL4, ABW_QL2, ABW_KL1, ABW_KL6}, {{E1, W_KING}, {H8, B_KING}, {A2, W_PAWN}});
    auto l = Listed(b);
    EXPECT_EQ(CountMoves(l, AB_QLW, ABW_QL4, ABW_QL6), 5);
    POS_T child;
    MOVE_T m = Make(&child, b, Find(l, AB_QLW, ABW_QL4, ABW_QL6, 'R'));
    EXPECT_EQ(child.board[A2], W_ROOK);
    EXPECT_TRUE(child.flags & FLAG_W_PROMOTED);
    EXPECT_EQ(child.whereis_board[0], ABW_QL6);
    EXPECT_EQ(m.move_symbol, 'R');
}

TEST(AttackBoards, LoadDecidesTheDirections) {
    // a White pawn aboard at QL3: forward and across only
    POS_T* b = Setup3D({ABW_QL3, ABW_QL6, ABW_KL1, ABW_KL6}, {{E1, W_KING}, {H8, B_KING}, {A2, W_PAWN}});
    auto l = Listed(b);
    for (int to : {ABW_QL2, ABW_QL4, ABW_QL5, ABW_KL3}) EXPECT_TRUE(Find(l, AB_QLW, ABW_QL3, to)) << to;
    EXPECT_FALSE(Find(l, AB_QLW, ABW_QL3, ABW_QL1));
    // a White knight aboard may ride back only under the TDCL rules
    b = Setup3D({ABW_QL3, ABW_QL6, ABW_KL1, ABW_KL6}, {{E1, W_KING}, {H8, B_KING}, {A2, W_KNIGHT}});
    EXPECT_TRUE(Find(Listed(b), AB_QLW, ABW_QL3, ABW_QL1));
    state.rules = RULES_TOURNAMENT;
    EXPECT_FALSE(Find(Listed(b), AB_QLW, ABW_QL3, ABW_QL1));
}

TEST(AttackBoards, DestinationOrderAndOwnership) {
    // empty QLW at QL2, boards on QL4 and KL2: QL1, QL3, KL5 in that order
    POS_T* b = Setup3D({ABW_QL2, ABW_QL4, ABW_KL2, ABW_KL6}, {{E1, W_KING}, {H8, B_KING}});
    MOVE_T out[8];
    ASSERT_EQ(GenAttackBoardMoves(b, AB_QLW, out), 3);
    EXPECT_EQ(out[0].to, (SQ_T)ABW_QL1);
    EXPECT_EQ(out[1].to, (SQ_T)ABW_QL3);
    EXPECT_EQ(out[2].to, (SQ_T)ABW_KL5);
    EXPECT_EQ(out[0].move_symbol, 'T');
    // Black's boards do not move on White's turn; full boards never move
    EXPECT_EQ(GenAttackBoardMoves(b, AB_QLB, out), 0);
    ASSERT_TRUE(NewGameState(3));
    EXPECT_EQ(GenAttackBoardMoves(&state.position, AB_QLW, out), 0);
}

TEST(AttackBoards, PawnOnABoardAwayFromHomeStepsOnce) {
    // QLW moved to QL3 with its pawn on b2 (the board's cell b, at a3)
    POS_T* b = Setup3D({ABW_QL3, ABW_QL6, ABW_KL1, ABW_KL6}, {{E1, W_KING}, {H8, B_KING}, {B2, W_PAWN}});
    int pushes = 0;
    for (const MOVE_T& m : Listed(b)) pushes += m.piece_moving == W_PAWN;
    EXPECT_EQ(pushes, 2);  // one step, onto a4 of the White and the middle level
    // at home the same pawn may also step twice
    b = Setup3D(home_pins, {{E1 + 8, W_KING}, {H8, B_KING}, {B2, W_PAWN}});
    EXPECT_TRUE(Find(Listed(b), W_PAWN, B2, F3) || Find(Listed(b), W_PAWN, B2, B3) ||
                CountMoves(Listed(b), W_PAWN, B2, E2) == 1);
}

TEST(AttackBoards, RookLineJumpsAcrossEmptyPins) {
    // rook on QLW's cell a at QL1, no board on QL3 or the pair, a board on QL4 and QL6
    POS_T* b = Setup3D({ABW_QL1, ABW_QL4, ABW_KL1, ABW_QL6}, {{E1, W_KING}, {H8, B_KING}, {A2, W_ROOK}});
    uint64_t bit = 1ull << b->pboard[A2];
    EXPECT_TRUE(b->topieces[A7] & bit);   // QLB (on QL4): cell c, then a
    EXPECT_TRUE(b->topieces[A8] & bit);
    EXPECT_TRUE(b->topieces[C7] & bit);   // KLB (on QL6): cell c, then a
    EXPECT_TRUE(b->topieces[C8] & bit);
    // a piece on the QL4 board's cell a stops the walk there
    b = Setup3D({ABW_QL1, ABW_QL4, ABW_KL1, ABW_QL6},
                {{E1, W_KING}, {H8, B_KING}, {A2, W_ROOK}, {A8, B_KNIGHT}});
    bit = 1ull << b->pboard[A2];
    EXPECT_TRUE(b->topieces[A8] & bit);   // the knight can be taken
    EXPECT_FALSE(b->topieces[C7] & bit);
    EXPECT_TRUE(Find(Listed(b), W_ROOK, A2, A8, 'x'));
}

TEST(AttackBoards, RowJumpAcrossTheFarEnd) {
    // rook on cell b of QLB at QL6, KLB on KL6: reaches its cells a and b
    POS_T* b = Setup3D(home_pins, {{E1, W_KING}, {H1, B_KING}, {B8, W_ROOK}});
    uint64_t bit = 1ull << b->pboard[B8];
    EXPECT_TRUE(b->topieces[C8] & bit);
    EXPECT_TRUE(b->topieces[D8] & bit);
    b = Setup3D(home_pins, {{E1, W_KING}, {H1, B_KING}, {B8, W_ROOK}, {C8, W_PAWN}});
    bit = 1ull << b->pboard[B8];
    EXPECT_FALSE(b->topieces[C8] & bit & 0);  // own piece: not a destination
    EXPECT_FALSE(b->topieces[D8] & bit);
}

TEST(CheckEvasion3D, ABoardCarryingAPieceIntoTheLineAnswersCheck) {
    // The rook on a8 (z9) checks the king on QLW's cell a at QL3 (z3) down
    // the z file across the empty pins. Moving the KLW board, with its
    // knight, from KL2 to QL2 puts the knight on z4, in the line.
    POS_T* b = Setup3D({ABW_QL3, ABW_QL6, ABW_KL2, ABW_KL6},
                       {{A2, W_KING}, {C1, W_KNIGHT}, {A8, B_ROOK}, {D8, B_KING}});
    ASSERT_TRUE(b->flags & FLAG_IN_CHECK);
    std::set<std::tuple<int, SQ_T, SQ_T>> listed, all;
    POS_T scratch;
    static MOVE_T full[MOVE_LIST_SIZE];
    int n = GenerateMoves(b, full);
    for (int i = 0; i < n; i++) {
        MOVE_T m = full[i];
        if (DoMove(&scratch, b, &m)) all.insert({m.piece_moving, m.from, m.to});
    }
    for (MOVE_T m : Listed(b))
        if (DoMove(&scratch, b, &m)) listed.insert({m.piece_moving, m.from, m.to});
    EXPECT_EQ(listed, all);
    EXPECT_TRUE(listed.count({AB_KLW, ABW_KL2, ABW_QL2}));
    EXPECT_TRUE(listed.count({AB_KLW, ABW_KL2, ABW_QL5}));
}

}  // namespace
