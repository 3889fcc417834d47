// Rules of both games in positions built for the purpose: castling, en
// passant, promotion by pawn and by attack board, attack-board moves under
// both rule settings, pawns on boards away from home, lines across empty pins.
#include <gtest/gtest.h>

#include <cstring>

#include "cli.h"
#include "test_util.h"
#include "movegen/movegen.h"
#include "position/position.h"

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
    return std::vector<MOVE_T>(list, list + GetMoveList(b, list));
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

// Makes the listed move of `b` into `child`; the move as made is returned.
MOVE_T Make(POS_T* child, POS_T* b, int piece, SQ_T from, SQ_T to, char symbol = 0) {
    const auto l = Listed(b);
    const MOVE_T* listed = Find(l, piece, from, to, symbol);
    EXPECT_NE(listed, nullptr) << (int)from << "-" << (int)to;
    MOVE_T m = listed ? *listed : MOVE_T{};
    EXPECT_EQ(DoMove(child, b, &m), 1);
    return m;
}

// Keys of a made move agree with a position built from its bare board.
void ExpectKeysRebuilt(const POS_T& child) {
    POS_T rebuilt = child;
    CreatePBoard(&rebuilt);
    EXPECT_EQ(rebuilt.hash1, child.hash1);
}

TEST(Castling2D, RightsSafeSquaresAndTheRookSquare) {
    struct CASE_T {
        const char* fen;
        bool short_castle, long_castle;
    } const cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", true, true},
        {"r3kr2/8/8/8/8/8/8/R3K2R w KQq - 0 1", false, true},  // the rook on f8 covers f1
        {"1r2k3/8/8/8/8/8/8/R3K3 w Q - 0 1", false, true},     // b1 attacked does not matter
    };
    for (const CASE_T& c : cases) {
        const auto l = Listed(Setup2D(c.fen));
        EXPECT_EQ(Find(l, W_KING, E1, G1, 'S') != nullptr, c.short_castle) << c.fen;
        EXPECT_EQ(Find(l, W_KING, E1, C1, 'L') != nullptr, c.long_castle) << c.fen;
    }
    POS_T child;
    Make(&child, &state.position, W_KING, E1, C1, 'L');
    EXPECT_EQ(child.board[D1], W_ROOK);
    EXPECT_EQ(child.board[A1], 0);
    EXPECT_EQ(child.flags & 0xF, 0u);
    EXPECT_TRUE(child.flags & FLAG_W_CASTLED);
    // a capture on the rook's square ends that right alone
    Make(&child, Setup2D("r3k2r/8/8/8/8/8/6b1/R3K2R b KQkq - 0 1"), B_BISHOP, G2, H1);
    EXPECT_FALSE(child.flags & FLAG_WK_CASTLE);
    EXPECT_TRUE(child.flags & FLAG_WQ_CASTLE);
    ExpectKeysRebuilt(child);
}

TEST(EnPassant2D, OfferedOnlyWhenAPawnCanTakeEvenOutOfCheck) {
    POS_T after, taken;
    Make(&after, Setup2D("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1"), B_PAWN, D7, D5);
    EXPECT_EQ(after.enpassant, (SQ_T)D6);
    MOVE_T m = Make(&taken, &after, W_PAWN, E5, D6, 'e');
    EXPECT_EQ(taken.board[D5], 0);
    EXPECT_EQ(taken.board[D6], W_PAWN);
    EXPECT_EQ(m.move_symbol, 'x');
    EXPECT_EQ(taken.fifty_count, 1);
    // no pawn beside the landing square: no en passant square, the key untouched by it
    Make(&after, Setup2D("4k3/3p4/8/8/7P/8/8/4K3 b - - 0 1"), B_PAWN, D7, D5);
    EXPECT_EQ(after.enpassant, 0u);
    ExpectKeysRebuilt(after);
    // d7-d5 gives check to the king on e4; exd6 answers it
    Make(&after, Setup2D("4k3/3p4/8/4P3/4K3/8/8/8 b - - 0 1"), B_PAWN, D7, D5);
    ASSERT_TRUE(after.flags & FLAG_IN_CHECK);
    static MOVE_T legal[4 * MOVE_LIST_SIZE];
    const int n = LegalMoves(&after, legal);
    EXPECT_TRUE(Find(Listed(&after), W_PAWN, E5, D6));
    EXPECT_EQ(CountMoves(std::vector<MOVE_T>(legal, legal + n), W_PAWN, E5, D6), 1);
}

TEST(Promotion2D, ListedFiveTimesAndMadeAsChosen) {
    POS_T* b = Setup2D("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    static MOVE_T legal[4 * MOVE_LIST_SIZE];
    const int n = LegalMoves(b, legal);
    EXPECT_EQ(CountMoves(Listed(b), W_PAWN, B7, B8), 5);
    EXPECT_EQ(CountMoves(std::vector<MOVE_T>(legal, legal + n), W_PAWN, B7, B8), 4);
    POS_T child;
    Make(&child, b, W_PAWN, B7, B8, 'N');
    EXPECT_EQ(child.board[B8], W_KNIGHT);
    EXPECT_TRUE(child.flags & FLAG_W_PROMOTED);
    Make(&child, b, W_PAWN, B7, B8, 'Q');
    EXPECT_EQ(child.pboard[B8], 1);  // the free queen slot
    EXPECT_TRUE(child.flags & FLAG_IN_CHECK);
}

TEST(CheckEvasion2D, DoubleCheckAndTheCheckingLine) {
    // knight d6 and rook e1 both check the king on e8: only king moves
    POS_T pos = *Setup2D("4k3/8/3N4/8/8/8/8/K3R3 b - - 0 1");
    ASSERT_GT(Perft(&pos, 1), 0u);
    pos.flags |= FLAG_IN_CHECK;
    for (const MOVE_T& m : Listed(&pos)) EXPECT_EQ(m.piece_moving, B_KING);
    pos = *Setup2D("4k3/8/8/8/8/8/8/K3R3 b - - 0 1");
    pos.flags |= FLAG_IN_CHECK;
    EXPECT_FALSE(Find(Listed(&pos), B_KING, E8, E7));
    EXPECT_TRUE(Find(Listed(&pos), B_KING, E8, D7));
}

const std::vector<int> home_pins = {ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6};

TEST(Castling3D, ShortLongAndTheRooksHome) {
    ASSERT_TRUE(NewGameState(3));
    POS_T child;
    MOVE_T m = Make(&child, &state.position, W_KING, C1, D1, 'S');  // king and rook change places
    EXPECT_EQ(child.board[D1], W_KING);
    EXPECT_EQ(child.board[C1], W_ROOK);
    EXPECT_EQ(child.pboard[C1], 2);
    EXPECT_EQ(child.flags & 0x3, 0u);
    EXPECT_TRUE(child.flags & FLAG_W_CASTLED);
    EXPECT_EQ(child.fifty_count, 1);
    EXPECT_EQ(m.move_symbol, 'S');
    // the long castling brings the rook to the king's cell
    Make(&child, Setup3D(home_pins, {{C1, W_KING}, {A1, W_ROOK}, {C8, B_KING}}, true, 0x3), W_KING, C1, B1, 'L');
    EXPECT_EQ(child.board[B1], W_KING);
    EXPECT_EQ(child.board[C1], W_ROOK);
    EXPECT_EQ(child.board[A1], 0);
    // a Black rook takes the rook on d1 along the e file of the boards
    POS_T* b = Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL3},
                       {{C1, W_KING}, {D1, W_ROOK}, {A1, W_ROOK}, {D8, B_ROOK}, {H8, B_KING}}, false, 0x3);
    Make(&child, b, B_ROOK, D8, D1);
    EXPECT_FALSE(child.flags & FLAG_WK_CASTLE);
    EXPECT_TRUE(child.flags & FLAG_WQ_CASTLE);
}

TEST(EnPassant3D, TakesThePawnThatMovedAndNothingOnAStraightPush) {
    // White f2 goes two steps to the middle level's b4 (f4 is taken);
    // Black's c4 pawn takes en passant and must remove b4, not f4
    POS_T* b = Setup3D(home_pins, {{C1, W_KING}, {H8, B_KING}, {F2, W_PAWN}, {F4, W_PAWN}, {C4, B_PAWN}});
    POS_T after, taken;
    Make(&after, b, W_PAWN, F2, B4);
    ASSERT_EQ(after.enpassant, (SQ_T)F3);
    EXPECT_TRUE(Find(Listed(&after), B_PAWN, C4, F3, 'e'));
    MOVE_T m = Make(&taken, &after, B_PAWN, C4, B3, 'e');
    EXPECT_EQ(m.move_symbol, 'e');
    EXPECT_EQ(taken.board[B4], 0);
    EXPECT_EQ(taken.board[F4], W_PAWN);
    EXPECT_EQ(taken.board[B3], B_PAWN);
    // b4 (middle level) pushes straight down to b3, at the passed cell's place
    b = Setup3D(home_pins, {{C1, W_KING}, {H8, B_KING}, {F2, W_PAWN}, {G4, B_PAWN}, {B4, B_PAWN}});
    Make(&after, b, W_PAWN, F2, F4);
    ASSERT_EQ(after.enpassant, (SQ_T)F3);
    Make(&taken, &after, B_PAWN, B4, B3);
    EXPECT_EQ(taken.board[F4], W_PAWN);
    EXPECT_EQ(taken.board[B3], B_PAWN);
}

TEST(Promotion3D, LastRowWithoutABoardBeyondAndByAttackBoard) {
    // White pawn on the Black level's d7; the KLB board on KL6 lies beyond d8
    POS_T* b = Setup3D(home_pins, {{E1, W_KING}, {A8, B_KING}, {H7, W_PAWN}});
    EXPECT_EQ(CountMoves(Listed(b), W_PAWN, H7, H8), 1);
    POS_T child;
    Make(&child, b, W_PAWN, H7, H8);
    EXPECT_EQ(child.board[H8], W_PAWN);
    // with that board gone to KL4 the pawn promotes on d8
    b = Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL4}, {{E1, W_KING}, {A8, B_KING}, {H7, W_PAWN}});
    EXPECT_EQ(CountMoves(Listed(b), W_PAWN, H7, H8), 5);
    EXPECT_TRUE(b->pawns7th);
    // QLW on QL4 carrying a White pawn on its cell a; QL6 is free
    b = Setup3D({ABW_QL4, ABW_QL2, ABW_KL1, ABW_KL6}, {{E1, W_KING}, {H8, B_KING}, {A2, W_PAWN}});
    EXPECT_EQ(CountMoves(Listed(b), AB_QLW, ABW_QL4, ABW_QL6), 5);
    MOVE_T m = Make(&child, b, AB_QLW, ABW_QL4, ABW_QL6, 'R');
    EXPECT_EQ(child.board[A2], W_ROOK);
    EXPECT_TRUE(child.flags & FLAG_W_PROMOTED);
    EXPECT_EQ(child.whereis_board[0], ABW_QL6);
    EXPECT_EQ(m.move_symbol, 'R');
}

TEST(AttackBoards, LoadOrderOwnershipAndPawnsAway) {
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
    // empty QLW at QL2, boards on QL4 and KL2: QL1, QL3, KL5 in that order
    b = Setup3D({ABW_QL2, ABW_QL4, ABW_KL2, ABW_KL6}, {{E1, W_KING}, {H8, B_KING}});
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
    // QLW moved to QL3 with its pawn on b2: one step, onto a4 of the White and the middle level
    b = Setup3D({ABW_QL3, ABW_QL6, ABW_KL1, ABW_KL6}, {{E1, W_KING}, {H8, B_KING}, {B2, W_PAWN}});
    int pushes = 0;
    for (const MOVE_T& m : Listed(b)) pushes += m.piece_moving == W_PAWN;
    EXPECT_EQ(pushes, 2);
    b = Setup3D(home_pins, {{E1 + 8, W_KING}, {H8, B_KING}, {B2, W_PAWN}});  // at home
    l = Listed(b);
    EXPECT_TRUE(Find(l, W_PAWN, B2, F3) || Find(l, W_PAWN, B2, B3) || CountMoves(l, W_PAWN, B2, E2) == 1);
}

TEST(AttackBoards, LinesJumpAcrossEmptyPinsAndTheFarEnd) {
    // rook on QLW's cell a at QL1, no board on QL3 or the pair, boards on QL4 and QL6
    const std::vector<int> pins = {ABW_QL1, ABW_QL4, ABW_KL1, ABW_QL6};
    POS_T* b = Setup3D(pins, {{E1, W_KING}, {H8, B_KING}, {A2, W_ROOK}});
    uint64_t bit = 1ull << b->pboard[A2];
    for (SQ_T sq : {A7, A8, C7, C8}) EXPECT_TRUE(b->topieces[sq] & bit) << (int)sq;  // cell c, then a
    // a piece on the QL4 board's cell a stops the walk there, and can be taken
    b = Setup3D(pins, {{E1, W_KING}, {H8, B_KING}, {A2, W_ROOK}, {A8, B_KNIGHT}});
    bit = 1ull << b->pboard[A2];
    EXPECT_TRUE(b->topieces[A8] & bit);
    EXPECT_FALSE(b->topieces[C7] & bit);
    EXPECT_TRUE(Find(Listed(b), W_ROOK, A2, A8, 'x'));
    // rook on cell b of QLB at QL6, KLB on KL6: reaches its cells a and b, not past its own man
    b = Setup3D(home_pins, {{E1, W_KING}, {H1, B_KING}, {B8, W_ROOK}});
    bit = 1ull << b->pboard[B8];
    EXPECT_TRUE(b->topieces[C8] & bit);
    EXPECT_TRUE(b->topieces[D8] & bit);
    b = Setup3D(home_pins, {{E1, W_KING}, {H1, B_KING}, {B8, W_ROOK}, {C8, W_PAWN}});
    EXPECT_FALSE(b->topieces[D8] & (1ull << b->pboard[B8]));
}

TEST(CheckEvasion3D, ABoardCarryingAPieceIntoTheLineAnswersCheck) {
    // The rook on a8 (z9) checks the king on QLW's cell a at QL3 (z3) down the
    // z file across the empty pins. Moving the KLW board, with its knight,
    // from KL2 to QL2 puts the knight on z4, in the line.
    POS_T* b = Setup3D({ABW_QL3, ABW_QL6, ABW_KL2, ABW_KL6},
                       {{A2, W_KING}, {C1, W_KNIGHT}, {A8, B_ROOK}, {D8, B_KING}});
    ASSERT_TRUE(b->flags & FLAG_IN_CHECK);
    std::set<std::tuple<int, SQ_T, SQ_T>> listed, all;
    POS_T scratch;
    static MOVE_T full[MOVE_LIST_SIZE];
    const int n = GenerateMoves(b, full);
    for (int i = 0; i < n; i++)
        if (DoMove(&scratch, b, &full[i])) all.insert({full[i].piece_moving, full[i].from, full[i].to});
    for (MOVE_T m : Listed(b))
        if (DoMove(&scratch, b, &m)) listed.insert({m.piece_moving, m.from, m.to});
    EXPECT_EQ(listed, all);
    EXPECT_TRUE(listed.count({AB_KLW, ABW_KL2, ABW_QL2}));
    EXPECT_TRUE(listed.count({AB_KLW, ABW_KL2, ABW_QL5}));
}

}  // namespace
