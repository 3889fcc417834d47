// Rules of both games: move-tree counts against the published figures for
// ordinary chess and fixed figures of this program's 3D rules; positions built
// for the purpose (castling, en passant, promotion by pawn and by attack board,
// attack-board moves under both rule settings, lines across empty pins); why a
// move is refused, by each rule of both games; and invariants, refusal reasons
// included, checked at every position of many seeded random games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <tuple>

#include "cli.h"
#include "test_util.h"
#include "viewlogic.h"
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
    return std::vector<MOVE_T>(list, list + GetMoveList(b, list));
}

std::vector<MOVE_T> Legal(POS_T* b) {
    static MOVE_T list[4 * MOVE_LIST_SIZE];
    return std::vector<MOVE_T>(list, list + LegalMoves(b, list));
}

using KEY_T = std::tuple<int, SQ_T, SQ_T>;

// The legal moves among those a generator lists (the evasion one, or the
// full one), and all it lists.
std::set<KEY_T> LegalSet(POS_T* b, bool full_generator, std::vector<MOVE_T>* legal = nullptr,
                         std::vector<MOVE_T>* listed = nullptr) {
    static MOVE_T list[MOVE_LIST_SIZE];
    POS_T scratch, copy = *b;
    const int n = full_generator ? GenerateMoves(&copy, list) : GetMoveList(&copy, list);
    std::set<KEY_T> keys;
    for (int i = 0; i < n; i++) {
        MOVE_T m = list[i];
        if (!DoMove(&scratch, &copy, &m)) continue;
        keys.insert({m.piece_moving, m.from, m.to});
        if (legal) legal->push_back(list[i]);
    }
    if (listed) listed->assign(list, list + n);
    return keys;
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
    EXPECT_TRUE(Find(Listed(&after), W_PAWN, E5, D6));
    EXPECT_EQ(CountMoves(Legal(&after), W_PAWN, E5, D6), 1);
}

TEST(Promotion2D, ListedFiveTimesAndMadeAsChosen) {
    POS_T* b = Setup2D("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(CountMoves(Listed(b), W_PAWN, B7, B8), 5);
    EXPECT_EQ(CountMoves(Legal(b), W_PAWN, B7, B8), 4);
    POS_T child;
    Make(&child, b, W_PAWN, B7, B8, 'N');
    EXPECT_EQ(child.board[B8], W_KNIGHT);
    EXPECT_TRUE(child.flags & FLAG_W_PROMOTED);
    Make(&child, b, W_PAWN, B7, B8, 'Q');
    EXPECT_EQ(child.pboard[B8], 1);  // the free queen slot
    EXPECT_TRUE(child.flags & FLAG_IN_CHECK);
}

// A pawn one step from promoting is marked, on the board it starts on and
// after a move onto that row; one further back is not.
TEST(Promotion2D, PawnsOneStepFromPromotingAreMarked) {
    POS_T* b = Setup2D("4k3/P6p/1P6/8/8/6p1/p6P/4K3 w - - 0 1");
    POS_T child;
    Make(&child, b, W_PAWN, B6, B7);
    ASSERT_TRUE(child.pawns7th);
    for (const POS_T* p : {static_cast<const POS_T*>(b), static_cast<const POS_T*>(&child)})
        for (int i = 0; i < 32; i++) {
            const int piece = p->pieces[i].p, row = YPOS(p->pieces[i].pos);
            if (piece != W_PAWN && piece != B_PAWN) continue;
            const bool marked = (p->pawns7th >> i) & 1;
            EXPECT_EQ(marked, piece == W_PAWN ? row == 6 : row == 1) << piece << " on row " << row;
        }
}

// On the tri-level board: a pawn on an attack board at the far end is marked
// on one of its two rows only, a Black one at White's end as a White one at Black's.
TEST(Promotion3D, PawnsOnAFarAttackBoardAreMarkedOnOneRow) {
    ASSERT_TRUE(NewGameState(3));
    POS_T* b = &state.position;
    const std::vector<int> pins(b->whereis_board, b->whereis_board + 4);
    std::vector<SQ_T> free_cells;
    std::map<int, std::vector<SQ_T>> rows;  // pin -> one cell of each row of its board
    for (SQ_T sq = 0; sq < 64; sq++) {
        const int board = BoardOfCell(sq);
        if (board < 0 && !b->board[sq]) free_cells.push_back(sq);
        if (board < 0) continue;
        auto& cells = rows[b->whereis_board[board]];
        if (cells.empty() || (cells.size() == 1 && YPOS(cells[0]) != YPOS(sq))) cells.push_back(sq);
    }
    ASSERT_GE(free_cells.size(), 2u);
    for (const auto& [pin, pawn] : {std::pair{ABW_QL1, B_PAWN}, {ABW_KL1, B_PAWN}, {ABW_QL6, W_PAWN}}) {
        ASSERT_EQ(rows[pin].size(), 2u) << pin;
        b = Setup3D(pins, {{free_cells[0], W_KING}, {free_cells[1], B_KING}, {rows[pin][0], pawn},
                           {rows[pin][1], pawn}});
        EXPECT_EQ(__builtin_popcountll(b->pawns7th), 1) << "pin " << pin << ", pawn " << pawn;
    }
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
    state.position.fifty_count = 7;
    MOVE_T m = Make(&child, &state.position, W_KING, C1, D1, 'S');  // king and rook change places
    EXPECT_EQ(child.board[D1], W_KING);
    EXPECT_EQ(child.board[C1], W_ROOK);
    EXPECT_EQ(child.pboard[C1], 2);
    EXPECT_EQ(child.flags & 0x3, 0u);
    EXPECT_TRUE(child.flags & FLAG_W_CASTLED);
    EXPECT_EQ(child.fifty_count, 8) << "the king onto its rook's cell takes nothing: the count goes on";
    EXPECT_EQ(m.move_symbol, 'S');
    // the long castling brings the rook to the king's cell
    POS_T* b = Setup3D(home_pins, {{C1, W_KING}, {A1, W_ROOK}, {C8, B_KING}}, true, 0x3);
    Make(&child, b, W_KING, C1, B1, 'L');
    EXPECT_EQ(child.board[B1], W_KING);
    EXPECT_EQ(child.board[C1], W_ROOK);
    EXPECT_EQ(child.board[A1], 0);
    // a Black rook takes the rook on d1 along the e file of the boards
    b = Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL3},
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
    const std::set<KEY_T> listed = LegalSet(b, false);
    EXPECT_EQ(listed, LegalSet(b, true));
    EXPECT_TRUE(listed.count({AB_KLW, ABW_KL2, ABW_QL2}));
    EXPECT_TRUE(listed.count({AB_KLW, ABW_KL2, ABW_QL5}));
}

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

// The counts up to a million leaves, or only those beyond.
void RunCases(bool only_deep) {
    for (const PERFT_CASE_T& c : cases) {
        Setup2D(c.fen);
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
        for (int d = 0; d < 3; d++)
            EXPECT_EQ(Perft(&state.position, d + 1), w.counts[d]) << w.moves << " depth " << d + 1;
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
        {"r3k3/8/8/8/8/8/8/3RK3 b q - 0 1", "", E8, C8, "the king may not castle through check"},
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

// Invariants at every position of seeded random games in both games: the
// incremental maps and keys agree with a rebuild from scratch, making in place
// agrees with making into a copy, and check evasion offers exactly the legal
// moves of the full generator.
std::set<SQ_T> SlotSquares(const POS_T* b, uint64_t mask) {
    std::set<SQ_T> squares;
    for (int i = 0; i < 32; i++)
        if (mask >> i & 1) squares.insert(b->pieces[i].pos);
    return squares;
}

// What the random games went through, so a test can tell it met the rare rules.
struct SEEN_T {
    int checks = 0, board_moves = 0, promotions = 0, castles = 0;
    int legal = 0, refused = 0, unsafe = 0, boards = 0;  // refusals: moves asked about
    int typed = 0;                                       // refused moves typed as texts
};

// Checks one position and chooses a legal move at random; false when the
// game is over. `moved` holds the slots of pawns that made a move of their
// own (not one riding their board).
bool CheckPosition(POS_T* b, std::mt19937* rng, MOVE_T* chosen, int ply, SEEN_T* seen, uint64_t moved) {
    SCOPED_TRACE("ply " + std::to_string(ply));
    // reach map: incremental (2D) or regenerated equals a rebuild from scratch
    POS_T fresh = *b, rebuilt = *b;
    EXPECT_EQ(RegenToPieces(&fresh), 1);
    EXPECT_EQ(memcmp(fresh.topieces, b->topieces, sizeof b->topieces), 0) << "reach map";
    EXPECT_EQ(memcmp(fresh.xray_topieces, b->xray_topieces, sizeof b->xray_topieces), 0) << "x-ray map";
    // keys equal those of a position built from the bare board
    EXPECT_EQ(CreatePBoard(&rebuilt), 1);
    EXPECT_EQ(rebuilt.hash1, b->hash1) << "hash1";
    EXPECT_EQ(rebuilt.hash2, b->hash2) << "hash2";
    EXPECT_EQ(rebuilt.w_material, b->w_material);
    EXPECT_EQ(rebuilt.b_material, b->b_material);
    // the rebuild may number the slots differently: compare the squares
    EXPECT_EQ(SlotSquares(&rebuilt, rebuilt.pawns7th), SlotSquares(b, b->pawns7th)) << "pawns about to promote";

    // the evasion generator offers exactly the legal moves
    std::vector<MOVE_T> legal, listed;
    const std::set<KEY_T> keys = LegalSet(b, false, &legal, &listed);
    EXPECT_EQ(keys, LegalSet(b, true)) << (b->flags & FLAG_IN_CHECK ? "in check" : "not in check");
    if (b->flags & FLAG_IN_CHECK) seen->checks++;
    // a pawn that has moved is never offered a two-cell step again
    for (const MOVE_T& m : listed) {
        if (IsAB(m.piece_moving) || abs(m.piece_moving) != 1 || b->board[m.to] || m.move_symbol == 'e' ||
            !(moved >> b->pboard[m.from] & 1))
            continue;
        const std::vector<SQ_T> one = Step(b, m.from, m.piece_moving > 0 ? NORTH : SOUTH);
        EXPECT_NE(std::find(one.begin(), one.end(), m.to), one.end())
            << "moved pawn offered a double step " << (int)m.from << "-" << (int)m.to;
    }
    // every legal move has a text of its own, so a text names one move
    std::map<std::string, std::string> texts;
    POS_T for_texts = *b;
    for (const MOVE_TEXT_T& m : LegalMoveTexts(&for_texts)) {
        auto [at, fresh] = texts.emplace(m.text, m.token);
        EXPECT_TRUE(fresh) << at->second << " and " << m.token << " both read " << m.text;
    }
    if (legal.empty()) return false;
    *chosen = legal[(*rng)() % legal.size()];
    if (IsAB(chosen->piece_moving)) seen->board_moves++;
    if (strchr("QRBN", chosen->move_symbol) && chosen->move_symbol) seen->promotions++;
    if (chosen->move_symbol == 'S' || chosen->move_symbol == 'L') seen->castles++;

    // making into a copy and in place give the same position
    MOVE_T m1 = *chosen, m2 = *chosen;
    POS_T a, in_place = *b;
    EXPECT_EQ(DoMove(&a, b, &m1), 1);
    EXPECT_EQ(DoMove(&in_place, &in_place, &m2), 1);
    const POS_T& c = in_place;
    EXPECT_EQ(memcmp(a.board, c.board, sizeof a.board), 0);
    EXPECT_EQ(memcmp(a.whereis_board, c.whereis_board, sizeof a.whereis_board), 0);
    EXPECT_TRUE(state.dmode == 2 || !memcmp(a.whites_board, c.whites_board, sizeof a.whites_board));
    EXPECT_EQ(memcmp(a.topieces, c.topieces, sizeof a.topieces), 0);
    EXPECT_EQ(a.hash1, c.hash1);
    EXPECT_EQ(a.hash2, c.hash2);
    EXPECT_EQ(a.flags & 0x1FBF, c.flags & 0x1FBF);
    EXPECT_EQ(a.enpassant, c.enpassant);
    EXPECT_EQ(a.move_num, c.move_num);
    EXPECT_EQ(a.fifty_count, c.fifty_count);
    // the fifty-move count starts again at a capture or a pawn's own step, else counts
    // on (a 3D castle, the king onto its rook's cell, too)
    auto men = [](const POS_T& p) { return std::count_if(p.board, p.board + 64, [](int x) { return x != 0; }); };
    const bool resets = (!IsAB(m1.piece_moving) && abs(m1.piece_moving) == 1) || men(a) < men(*b);
    EXPECT_EQ(a.fifty_count, resets ? 1 : b->fifty_count + 1) << (int)m1.piece_moving;
    EXPECT_EQ(m1.check, m2.check);
    return true;
}

// The legality a player's move gets from the window: LegalMove, on a copy.
bool Plays(const POS_T& b, MOVE_T m) {
    POS_T copy = b;
    return LegalMove(&copy, &m, "test") != 0;
}

// Every legal move of the position gets no reason; random moves the rules
// refuse, and every board move refused, get one; the position is unchanged.
void CheckRefusals(POS_T* b, std::mt19937* rng, SEEN_T* counts) {
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
        // typed as a piece and its cells (Ng1-e3), or as a piece and where it
        // goes when it is the only one of its kind, it is the same move
        const int p = m.piece_moving;
        if (IsAB(p) || !p || (m.move_symbol != '-' && m.move_symbol != 'x')) return;
        char from[24], to[24];
        CellName(b, m.from, from, sizeof from);
        CellName(b, m.to, to, sizeof to);
        const std::string letter(1, "?PNBRQK"[abs(p)]);
        std::vector<std::string> texts{letter + from + "-" + to};
        // (a pawn named without its file moves along it)
        const bool along = abs(p) != 1 || PosStr(b, m.from)[0] == PosStr(b, m.to)[0];
        if ((p > 0) == (IsWhitesMove(b) != 0) && along && std::count(b->board, b->board + 64, p) == 1)
            texts.push_back(letter + to);
        for (const std::string& text : texts) {
            MOVE_T named;
            std::string general;
            ASSERT_TRUE(NamedMove(b, text, &named, &general)) << text << ": " << general;
            EXPECT_EQ(named.piece_moving, p) << text;
            EXPECT_EQ(named.from, m.from) << text;
            EXPECT_EQ(named.to, m.to) << text;
            EXPECT_EQ(TypedRefusal(b, text), std::string(": ") + out) << text;
            counts->typed++;
        }
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

// Seeded random games, every position checked for the invariants. In the
// first `refusal_games` games (every other one from a start with few men),
// the first 60 plies are also asked for refusal reasons in the verbose mode,
// where fault reports show, and played as a player plays them.
SEEN_T PlayRandomGames(int dmode, int rules, int games, unsigned seed, int refusal_games) {
    std::mt19937 rng(seed);
    SEEN_T seen;
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    for (int g = 0; g < games; g++) {
        SCOPED_TRACE("game " + std::to_string(g));
        if (g >= refusal_games || g % 2 == 0 || !SparseStart(dmode, &rng)) {
            EXPECT_TRUE(NewGameState(dmode));
        }
        StoreShared(state.rules, rules);
        POS_T* b = &state.position;
        uint64_t moved = 0;  // slots of pawns that have moved
        for (int ply = 0; ply < 200 && !b->winner && !testing::Test::HasFailure(); ply++) {
            MOVE_T m;
            if (!CheckPosition(b, &rng, &m, ply, &seen, moved)) break;
            if (!IsAB(m.piece_moving) && abs(m.piece_moving) == 1) moved |= 1ull << b->pboard[m.from];
            if (g < refusal_games && ply < 60) {
                eval_show = true;
                CheckRefusals(b, &rng, &seen);
                EXPECT_EQ(PlayerMoved(b, &m), 1) << "a legal move was refused";
                eval_show = false;
            } else {
                EXPECT_EQ(DoMove(b, b, &m), 1);
            }
        }
    }
    eval_show = false;
    testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find("Panic"), std::string::npos) << err.substr(0, 2000);
    return seen;
}

TEST(RulesInvariants, RandomGamesOfBothGamesAndRules) {
    struct RUN_T {
        int dmode, rules, games;
        unsigned seed;
        int refusal_games;
        // more than this many seen
        int checks, board_moves, promotions, castles, legal, refused, unsafe, boards;
    } const runs[] = {{2, RULES_TDCL, 60, 2027, 8, 50, -1, 3, 3, 5000, 5000, 20, -1},
                      {3, RULES_TDCL, 20, 7, 4, 20, 50, -1, -1, 2000, 5000, -1, 5000},
                      {3, RULES_TOURNAMENT, 20, 11, 4, 20, 20, -1, -1, 2000, 5000, -1, 5000}};
    for (const RUN_T& r : runs) {
        SCOPED_TRACE(std::to_string(r.dmode) + "D, rules " + std::to_string(r.rules));
        const SEEN_T seen = PlayRandomGames(r.dmode, r.rules, r.games, r.seed, r.refusal_games);
        EXPECT_GT(seen.checks, r.checks);
        EXPECT_GT(seen.board_moves, r.board_moves);
        EXPECT_GT(seen.promotions, r.promotions);
        EXPECT_GT(seen.castles, r.castles);
        EXPECT_GT(seen.legal, r.legal);
        EXPECT_GT(seen.refused, r.refused);
        EXPECT_GT(seen.unsafe, r.unsafe);
        EXPECT_GT(seen.boards, r.boards);
        EXPECT_GT(seen.typed, r.refused / 5) << "refused moves typed";
    }
}

}  // namespace
