// The control layer: control value and sign of every square, the safe
// destinations (flight) of each piece, mobility and safe mobility. Against
// an evaluated parent only the squares whose attackers, occupant or x-ray
// attackers changed are worked out again.
#include <cstring>

#include "tamzor.h"
#include "position/position.h"
#include "eval/eval.h"

namespace {
// Index: slot of the least valuable enemy attacker. The own pieces that may
// still go to a square the enemy attacks.
const uint64_t flight_mask[32] = {
    0xFE0000, 0xFE0000, 0xFC0000, 0xFC0000, 0xF00000, 0xF00000, 0xF00000, 0xF00000,
    0, 0, 0, 0, 0, 0, 0, 0,
    0xFE, 0xFE, 0xFC, 0xFC, 0xF0, 0xF0, 0xF0, 0xF0,
    0, 0, 0, 0, 0, 0, 0, 0,
};
// Stand-ins for a parent when everything is worked out afresh.
const uint64_t dummy[64] = {};
const uint64_t xray_dummy[64] = {};
const int dummy2[64] = {};
}  // namespace

ETYPE_T BoardControl1(POS_T* b) {
    if (b->stage == MATING) return 0;
    RecalcPosValues(b);
    const ETYPE_T* c = coefficients;
    const POS_T* ob = b->oldb;
    const uint64_t* base_to = dummy;
    const uint64_t* base_xray = xray_dummy;
    const int* base_board = dummy2;
    uint64_t base_keep = ~0ull, base_pieces = 0;
    if (ob && (ob->flags & FLAG_EVALUATED) && !new_pos_values) {
        base_to = ob->topieces;
        base_xray = ob->xray_topieces;
        base_board = ob->board;
        base_keep = ~ob->pinned_mask;
        base_pieces = ob->piece_mask;
        memcpy(b->mobility, ob->mobility, sizeof b->mobility);
    } else {
        b->board_control = 0;
        b->attacking_mask = 0;
        memset(b->cont, 0, sizeof b->cont);
        memset(b->control, 0, sizeof b->control);
        memset(b->flight, 0, sizeof b->flight);
        memset(b->mobility, 0, sizeof b->mobility);
        memset(b->safe_mobility, 0, sizeof b->safe_mobility);
        b->white_moves = b->black_moves = 0;
        new_pos_values = 0;
    }
    const uint64_t keep = ~b->pinned_mask & 0xFFFFFFFF;
    const uint64_t pieces = b->piece_mask & 0xFFFFFFFF;
    // A captured piece leaves the sets it was in: its counts go back to 0,
    // so the side totals stay exact.
    const uint64_t counted = (pieces | base_pieces) & 0xFFFFFFFF;
    ETYPE_T total = b->board_control;
    for (int i = 0; i < 64; i++) {
        const uint64_t t = b->topieces[i] & keep;
        const uint64_t t0 = base_to[i] & base_keep & 0xFFFFFFFF;
        const int p = b->board[i];
        if (t == t0 && p == base_board[i] && b->xray_topieces[i] == base_xray[i]) continue;
        if (p && b->pboard[i] >= 0) b->piece_change |= 1ull << b->pboard[i];
        const int cc = GetControl(b, t, p, (SQ_T)i);

        uint64_t fl = 0;
        if (cc > 0 && p <= 0) {
            const uint64_t enemy = t & 0xFFFF0000;
            fl = enemy ? flight_mask[HighSlot(enemy)] & t : t & 0xFFFF;
        } else if (cc < 0 && p >= 0) {
            const uint64_t enemy = t & 0xFFFF;
            fl = enemy ? flight_mask[HighSlot(enemy)] & t : t & 0xFFFF0000;
        }
        fl &= pieces;
        for (uint64_t d = (b->flight[i] ^ fl) & 0xFFFFFFFF; d; d &= d - 1) {
            const int s = LowSlot(d);
            const int step = (fl >> s) & 1 ? 1 : -1;
            b->safe_mobility[s] = (char)(b->safe_mobility[s] + step);
            if (s < 16)
                b->white_moves += step;
            else
                b->black_moves += step;
        }
        b->flight[i] = fl;
        for (uint64_t d = (t ^ t0) & counted; d; d &= d - 1) {
            const int s = LowSlot(d);
            b->mobility[s] = (char)(b->mobility[s] + ((t >> s) & 1 ? 1 : -1));
        }

        ETYPE_T v = 0;
        if (cc > 0)
            v = sq_p1[i] + c[189 + i];
        else if (cc < 0)
            v = -(sq_p2[i] + c[189 + (i ^ 7)]);
        b->cont[i] = cc > 0 ? 1 : (cc < 0 ? -1 : 0);
        total += v - b->control[i];
        b->control[i] = v;
    }
    b->board_control = total;
    return total;
}
