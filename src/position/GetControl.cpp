// Who controls a square: a cheaper enemy attacker wins outright, then the
// side with more pawn attackers, then the side with more piece attackers
// (x-ray attackers lined up behind them included).
#include "tamzor.h"
#include "position/position.h"

namespace {
// Index piece code + 6: the enemy attackers worth less than that piece.
const uint64_t masks[13] = {
    0xFFFE,      // B_KING: White slots 1..15
    0xFFFC,      // B_QUEEN: White slots 2..15
    0xFFF0,      // B_ROOK: White slots 4..15
    0xFF00,      // B_BISHOP: White pawns
    0xFF00,      // B_KNIGHT
    0,           // B_PAWN
    0,           // empty
    0,           // W_PAWN
    0xFF000000,  // W_KNIGHT: Black pawns
    0xFF000000,  // W_BISHOP
    0xFFF00000,  // W_ROOK: Black slots 20..31
    0xFFFC0000,  // W_QUEEN: Black slots 18..31
    0xFFFE0000,  // W_KING: Black slots 17..31
};
}  // namespace

int GetControl(POS_T* b, uint64_t topieces, int piece, SQ_T sq) {
    const uint64_t t = topieces & 0xFFFFFFFF;
    if (!t) return 0;
    if (piece >= -6 && piece <= 6 && (masks[piece + 6] & t)) return -piece;
    const int wp = pop_count[(t >> 8) & 0xFF], bp = pop_count[(t >> 24) & 0xFF];
    if (wp != bp) return wp - bp;
    const uint64_t x = sq < 64 ? b->xray_topieces[sq] : 0;
    return pop_count[t & 0xFF] + pop_count[x & 0xFF] - pop_count[(t >> 16) & 0xFF] -
           pop_count[(x >> 16) & 0xFF];
}
