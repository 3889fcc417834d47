// The evaluation: the coefficient tables, the game stage, the piece, pawn, king
// and tactical terms and their sum.
#pragma once

#include <cstdint>

#include "tamzor.h"

// ---------------------------------------------------------------------------
// Coefficients, material bookkeeping and stage
// ---------------------------------------------------------------------------

constexpr int COEFF_SLICE = 1468;
constexpr int COEFF_COUNT = 5872;
extern const ETYPE_T orig_coefficients[COEFF_COUNT];
extern ETYPE_T new_coefficients[COEFF_COUNT];
// The 2D game's own table: the shared one with the values fitted to 2D
// positions alone, which made the 2D engine stronger and the 3D one weaker.
// Material and the entries read straight from new_coefficients are alike in
// both.
struct COEFF_ENTRY_T {
    int index;
    ETYPE_T value;
};
extern const COEFF_ENTRY_T coefficients_2d_fitted[];
extern const int coefficients_2d_fitted_count;
extern ETYPE_T new_coefficients_2d[COEFF_COUNT];
// The table of the game being played.
ETYPE_T* GameCoefficients();
// Where the worth of each kind of piece starts (indexed by the piece's kind),
// read from the first slice.
constexpr int COEFF_MATERIAL = 1181;
// A capture gives material away when the piece taken is defended and the
// taker is worth more than it by over half a pawn.
inline bool GivesMaterialAway(ETYPE_T taken, ETYPE_T risked, bool defended) {
    return defended && risked > taken + new_coefficients[COEFF_MATERIAL + W_PAWN] / 2;
}
extern thread_local constinit ETYPE_T* coefficients;  // the active slice of this thread
void InitEvalTables();
void EvalPiece(POS_T* b, PS_T* ps);
void DevalPiece(POS_T* b, PS_T* ps);
ETYPE_T Evaluate(POS_T* b, int alpha, int mode);
void EstimateGameStage(POS_T* b, int doit);

// ---------------------------------------------------------------------------
// Piece, pawn, king and tactical terms
// ---------------------------------------------------------------------------
// Every table or flag the evaluation writes is per thread: the engine thread
// and the interface thread may evaluate positions of different stages at the
// same time.

// Control-value tables in force for White and Black (RecalcPosValues).
extern thread_local constinit const ETYPE_T* sq_p1;
extern thread_local constinit const ETYPE_T* sq_p2;
// Set when the tables in force changed: BoardControl1 then starts afresh.
extern thread_local constinit int new_pos_values;
// Rank-mirrored copies of the active slice's king-zone tables.
extern thread_local constinit ETYPE_T black_king_side[64];
extern thread_local constinit ETYPE_T black_queen_side[64];
extern const ETYPE_T null_pos_value[64];

// First index of each row's bonuses for a free path, rows 1..6.
inline constexpr int passed_pawn_index[6] = {0, 6, 11, 15, 18, 20};

// Square reads that treat an index off the 64 cells as empty: pawn and king
// terms step by index arithmetic, which in the 3D game can leave the grid.
inline int BoardAt(const POS_T* b, int sq) { return (unsigned)sq < 64 ? b->board[sq] : 0; }
inline uint64_t ToPiecesAt(const POS_T* b, int sq) {
    return (unsigned)sq < 64 ? b->topieces[sq] : 0;
}
inline bool PawnAt(const POS_T* b, int sq) {
    int p = BoardAt(b, sq);
    return p == W_PAWN || p == B_PAWN;
}


// Driver, material, text.
ETYPE_T EvalEtype(POS_T* b, int alpha, int mode);
ETYPE_T PieceValues(POS_T* b);
ETYPE_T CheckMaterial(POS_T* b, ETYPE_T v);
void RecalcPosValues(POS_T* b);
char* EvalStr(int v);

// Piece, pawn and king terms (value for the piece's owner).
ETYPE_T OutpostBonus(POS_T* b, int s, int outpost_index, int defended_index);
ETYPE_T EvalKnight(POS_T* b, int s);
ETYPE_T EvalBishop(POS_T* b, int s);
ETYPE_T EvalBishopXray(POS_T* b, int s);
ETYPE_T EvalRook(POS_T* b, int s);
ETYPE_T EvalQueen(POS_T* b, int s);
ETYPE_T EvalPawnWhite(POS_T* b, int s);
ETYPE_T EvalPawnBlack(POS_T* b, int s);
ETYPE_T EvalWhiteKing(POS_T* b, int s);
ETYPE_T EvalBlackKing(POS_T* b, int s);
ETYPE_T MobilityFunction(POS_T* b, int s);
// Whole-position terms, White's point of view.
ETYPE_T EvalMobility(POS_T* b);
ETYPE_T KingSafety(POS_T* b);
ETYPE_T WhiteKingSafety(POS_T* b);
ETYPE_T BlackKingSafety(POS_T* b);
// The cost to a side of the enemy pawns advancing on its king.
ETYPE_T PawnStorm(const POS_T* b, bool white);
// The kings against the passed pawns' paths in the 2D ending.
ETYPE_T PassedPawnKings(const POS_T* b);
// A positional term at its weight against the material: three quarters in
// the 2D game, whole in the 3D game (truncated toward zero, so both colours
// get the same). At full weight the 2D engine gave pawns away for activity
// it could not turn into a gain; matches scored better at three quarters
// (half, and five quarters, scored worse).
inline ETYPE_T WeighedTerm(ETYPE_T term) { return state.dmode == 2 ? term * 3 / 4 : term; }
ETYPE_T EvalTactics(POS_T* b);
ETYPE_T OverloadedPieces(POS_T* b);
ETYPE_T EvalSpecifics(POS_T* b);
ETYPE_T EvalMoveTactics(POS_T* b, MOVE_T* move);

// The terms of the last full evaluation made on this thread (White's view),
// for the terminal tool and the tests.
struct EVAL_TERMS_T {
    ETYPE_T material;       // w_material - b_material, bounded
    ETYPE_T specifics;
    ETYPE_T piece_values;
    ETYPE_T king_safety;
    ETYPE_T tactics;
    ETYPE_T board_control;
    ETYPE_T attack_counts;
    ETYPE_T mobility;
    ETYPE_T overload;
    ETYPE_T correction;     // CheckMaterial
    ETYPE_T total;          // eval_result
    int stage;
};
extern thread_local constinit EVAL_TERMS_T eval_terms;
