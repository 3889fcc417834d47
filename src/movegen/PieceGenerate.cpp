// The reach map: bit i of topieces[sq] says the piece in slot i can move to,
// or capture on, sq. Pawns mark only their capture cells.
#include <cstdlib>
#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"

void PG_UTP(POS_T* b, int slot, int dir) {
    uint64_t bit = 1ull << slot;
    if (state.dmode != 2) {
        const BTO_T* l = b->bc_active->all[DirIndex(dir) * 64 + b->pieces[slot].pos];
        for (uint32_t i = 0; i < l->n; i++) b->topieces[l->tos[i]] |= bit;
        return;
    }
    SQ_T t[4];
    BTO_T rec{0, t};
    int n = DirTo(b, b->pieces[slot].pos, dir, &rec);
    for (int i = 0; i < n; i++) b->topieces[t[i]] |= bit;
}

void PG_UTPCont(POS_T* b, int count, int slot, int dir) {
    SQ_T s = b->pieces[slot].pos;
    uint64_t bit = 1ull << slot;
    if (state.dmode != 2) {
        SQ_T c = PG_UTP3DCont(b, s, dir, bit, true);
        while (c != NO_SQUARE) c = PG_UTP3DCont(b, c, dir, bit, false);
        return;
    }
    // 2D: the ray, then on through own sliders that move along the same line.
    SQ_T sq = s;
    while (count > 0) {
        sq += dir;
        b->topieces[sq] |= bit;
        count--;
        if (b->board[sq]) break;
    }
    while (count > 0 && XrayThrough(b, s, sq)) {
        sq += dir;
        b->xray_topieces[sq] |= bit;
        count--;
    }
}

SQ_T PG_UTP3DCont(POS_T* b, SQ_T from, int dir, uint64_t bit, bool first) {
    // A piece on any level at a projected position ends the line there.
    thread_local int level_ok[8];
    thread_local int one_more_step;
    if (first) {
        for (int& l : level_ok) l = 1;
        one_more_step = 0;
    }
    const BTO_T* l = b->bc_active->all[DirIndex(dir) * 64 + from];
    const signed char* levels = ConfigLevels(b->bc_active);
    const SQ_T* t = l->tos;
    const int n = (int)l->n;
    SQ_T next = NO_SQUARE;
    bool marked = false;
    for (int i = 0; i < n; i++) {
        int level = levels[t[i]];
        if (level_ok[level]) {
            b->topieces[t[i]] |= bit;
            marked = true;
        }
        if (b->board[t[i]] == 0) {
            if (marked) next = t[i];
        } else {
            level_ok[level] = 0;
            one_more_step = 1;
        }
    }
    return one_more_step ? NO_SQUARE : next;
}

void PieceGenerate(POS_T* b, int slot) {
    b->piece_change |= 1ull << slot;
    // Steps below read the position's configuration directly.
    if (state.dmode != 2) ActiveConfig(b);
    int p = b->pieces[slot].p;
    int x = (int)XPOS(b->pieces[slot].pos), y = (int)YPOS(b->pieces[slot].pos);
    switch (abs(p)) {
        case 1:
            if (p < 0) {
                PG_UTP(b, slot, SOUTH_WEST);
                PG_UTP(b, slot, SOUTH_EAST);
            } else {
                PG_UTP(b, slot, NORTH_WEST);
                PG_UTP(b, slot, NORTH_EAST);
            }
            break;
        case 2:
            for (int d : {N_N_E, S_S_E, E_N_E, E_S_E, S_S_W, N_N_W, W_S_W, W_N_W}) PG_UTP(b, slot, d);
            break;
        case 3:
        case 5:
            PG_UTPCont(b, imin(7 - x, 7 - y), slot, NORTH_EAST);
            PG_UTPCont(b, imin(x, 7 - y), slot, NORTH_WEST);
            PG_UTPCont(b, imin(x, y), slot, SOUTH_WEST);
            PG_UTPCont(b, imin(7 - x, y), slot, SOUTH_EAST);
            if (abs(p) == 3) break;
            [[fallthrough]];
        case 4:
            PG_UTPCont(b, 7 - y, slot, NORTH);
            PG_UTPCont(b, x, slot, WEST);
            PG_UTPCont(b, y, slot, SOUTH);
            PG_UTPCont(b, 7 - x, slot, EAST);
            PG_Jump(b, slot);
            break;
        case 6:
            for (int d : {NORTH, NORTH_EAST, EAST, SOUTH_EAST, SOUTH, SOUTH_WEST, WEST, NORTH_WEST})
                PG_UTP(b, slot, d);
            break;
        default:
            Panic(true, "PieceGenerate: unknown pi");
    }
}
