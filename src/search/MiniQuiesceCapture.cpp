// One capture of the static exchange estimate, played on the attack maps
// only. The capturing piece's former square is emptied while the capture
// stands, so a slider lined up behind it (of either side) now reaches
// through: that slider joins the attackers of the first piece on its line,
// and an enemy piece found there may be captured later in the sequence.
#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "search/search.h"

uint64_t MiniQuiesceCapture(POS_T* b, int attacker, int victim, uint64_t caplist, uint64_t donelist,
                            MQ_SAVED_T* saved) {
    PS_T* as = &b->pieces[attacker];
    PS_T* vs = &b->pieces[victim];
    const SQ_T from = as->pos, to = vs->pos;
    const ETYPE_T value = new_coefficients[COEFF_MATERIAL + abs(vs->p)];
    if (vs->p > 0)
        b->w_material -= value;
    else
        b->b_material -= value;
    as->pos = to;
    b->board[to] = as->p;
    b->board[from] = 0;
    saved->n = 0;
    caplist |= 1ull << attacker;
    if (state.dmode != 2) return caplist;

    EnsureMaps(b);
    const uint64_t used = donelist | (1ull << victim) | (1ull << attacker);
    const uint64_t behind = b->topieces[from] & b->sliding_mask & b->material_mask & ~used & 0xFFFFFFFF;
    for (uint64_t m = behind; m && saved->n < 8; m &= m - 1) {
        const int k = LowSlot(m);
        const int kp = b->pieces[k].p;
        const SQ_T kq = b->pieces[k].pos;
        if (!IsSliding(kp) || kq >= 64) continue;
        const int d = sliding_map[kq][from];
        const int di = DirIndex(d);
        if (!d || di < 0) continue;
        int x = (int)XPOS(from), y = (int)YPOS(from), sq = (int)from;
        int hit = -1;
        for (;;) {
            x += dir_dfile[di];
            y += dir_drank[di];
            if (x < 0 || x > 7 || y < 0 || y > 7) break;
            sq += d;
            if (b->board[sq]) {
                hit = sq;
                break;
            }
        }
        if (hit < 0) continue;
        saved->sq[saved->n] = (SQ_T)hit;
        saved->set[saved->n] = b->topieces[hit];
        saved->n++;
        b->topieces[hit] |= 1ull << k;
        const int slot = b->pboard[hit];
        // pieces that captured earlier stand on their victims' squares and
        // are in the list already
        if (slot >= 0 && !((used >> slot) & 1) && (b->board[hit] > 0) != (kp > 0)) caplist |= 1ull << slot;
    }
    return caplist;
}

void MiniQuiesceUndo(POS_T* b, int attacker, int victim, SQ_T from, int victim_code, const MQ_SAVED_T* saved) {
    for (int i = saved->n - 1; i >= 0; i--) b->topieces[saved->sq[i]] = saved->set[i];
    PS_T* as = &b->pieces[attacker];
    PS_T* vs = &b->pieces[victim];
    b->board[from] = as->p;
    b->board[vs->pos] = victim_code;
    as->pos = from;
    const ETYPE_T value = new_coefficients[COEFF_MATERIAL + abs(vs->p)];
    if (vs->p > 0)
        b->w_material += value;
    else
        b->b_material += value;
}
