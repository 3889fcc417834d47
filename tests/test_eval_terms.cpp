// The evaluation's terms in positions built for the purpose, where a wrong
// sign, square or table index would show: the control layer, outposts, rooks,
// pawns, kings, pins, hanging and overloaded pieces, bishops, tactics; then
// material corrections, the stage, draw values, score texts and the tables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli_runner.h"
#include "live_game.h"
#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

// The 2D position of the FEN, evaluated afresh in the given stage (its own
// stage when none is given). Term functions may be called on it afterwards:
// the pawn tables and the active slice are those of this position.
POS_T* At(const char* fen, int stage = -1) {
    POS_T* b = Live2D(fen);
    if (stage >= 0)
        b->stage = stage;
    else
        EstimateGameStage(b, 1);
    RegenToPieces(b);
    return b;
}

// The 2D game's table slice of a stage.
const ETYPE_T* S(int stage = MID_GS) { return new_coefficients_2d + stage * COEFF_SLICE; }
int Slot(const POS_T* b, SQ_T sq) { return b->pboard[sq]; }
uint64_t Bit(const POS_T* b, SQ_T sq) { return 1ull << b->pboard[sq]; }

// A term of the piece on `sq`, in the FEN's position at the given stage.
using PIECE_TERM_T = ETYPE_T (*)(POS_T*, int);
struct PIECE_ROW_T {
    PIECE_TERM_T term;
    const char* fen;
    SQ_T sq;
    ETYPE_T expected;
    int stage = MID_GS;
};
void ExpectPieceTerms(const std::vector<PIECE_ROW_T>& rows) {
    for (const PIECE_ROW_T& r : rows) {
        POS_T* b = At(r.fen, r.stage);
        EXPECT_EQ(r.term(b, Slot(b, r.sq)), r.expected) << r.fen << " square " << (int)r.sq;
    }
}

// A whole-position term in the FEN's position at the given stage.
void ExpectTerm(ETYPE_T (*term)(POS_T*), const std::vector<std::pair<const char*, ETYPE_T>>& rows,
                int stage = MID_GS) {
    for (const auto& [fen, expected] : rows) EXPECT_EQ(term(At(fen, stage)), expected) << fen;
}

TEST(Control, SquaresGoToTheCheaperAttacker) {
    // d4: one pawn and one knight of each side
    POS_T* b = At("4k3/8/8/1n2p3/8/2P2N2/8/4K3 w - - 0 1");
    EXPECT_EQ(GetControl(b, b->topieces[D4], 0, D4), 0);
    EXPECT_EQ(b->cont[D4], 0);
    EXPECT_EQ(b->control[D4], 0);
    EXPECT_EQ(b->flight[D4], 0u);
    // a Black queen attacked by a rook, defended by a bishop and a knight
    b = At("3k4/8/1n6/3q4/2b5/8/8/3RK3 w - - 0 1", MID_GS);
    const ETYPE_T* c = S();
    EXPECT_EQ(GetControl(b, b->topieces[D5], B_QUEEN, D5), 5);
    EXPECT_EQ(b->cont[D5], 1);
    // d5 is outside the zone of the White king (e1, on the king side)
    EXPECT_EQ(b->control[D5], c[189 + D5] + c[253 + D5]);
    EXPECT_EQ(c[253 + D5], 0);
    // Black controls e.g. the knight's squares: the mirrored entry, negated
    EXPECT_EQ(b->cont[C4], -1);
    EXPECT_EQ(b->control[C4], -(c[189 + (C4 ^ 7)] + black_king_side[C4]));
}

TEST(Control, FlightFollowsTheCheapestEnemyAttacker) {
    // e4 is attacked by a White king, pawn, knight and rook
    POS_T* b = At("k3r3/8/8/8/8/2NP1K2/8/4R3 w - - 0 1");  // Black attacks with a rook
    EXPECT_GT(b->cont[E4], 0);
    EXPECT_EQ(b->flight[E4], Bit(b, C3) | Bit(b, E1));  // never the king or a pawn
    b = At("k7/1b6/8/8/8/2NP1K2/8/4R3 w - - 0 1");  // with a bishop
    EXPECT_EQ(b->flight[E4], Bit(b, C3));
    b = At("k3r3/8/8/5p2/8/2NP1K2/8/4R3 w - - 0 1");  // a pawn attacks too
    EXPECT_GT(b->cont[E4], 0);
    EXPECT_EQ(b->flight[E4], 0u);
    // safe mobility is the number of flight sets a piece is in
    for (int s = 0; s < 32; s++) {
        if (!(b->piece_mask >> s & 1)) continue;
        int n = 0;
        for (int sq = 0; sq < 64; sq++) n += (b->flight[sq] >> s) & 1;
        EXPECT_EQ(b->safe_mobility[s], n) << s;
    }
    // attack counts are bounded by the table
    b = At("7k/8/2PQP3/1PB2PR1/3nn2q/1PR2PN1/2PNPB2/K7 w - - 0 1", MID_GS);
    int nw = 0, nb = 0;
    for (int s = 1; s < 16; s++)
        if (b->pieces[s].p) nb += PopCount32((b->topieces[b->pieces[s].pos] >> 16) & 0xFF);
    for (int s = 17; s < 32; s++)
        if (b->pieces[s].p) nw += PopCount32(b->topieces[b->pieces[s].pos] & 0xFF);
    ASSERT_GT(nb, 15);
    ASSERT_LE(nw, 15);
    EXPECT_EQ(BoardControl2(b), S()[1271 + nw] - S()[1286]);
}

TEST(Pins, PieceInFrontOfAMoreValuableOne) {
    // a White rook between a Black bishop and the White queen
    POS_T* b = At("7k/8/8/8/1b6/8/3R4/4Q1K1 w - - 0 1", MID_GS);
    EXPECT_EQ(b->pinned_mask, Bit(b, D2));
    EXPECT_EQ(b->mobility[Slot(b, D2)], 0);
    EXPECT_EQ(b->cont[D5], 0);  // the pinned rook controls nothing
    b = At("4q1k1/3r4/8/1B6/8/8/8/7K b - - 0 1", MID_GS);  // Black's mirror
    EXPECT_EQ(b->pinned_mask, Bit(b, D7));
    // a queen is never reported pinned; nothing is in the mating stage
    EXPECT_EQ(At("7k/8/8/8/1b6/8/3R4/4Q1K1 w - - 0 1", MATING)->pinned_mask, 0u);
    EXPECT_EQ(At("4k3/8/8/8/1b6/8/3Q4/4K3 w - - 0 1", MID_GS)->pinned_mask, 0u);
}

TEST(Hanging, PiecesOnSquaresTheEnemyControls) {
    POS_T* b = At("4k3/8/8/4p3/3N4/8/8/4K3 w - - 0 1");
    EXPECT_EQ(b->hung_mask, Bit(b, D4));
    // A square White controls but whose table value is below zero gets a
    // negative control value: a White piece there counts as hung. Both signs
    // of the table's entry are tried.
    b = At("4k3/8/8/8/8/1n6/3P4/3RK3 w - - 0 1", MID_GS);  // attacked once, held twice
    ETYPE_T& entry = GameCoefficients()[MID_GS * COEFF_SLICE + 189 + D2];
    const ETYPE_T kept = entry;
    for (const ETYPE_T value : {500, -500}) {
        entry = value;
        RegenToPieces(b);
        EXPECT_EQ(b->cont[D2], 1);
        EXPECT_EQ(b->control[D2], value);
        EXPECT_EQ(b->hung_mask, value < 0 ? Bit(b, D2) : 0u);
    }
    entry = kept;
}

TEST(Overload, DefenderOfSeveralBalancedSquares) {
    // the rook on d1 alone holds d4, g1 and b1, each attacked once; the mirror costs Black
    const ETYPE_T* c = S();
    ExpectTerm(OverloadedPieces, {{"k2r4/8/7K/8/3N4/n6n/8/1N1R2N1 w - - 0 1", -c[1191]},
                                  {"k2r4/8/7K/8/3N4/7n/8/3R2N1 w - - 0 1", -c[1190]},
                                  {"k7/8/7K/8/8/7n/8/3R2N1 w - - 0 1", 0},
                                  {"1n1r2n1/8/N6N/3n4/8/7k/8/K2R4 b - - 0 1", c[1191]}});
}

TEST(Pieces, OutpostsXraysRooksQueensAndMobility) {
    const ETYPE_T* c = S();
    const ETYPE_T defended = c[125 + E6] + c[2] + c[4];
    ExpectPieceTerms({
        {EvalKnight, "4k3/8/4N3/3P4/8/8/8/4K3 w - - 0 1", E6, defended},
        {EvalKnight, "4k3/8/4N3/8/8/8/8/4K3 w - - 0 1", E6, c[125 + E6] + c[2]},
        {EvalKnight, "4k3/5p2/4N3/8/8/8/8/4K3 w - - 0 1", E6, c[125 + E6]},  // f7 can come to attack it
        {EvalKnight, "4k3/8/8/8/4N3/8/8/4K3 w - - 0 1", E4, c[125 + E4]},    // not far enough forward
        {EvalKnight, "4k3/8/8/8/3p4/4n3/8/4K3 b - - 0 1", E3, defended},     // Black's mirror
        // a bishop: outpost values and its x-ray count (nothing on its lines)
        {EvalBishop, "4k3/8/4B3/3P4/8/8/8/4K3 w - - 0 1", E6, c[3] + c[5] + c[48]},
        // e4's diagonals reach a8, h7, h1 and b1, whatever stands between: king, queen, rook
        {EvalBishopXray, "r7/1p5k/6p1/8/4B3/8/3K4/7q w - - 0 1", E4, c[48 + 3]},
        {EvalBishopXray, "8/1p5k/6p1/8/4B3/8/3K4/8 w - - 0 1", E4, c[48 + 1]},
        {EvalBishopXray, "8/1p4k1/6p1/8/4B3/8/3K4/8 w - - 0 1", E4, c[48]},
        // a pair on the seventh; cut apart; guarding, one on the seventh; Black's seventh
        {EvalRook, "4k3/R6R/8/8/8/8/8/4K3 w - - 0 1", A7, c[61 + A7] + c[6] + c[7]},
        {EvalRook, "4k3/R6R/8/8/8/8/8/4K3 w - - 0 1", H7, c[61 + H7] + c[6] + c[7]},
        {EvalRook, "4k3/R2N3R/8/8/8/8/8/4K3 w - - 0 1", A7, c[61 + A7]},
        {EvalRook, "4k3/R2N3R/8/8/8/8/8/4K3 w - - 0 1", H7, c[61 + H7]},
        {EvalRook, "4k3/7R/8/8/8/8/8/4K2R w - - 0 1", H7, c[61 + H7] + c[6]},
        {EvalRook, "4k3/7R/8/8/8/8/8/4K2R w - - 0 1", H1, c[61 + H1] + c[6]},
        {EvalRook, "4k3/8/8/8/8/8/r6r/4K3 b - - 0 1", A2, c[61 + A7] + c[6] + c[7]},
    });
    // a queen out early in the opening (by slot: 1 is White's, 17 Black's)
    const ETYPE_T* o = S(OPENING);
    const struct {
        const char* fen;
        int slot, stage;
        ETYPE_T expected;
    } queens[] = {{"4k3/8/8/8/8/3Q4/8/4K3 w - - 0 1", 1, OPENING, 0},
                  {"4k3/8/8/8/3Q4/8/8/4K3 w - - 0 1", 1, OPENING, -o[9]},
                  {"4k3/8/3q4/8/8/8/8/4K3 w - - 0 1", 17, OPENING, 0},
                  {"4k3/8/8/3q4/8/8/8/4K3 w - - 0 1", 17, OPENING, -o[9]},
                  {"4k3/8/8/8/3Q4/8/8/4K3 w - - 0 1", 1, MID_GS, 0}};
    for (const auto& q : queens) EXPECT_EQ(EvalQueen(At(q.fen, q.stage), q.slot), q.expected) << q.fen;
    // the knight on h6 (its sixth rank) attacks g8, f7, f5, g4: none is safe
    POS_T* b = At("4kr2/8/4p2N/7p/8/8/8/K7 w - - 0 1", MID_GS);
    const int s = Slot(b, H6);
    ASSERT_EQ(b->safe_mobility[s], 0);
    ASSERT_EQ(b->mobility[s], 4);
    const ETYPE_T short_of_moves = (b->attacking_mask >> s & 1) ? 0 : c[43];
    EXPECT_EQ(MobilityFunction(b, s), c[381 + 4 + 50] - short_of_moves + c[781 + 0 + 50] - c[39]);
}

TEST(Pawns, DoubledIsolatedPassedAndRacing) {
    const ETYPE_T* c = S();
    // both undefended and backward; the front one doubled too; both isolated;
    // a pawn on the next file, however far, ends the isolation
    const ETYPE_T front = c[1374 + C3] - c[1319] - c[1344] - c[1343];
    ExpectPieceTerms({{EvalPawnWhite, "4k3/2p5/8/8/8/2P5/2P5/4K3 w - - 0 1", C3, front - c[1450]},
                      {EvalPawnWhite, "4k3/2p5/8/8/8/2P5/2P5/4K3 w - - 0 1", C2,
                       c[1374 + C2] - c[1319] - c[1344] - c[1450]},
                      {EvalPawnWhite, "4k3/1Pp5/8/8/8/2P5/2P5/4K3 w - - 0 1", C3, front},
                      {EvalPawnBlack, "4k3/2p5/2p5/8/8/8/2P5/4K3 b - - 0 1", C6, front - c[1450]}});
    // a Black rook behind the passed pawn attacks it from its own file (on
    // d4: a pawn nearer promotion has a floor that may hide the difference)
    const ETYPE_T* e = S(ENDING);
    POS_T* b = At("4k3/8/8/8/3P4/8/r7/6K1 w - - 0 1", ENDING);
    const ETYPE_T away = EvalPawnWhite(b, Slot(b, D4));
    EXPECT_TRUE(b->wpassed_pawn_mask & Bit(b, D4));
    b = At("4k3/8/8/8/3P4/8/3r4/6K1 w - - 0 1", ENDING);
    EXPECT_EQ(away - EvalPawnWhite(b, Slot(b, D4)), e[1348] + e[1452 + 1]);
    // a White rook behind it holds the squares ahead with it (d7, d8 are
    // otherwise the Black king's)
    b = At("4k3/8/8/3P4/8/8/8/R5K1 w - - 0 1", ENDING);
    const ETYPE_T alone = EvalPawnWhite(b, Slot(b, D5));
    b = At("4k3/8/8/3P4/8/8/8/3R2K1 w - - 0 1", ENDING);
    const int i = passed_pawn_index[4 - 1];
    EXPECT_EQ(EvalPawnWhite(b, Slot(b, D5)) - alone, e[1349] + e[1321 + i + 1] + e[1321 + i + 2]);
    // an enemy pawn on a next file ahead stops it being passed
    b = At("4k3/4p3/8/3P4/8/8/8/6K1 w - - 0 1", ENDING);
    EXPECT_FALSE(b->wpassed_pawn_mask & Bit(b, D5));
    // b4 needs four moves; the king on g5 needs five to reach b8, four when it moves first
    b = At("8/8/8/6k1/1P6/8/8/4K3 w - - 0 1", ENDING);
    const int s = Slot(b, B4);
    const ETYPE_T white_first = EvalPawnWhite(b, s);
    EXPECT_EQ(b->null_stoppable_pawn, 1ull << s);  // caught were Black to move
    b = At("8/8/8/6k1/1P6/8/8/4K3 b - - 0 1", ENDING);
    const ETYPE_T black_first = EvalPawnWhite(b, s);
    EXPECT_EQ(b->null_unstoppable_pawn, 1ull << s);  // runs were White to move
    EXPECT_EQ(white_first - black_first, e[1342]);
    EXPECT_EQ(e[1342], 30000);
    // a pawn on its seventh rank, the king far away
    b = At("8/6P1/8/8/8/k7/8/4K3 w - - 0 1", ENDING);
    EXPECT_GE(EvalPawnWhite(b, Slot(b, G7)), 30000);
}

TEST(Kings, ShelterOnlyWhileTheEnemyQueenIsOn) {
    const ETYPE_T* c = S();
    const ETYPE_T shelter = -c[1] + c[1438] + c[1439] + c[1440];
    POS_T* b = At("3qk3/8/8/8/8/8/5PPP/6K1 w - - 0 1", MID_GS);
    EXPECT_EQ(EvalWhiteKing(b, 0), shelter);
    b->flags |= FLAG_W_CASTLED;
    EXPECT_EQ(EvalWhiteKing(b, 0), c[1] + c[1438] + c[1439] + c[1440]);
    // no queen: centralisation only; a fianchetto hole counts only without
    // the enemy bishop of its colour
    const struct {
        const char* fen;
        ETYPE_T expected;
    } rows[] = {{"4k3/8/8/8/8/8/5PPP/6K1 w - - 0 1", c[53 + 6] + c[53 + 0] - c[1]},
                {"3qk3/8/8/8/8/6P1/5P1P/6K1 w - - 0 1", -c[1] + c[1438] + c[1440] + c[1442]},
                {"3qk3/1b6/8/8/8/6P1/5P1P/6K1 w - - 0 1", -c[1] + c[1438] + c[1440]}};
    for (const auto& r : rows) EXPECT_EQ(EvalWhiteKing(At(r.fen, MID_GS), 0), r.expected) << r.fen;
    EXPECT_EQ(EvalBlackKing(At("6k1/5ppp/8/8/8/8/8/3QK3 b - - 0 1", MID_GS), 16), shelter);  // Black's, for Black
    // off the back rank with the queens on, in the opening
    EXPECT_EQ(EvalWhiteKing(At("3qk3/8/8/8/8/8/6K1/8 w - - 0 1", OPENING), 0), -S(OPENING)[10 + 1] - S(OPENING)[1]);
}

TEST(Kings, AttackersNearTheKingAreBoundedByTheTable) {
    // queen, both rooks, both bishops and both knights bear on g1's squares
    POS_T* b = At("k4r1r/1b6/8/8/8/4n1b1/3q4/4n1K1 w - - 0 1", MID_GS);
    const ETYPE_T* c = S();
    uint64_t att = 0;
    for (int x = 5; x <= 7; x++)
        for (int y = 0; y <= 1; y++)
            att |= (b->topieces[x * 8 + y] & 0xFE0000) | (b->xray_topieces[x * 8 + y] & 0xFF0000);
    ASSERT_EQ(PopCount32(att >> 16) + ((att & 0xC0000) ? 1 : 0), 8);
    // with the enemy queen on: table B (the computer plays Black), three open files
    EXPECT_EQ(WhiteKingSafety(b), -c[1229 + 7] - 3 * c[1238]);
    b->flags |= FLAG_TAMZOR_WHITE;
    EXPECT_EQ(WhiteKingSafety(b), -c[1221 + 7] - 3 * c[1238]);
}

TEST(Kings, PawnStormWithTheQueensOn) {
    // White's king on g1 behind f2, g2, h2, and Black's in the mirror: the
    // same king safety for each, an enemy pawn the closer the costlier
    auto white = [](const char* fen) {
        POS_T* b = At(fen, MID_GS);
        b->flags |= FLAG_TAMZOR_WHITE;
        return WhiteKingSafety(b);
    };
    auto black = [](const char* fen) {
        POS_T* b = At(fen, MID_GS);
        b->flags &= ~(uint64_t)FLAG_TAMZOR_WHITE;
        return BlackKingSafety(b);
    };
    const ETYPE_T g6 = white("3qk3/8/6p1/8/8/8/5PPP/6K1 w - - 0 1");
    const ETYPE_T g5 = white("3qk3/8/8/6p1/8/8/5PPP/6K1 w - - 0 1");
    const ETYPE_T h4 = white("3qk3/8/8/8/7p/8/5PPP/6K1 w - - 0 1");
    EXPECT_LT(g5, g6);
    EXPECT_LT(h4, g5);
    EXPECT_EQ(g5, black("6k1/5ppp/8/8/6P1/8/8/3QK3 b - - 0 1"));
    EXPECT_EQ(h4, black("6k1/5ppp/8/7P/8/8/8/3QK3 b - - 0 1"));
    // two pawns cost twice what one does; a pawn on the other wing is no storm
    EXPECT_EQ(white("3qk3/8/8/8/6pp/8/5PPP/6K1 w - - 0 1") - g6, 2 * (h4 - g6));
    EXPECT_EQ(white("3qk3/8/8/8/1p6/8/5PPP/6K1 w - - 0 1"), g6);
    // nor without the enemy queen, nor with the king out in the field
    EXPECT_EQ(white("4k3/8/8/8/6p1/8/5PPP/6K1 w - - 0 1"), white("4k3/8/6p1/8/8/8/5PPP/6K1 w - - 0 1"));
    EXPECT_EQ(white("3qk3/8/6p1/8/8/6K1/5P1P/8 w - - 0 1"), white("3qk3/6p1/8/8/8/6K1/5P1P/8 w - - 0 1"));
}

TEST(Specifics, BishopsBlockedPawnsAndTheBishopsCorner) {
    const ETYPE_T* c = S();
    // the bishop pair; one bishop each on squares of different colours is
    // good for the side behind, on the same colour nothing; blocked pawns
    ExpectTerm(EvalSpecifics, {{"2b1k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", c[0]},
                               {"2b1kb2/8/8/8/8/8/8/4K3 w - - 0 1", -c[0]},
                               {"4kb2/p7/8/8/8/8/8/4KB2 w - - 0 1", c[8]},
                               {"4kb2/8/8/8/8/8/P7/4KB2 w - - 0 1", -c[8]},
                               {"2b1k3/p7/8/8/8/8/8/4KB2 w - - 0 1", 0},
                               {"4k3/8/8/8/8/2BN4/3P4/1N2K3 w - - 0 1", -c[42] - c[1350]},
                               {"1n2k3/3p4/2bn4/8/8/8/8/4K3 w - - 0 1", c[42] + c[1350]}});
    // king, bishop and knight against king: the lone king is worse off in a
    // corner of the bishop's colour
    POS_T* light = At("7k/8/8/8/8/8/8/KBN5 w - - 0 1");  // b1 is light: h8 is dark
    ASSERT_EQ(light->stage, MATING);
    const ETYPE_T wrong_corner = EvalSpecifics(light);
    EXPECT_EQ(wrong_corner, S(MATING)[46]);
    EXPECT_EQ(EvalSpecifics(At("k7/8/8/8/8/8/8/KBN5 w - - 0 1")) - wrong_corner, 7 * S(MATING)[47]);
}

TEST(Specifics, KingsAroundAPassedPawnInTheEnding) {
    // White's passed pawn on e6, the stage set to the ending; each king three
    // squares from e7, and White's from e8: the kings weigh nothing
    auto at = [](const char* fen, int stage = ENDING) { return PassedPawnKings(At(fen, stage)); };
    EXPECT_EQ(at("8/8/4P3/1K6/7k/8/8/8 w - - 0 1"), 0);
    // the enemy king walking to the square in front: worse for the pawn at
    // every step until it stands there
    const char* enemy[] = {"8/8/4P3/1K6/8/8/7k/8 w - - 0 1", "8/8/4P3/1K6/8/7k/8/8 w - - 0 1",
                           "8/8/4P3/1K6/7k/8/8/8 w - - 0 1", "8/8/4P3/1K4k1/8/8/8/8 w - - 0 1",
                           "8/8/4Pk2/1K6/8/8/8/8 w - - 0 1", "8/4k3/4P3/1K6/8/8/8/8 w - - 0 1"};
    for (size_t i = 1; i < std::size(enemy); i++) EXPECT_LT(at(enemy[i]), at(enemy[i - 1])) << enemy[i];
    // its own king coming up to escort it: better at every step
    const char* own[] = {"8/8/4P3/8/8/8/4K2k/8 w - - 0 1", "8/8/4P3/8/8/4K3/7k/8 w - - 0 1",
                         "8/8/4P3/8/4K3/8/7k/8 w - - 0 1", "8/8/4P3/4K3/8/8/7k/8 w - - 0 1",
                         "8/8/4PK2/8/8/8/7k/8 w - - 0 1", "8/5K2/4P3/8/8/8/7k/8 w - - 0 1"};
    for (size_t i = 1; i < std::size(own); i++) EXPECT_GT(at(own[i]), at(own[i - 1])) << own[i];
    // the further the pawn, the more the kings matter
    EXPECT_GT(at("8/4P3/8/1K6/8/8/7k/8 w - - 0 1"), at("8/8/4P3/8/1K6/8/7k/8 w - - 0 1"));
    // Black's pawn in the mirror: the same, negated
    EXPECT_EQ(at("8/7K/8/8/8/4p3/8/4k3 b - - 0 1"), -at("4K3/8/4P3/8/8/8/7k/8 w - - 0 1"));
    EXPECT_EQ(at("8/8/8/1k6/8/4p3/4K3/8 b - - 0 1"), -at("8/4k3/4P3/8/1K6/8/8/8 w - - 0 1"));
    // a pawn that is not passed, or not yet across the board, has no escort;
    // an enemy pawn beside it does not stop it; nor before the ending
    const ETYPE_T e6 = at("8/8/4P3/4K3/8/8/7k/8 w - - 0 1");
    EXPECT_NE(e6, 0);
    EXPECT_EQ(at("8/8/3pP3/4K3/8/8/7k/8 w - - 0 1"), e6);
    EXPECT_EQ(at("8/3p4/4P3/4K3/8/8/7k/8 w - - 0 1"), 0);
    EXPECT_EQ(at("8/8/8/8/8/4P3/4K3/7k w - - 0 1"), 0);
    EXPECT_EQ(at("8/8/4P3/4K3/8/8/7k/8 w - - 0 1", MID_GS), 0);
}

TEST(Tactics, GainsThreatsAndTheExchangeEstimate) {
    const ETYPE_T* c = S();
    // a gain now or a loose piece of the side to move; a second rook lined up
    // behind the capture wins a pawn guarded once, not one guarded twice
    const std::pair<const char*, ETYPE_T> rows[] = {
        {"4k3/8/8/4p3/8/8/8/4RK2 w - - 0 1", c[1188]},   {"4rk2/8/8/8/4P3/8/8/4K3 b - - 0 1", -c[1188]},
        {"4r1k1/8/8/8/4N3/8/8/6K1 w - - 0 1", -c[1189]}, {"6k1/8/8/4n3/8/8/8/4R1K1 b - - 0 1", c[1189]},
        {"4r1k1/8/8/4p3/8/8/4R3/4R1K1 w - - 0 1", c[1188]}, {"4r1k1/8/8/4p3/8/8/4R3/6K1 w - - 0 1", 0},
        {"4r1k1/4r3/8/4p3/8/8/4R3/4R1K1 w - - 0 1", 0},
    };
    for (const auto& [fen, expected] : rows) EXPECT_EQ(At(fen, MID_GS)->tactics, expected) << fen;
    POS_T* b = At(rows[0].first, MID_GS);
    EXPECT_EQ(b->best_capture.from, (SQ_T)E1);
    EXPECT_EQ(b->best_capture.to, (SQ_T)E5);
    const int balance = b->w_material - b->b_material;
    // no Black piece to capture: the balance
    EXPECT_EQ(MiniQuiesceW(b, b->material_mask & 0xFFFF, 0, balance + 5000, 0), balance);
    // the first victim (the king) cannot lift it to beta: balance plus its value
    EXPECT_EQ(MiniQuiesceW(b, b->material_mask, 0, balance + 900000, 0), balance + new_coefficients[1187]);
    // a quiet move that leaves nothing loose; a knight put where a pawn takes it
    b = At("4k3/8/8/3p4/8/8/3N4/4K3 w - - 0 1", MID_GS);
    MOVE_T quiet, loose;
    InitMove(&quiet, W_KNIGHT, D2, F3, INF_VALUE, '-', false);
    InitMove(&loose, W_KNIGHT, D2, E4, INF_VALUE, '-', false);
    EXPECT_EQ(EvalMoveTactics(b, &quiet), 0);
    EXPECT_EQ(EvalMoveTactics(b, &loose), -new_coefficients[1183]);
}

// --- material, stage, draw values, score texts, tables -------------------------

TEST(CheckMaterial, DrawsLesserForceAndALoneMinor) {
    state.tamzor = TAMZOR_OFF;
    POS_T* b = At("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    ASSERT_EQ(b->stage, MATING);
    const ETYPE_T d = DrawValue();
    EXPECT_EQ(CheckMaterial(b, 12345), d - 12345);
    EXPECT_TRUE(b->flags & FLAG_MATERIAL_DRAW);
    EXPECT_EQ(CheckMaterial(b, d), 0);
    EXPECT_FALSE(b->flags & FLAG_MATERIAL_DRAW);
    // queen against queen, rook against rook: twice the draw value
    state.tamzor = TAMZOR_WHITE;
    b = At("4k3/q7/8/8/8/8/7Q/4K3 w - - 0 1");
    ASSERT_EQ(b->tactics, 0);
    EXPECT_EQ(b->eval_result, 2 * DrawValue());
    EXPECT_TRUE(b->flags & FLAG_MATERIAL_DRAW);
    b = At("r3k3/8/8/8/8/8/8/4K2R w - - 0 1");
    EXPECT_EQ(b->eval_result, 2 * DrawValue());
    state.tamzor = TAMZOR_OFF;
    const ETYPE_T* first = S(OPENING);
    // rook against a minor piece, either way round
    b = At("4k3/8/8/8/8/8/3n4/R3K3 w - - 0 1");
    EXPECT_EQ(CheckMaterial(b, 77777), -first[45] - 77777);
    b = At("r3k3/3N4/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(CheckMaterial(b, -77777), first[45] + 77777);
    // rook and bishop against a rook
    b = At("4k2r/8/8/8/8/8/8/R3KB2 w - - 0 1");
    EXPECT_EQ(CheckMaterial(b, 60000), -first[45] - 60000);
    // a lone bishop cannot win: White's value is at most the draw
    b = At("4k3/p7/8/8/8/8/8/2B1K3 w - - 0 1", ENDING);
    EXPECT_EQ(CheckMaterial(b, 50000), DrawValue() - 50000);
    EXPECT_TRUE(b->flags & FLAG_MATERIAL_DRAW);
    // below the draw it stands, with the side-ahead terms (3 pieces, 1 pawn)
    EXPECT_EQ(CheckMaterial(b, -50000), first[1239 + 3] - first[1287 + 1]);
    EXPECT_FALSE(b->flags & FLAG_MATERIAL_DRAW);
}

TEST(CheckMaterial, FiftyMoveFade) {
    POS_T* b = At("4k3/p7/8/8/8/8/P7/4K3 w - - 0 1", ENDING);
    b->fifty_count = 84;
    EXPECT_EQ(CheckMaterial(b, 12800), 6400 - 12800);
    b->fifty_count = 20;
    EXPECT_EQ(CheckMaterial(b, 12800), 0);
    // far past the count the value fades to 0 and never changes sign
    for (int f : {148, 160, 400}) {
        b->fifty_count = f;
        EXPECT_EQ(CheckMaterial(b, 12800), -12800) << f;
        EXPECT_EQ(CheckMaterial(b, -12800), 12800) << f;
    }
}

TEST(DrawValue, ComputersContemptForEitherColour) {
    At("4k3/p7/8/8/8/8/P7/4K3 w - - 0 1", MID_GS);
    ETYPE_T& entry = GameCoefficients()[MID_GS * COEFF_SLICE + 44];
    const ETYPE_T base = entry;
    const struct {
        ETYPE_T entry;
        int tamzor;
        ETYPE_T expected;
    } rows[] = {{base, TAMZOR_WHITE, base - 1000}, {base, TAMZOR_BLACK, -(base - 1000)}, {base, TAMZOR_OFF, 0},
                {base, TAMZOR_BOTH, 0},           {-50000, TAMZOR_WHITE, -10000},       {-50000, TAMZOR_BLACK, 10000}};
    for (const auto& r : rows) {
        entry = r.entry;
        state.tamzor = r.tamzor;
        EXPECT_EQ(DrawValue(), r.expected) << r.entry << " " << r.tamzor;
    }
    entry = base;
}

TEST(EvalStr, ScoresAndMates) {
    // in the mate band: moves to mate
    for (auto [v, text] : std::vector<std::pair<ETYPE_T, const char*>>{
             {0, "0.00"}, {10000, "1.00"}, {-25052, "-2.51"}, {405000, "Inf"}, {-405000, "-Inf"}, {399852, "39.99"},
             {399999, "Mate01"}, {399997, "Mate02"}, {-399998, "-Mate01"}, {399873, "Mate64"}, {400000, "Mate01"}})
        EXPECT_STREQ(EvalStr(v), text) << v;
    // texts of one line may be held together
    const char* a = EvalStr(10000);
    const char* c = EvalStr(20000);
    EXPECT_STREQ(a, "1.00");
    EXPECT_STREQ(c, "2.00");
}

TEST(Stage, FromThePiecesOnTheBoard) {
    struct {
        const char* fen;
        int stage;
    } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", OPENING},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", MID_GS},     // no castling left
        {"rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq - 0 1", MID_GS},  // 14 pieces
        {"r1bqkbnr/pppppppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 1", OPENING}, // 14 + 2 for the queens
        {"r1bqkb1r/pppppppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 1", MID_GS},  // 13 + 2
        {"4k3/8/8/8/8/8/P7/R3K2R w KQ - 0 1", ENDING},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", MATING},
    };
    for (const auto& c : cases) {
        POS_T* b = At(c.fen);
        EXPECT_EQ(b->stage, c.stage) << c.fen;
        EXPECT_EQ(coefficients, GameCoefficients() + c.stage * COEFF_SLICE) << c.fen;
    }
    // a change of stage drops the cached evaluation, which is then redone
    POS_T* b = At(cases[0].fen);
    ASSERT_TRUE(b->flags & FLAG_EVALUATED);
    b->flags &= ~(uint64_t)0xF;
    EstimateGameStage(b, 1);
    EXPECT_EQ(b->stage, MID_GS);
    EXPECT_FALSE(b->flags & FLAG_EVALUATED);
    POS_T fresh = *b;
    RegenToPieces(&fresh);
    Evaluate(b, 0, 1);
    EXPECT_EQ(b->eval_result, fresh.eval_result);
}

// Both games' tables: the 2D game's own fit may move values, but not the
// quoted ones, nor the trends and shapes every fit keeps.
class CoefficientTables : public ::testing::TestWithParam<int> {
protected:
    const ETYPE_T* Slice(int stage) const {
        return (GetParam() == 2 ? new_coefficients_2d : new_coefficients) + stage * COEFF_SLICE;
    }
};

TEST_P(CoefficientTables, QuotedValuesAndStageTrends) {
    InitEvalTables();
    const ETYPE_T* o = Slice(OPENING);
    const std::pair<int, ETYPE_T> quoted[] = {
        {0, 2000},      {1, 2919},      {2, 1896},      {3, 1380},      {4, 1974},    {5, 1519},
        {6, 700},       {7, 1500},      {8, 3912},      {9, 1097},      {11, 3000},   {12, 5996},
        {17, 21000},    {19, 1000},     {25, 12000},    {28, 1000},     {33, 6000},   {34, 1771},
        {41, 23988},    {42, 614},      {43, 62},       {44, -1000},    {45, -3000},  {46, 10000},
        {47, 10000},    {48, 366},      {52, 1300},     {53, -1260},    {60, -1601},  {1182, 10052},
        {1187, 800000}, {1188, 2715},   {1189, 1446},   {1190, 215},    {1192, 999},  {1193, 1000},
        {1205, -811},   {1236, 3000},   {1237, 474},    {1238, 315},    {1239, 2000}, {1242, 50},
        {1271, 227},    {1274, 436},    {1286, 3400},   {1287, 1900},   {1290, 0},    {1319, 215},
        {1320, -266},   {1342, 30000},  {1343, 1512},   {1344, 895},    {1346, 1997}, {1347, 2001},
        {1348, 1500},   {1349, 2345},   {1353, 15957},  {1358, 874},    {1360, 7900}, {1367, 3900},
        {1372, 20},     {1373, 1110},   {1450, 535},    {1451, 122},    {1452, 500},  {1455, 1374},
    };
    for (const auto& [i, v] : quoted) EXPECT_EQ(o[i], v) << i;
    const ETYPE_T* e = Slice(ENDING);
    const ETYPE_T* m = Slice(MATING);
    for (int st = 0; st < 4; st++) {
        EXPECT_EQ(Slice(st)[1342], 30000);
        for (int k = 0; k <= 6; k++) EXPECT_EQ(Slice(st)[1181 + k], o[1181 + k]);
    }
    // the ending centralises the king and pushes passed pawns harder
    EXPECT_GT(e[56] - e[53], o[56] - o[53]);
    for (int r = 1; r <= 6; r++) EXPECT_GT(e[1352 + r], o[1352 + r]) << r;
    // the mating slice moves in whole thousands (material apart)
    for (int i = 0; i < COEFF_SLICE; i++) {
        if (i >= 1181 && i <= 1187) continue;
        EXPECT_EQ(m[i] % 1000, 0) << i;
    }
    EXPECT_EQ(m[34], 3000);
    EXPECT_EQ(m[41], 24000);
    // square tables are not flat: centre over rim, seventh rank for rooks
    for (int st = 0; st < 3; st++) {
        const ETYPE_T* c = Slice(st);
        EXPECT_GT(c[125 + E5], c[125 + A1]) << st;
        EXPECT_GT(c[61 + D7], c[61 + D4]) << st;
        EXPECT_GT(c[189 + E5], c[189 + A1]) << st;
        EXPECT_GT(c[1374 + E4], c[1374 + E2]) << st;
        EXPECT_GT(c[781 + 9], c[781 + 0]) << st;  // a knight with room
    }
}

INSTANTIATE_TEST_SUITE_P(Games, CoefficientTables, ::testing::Values(2, 3));

// --- the terminal tool ---------------------------------------------------------

std::vector<std::pair<std::string, long>> Terms(const std::string& out, long* total, std::string* stage) {
    std::vector<std::pair<std::string, long>> terms;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Evaluation: ", 0) == 0) {
            *total = atol(line.substr(line.find("; ") + 2).c_str());
        } else if (line.rfind("  game stage", 0) == 0) {
            *stage = line.substr(line.find_first_not_of(' ', 12));
        } else if (line.size() > 22) {
            std::string name = line.substr(2, 20);
            name.erase(name.find_last_not_of(' ') + 1);
            std::istringstream vals(line.substr(22));
            std::string text;
            long raw = 0;
            vals >> text >> raw;
            terms.emplace_back(name, raw);
        }
    }
    return terms;
}

TEST(CliEval, TermsAddUpToTheEvaluation) {
    const char* names[] = {"material", "specifics", "piece values", "king safety", "tactics",
                           "board control", "attack counts", "mobility", "overload", "material correction"};
    // the stage and material of each, where it is known ("" and -1: not checked)
    const struct {
        std::string args, stage;
        long material;
    } runs[] = {{"--2d", "opening", 0}, {"--3d", "opening", 0}, {"--2d --moves e2e4,d7d5,e4d5", "", -1},
                {"--fen \"6k1/5ppp/8/8/8/8/2P2PPP/6K1 w - - 0 1\"", "ending", 10052}};
    for (const auto& run : runs) {
        RUN_T r = RunTool("eval " + run.args);
        ASSERT_EQ(r.status, 0) << run.args << r.err;
        long total = -1;
        std::string stage;
        auto terms = Terms(r.out, &total, &stage);
        ASSERT_EQ(terms.size(), 10u) << r.out;
        long sum = 0;
        for (size_t i = 0; i < terms.size(); i++) {
            EXPECT_EQ(terms[i].first, names[i]);
            sum += terms[i].second;
        }
        EXPECT_EQ(sum, total) << r.out;
        EXPECT_EQ(run.stage.empty() ? "" : stage, run.stage) << run.args;
        EXPECT_EQ(run.material < 0 ? -1 : terms[0].second, run.material) << run.args;
    }
    RUN_T bad = RunTool("eval --bogus");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("unknown option"), std::string::npos);
}

}  // namespace
