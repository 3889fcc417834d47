// Replies to check: capture the checker, interpose, move the king (and in
// the 3D game the king's board). In the 3D game the list is then completed
// with every other generated move: lines there run across levels and boards,
// and a check can also be met by moving a board (carrying a piece into the
// line, or taking a board of the line away), which the targeted replies do
// not cover. The targeted replies stay first, where the search looks first.
#include <cstdio>
#include <initializer_list>

#include "JumpWalk.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

thread_local constinit int gca_pn;

namespace {

struct GCA_CONTEXT_T {
    MOVE_T* moves;  // where the walk appends
    bool white;
};

void AddSlots(POS_T* b, MOVE_T* moves, int* n, uint64_t slots, SQ_T to, char symbol) {
    while (slots) {
        int s = FFOne(slots);
        slots &= slots - 1;
        InitMove(&moves[(*n)++], b->pieces[s].p, b->pieces[s].pos, to, INF_VALUE, symbol, false);
    }
}

bool GCACheckJumpCanProceed(JUMP_WALK_T* w, SQ_T cell) {
    GCA_CONTEXT_T* c = static_cast<GCA_CONTEXT_T*>(w->context);
    POS_T* b = w->b;
    if (b->board[cell]) return false;
    uint64_t own = c->white ? 0xFFFEull : 0xFFFE0000ull;  // without the king
    uint64_t slots = b->topieces[cell] & own & b->piece_mask;
    AddSlots(b, c->moves, &gca_pn, slots, cell, '-');
    return true;
}

int Opposite(int dir) { return -dir; }

// Own pawns that can step onto the empty cell q (3D): one step, or two when
// the pawn may still step twice and the first cell is empty.
uint64_t PawnBlockers3D(POS_T* b, SQ_T q, bool white) {
    const int pawn = white ? W_PAWN : B_PAWN, back = white ? SOUTH : NORTH;
    SQ_T t1[4], t2[4];
    BTO_T l1{0, t1}, l2{0, t2};
    uint64_t slots = 0;
    int n1 = DirTo(b, q, back, &l1);
    bool any = false;
    for (int i = 0; i < n1; i++) {
        if (b->board[t1[i]] == pawn) slots |= 1ull << b->pboard[t1[i]];
        if (b->board[t1[i]]) any = true;
    }
    if (n1 && !any) {
        int n2 = DirTo(b, t1[0], back, &l2);
        for (int i = 0; i < n2; i++)
            if (b->board[t2[i]] == pawn && PawnMayStepTwice(b, b->pboard[t2[i]])) slots |= 1ull << b->pboard[t2[i]];
    }
    return slots;
}

// The targeted replies, in their order: captures, interpositions, king moves.
int TargetedReplies(POS_T* b, MOVE_T* moves, bool white) {
    const uint64_t own = white ? 0xFFFFull : 0xFFFF0000ull, opp = ~own & 0xFFFFFFFFull;
    const int king_slot = white ? 0 : 16;
    const SQ_T k = b->pieces[king_slot].pos;
    const uint64_t checkers = b->topieces[k] & opp;
    const bool single = PopCount32(checkers) == 1;
    const SQ_T t = single ? b->pieces[FFOne(checkers)].pos : k;
    const bool is2d = state.dmode == 2;
    int n = 0;

    if (single) {
        const int checker = FFOne(checkers);
        const bool checker_pawn = !(b->piece_mask & (1ull << checker));
        uint64_t m = b->topieces[t] & own;
        SQ_T e = b->enpassant;
        bool ep = is2d && e && e < 64 && checker_pawn;
        if (ep) m |= b->topieces[e] & own & ~b->piece_mask;
        while (m) {
            int s = FFOne(m);
            m &= m - 1;
            const PS_T& ps = b->pieces[s];
            SQ_T to = t;
            if (ep && (ps.p == W_PAWN || ps.p == B_PAWN) && YPOS(ps.pos) == YPOS(t)) to = e;
            InitMove(&moves[n++], ps.p, ps.pos, to, INF_VALUE, 'x', false);
        }

        if (IsSliding(b->pieces[checker].p)) {
            const uint64_t blockers_mask = own & b->piece_mask & ~(1ull << king_slot);
            if (is2d) {
                int dx = (int)XPOS(t) - (int)XPOS(k), dy = (int)YPOS(t) - (int)YPOS(k);
                int step = (dy > 0) - (dy < 0) + 8 * ((dx > 0) - (dx < 0));
                const int pawn = white ? W_PAWN : B_PAWN;
                for (int q = (int)k + step; q != (int)t && q >= 0 && q < 64; q += step) {
                    uint64_t slots = b->topieces[q] & blockers_mask;
                    int behind = white ? q - 1 : q + 1, behind2 = white ? q - 2 : q + 2;
                    bool in_file = white ? YPOS(q) >= 1 : YPOS(q) <= 6;
                    if (in_file && b->board[behind] == pawn) {
                        slots |= 1ull << b->pboard[behind];
                    } else if (in_file && b->board[behind] == 0 && YPOS(q) == (white ? 3u : 4u) &&
                               b->board[behind2] == pawn) {
                        slots |= 1ull << b->pboard[behind2];
                    }
                    AddSlots(b, moves, &n, slots, (SQ_T)q, '-');
                }
            } else {
                int d = sliding_map[k][t];
                if (!d) {
                    UpdateMaps(b);
                    d = sliding_map[k][t];
                }
                // A check across an attack-board gap runs along no line of
                // the map (d stays 0); the whole list that completes the 3D
                // replies holds its interpositions.
                if (d) {
                    SQ_T c = k, l[4];
                    BTO_T rec{0, l};
                    bool reached = false;
                    for (int guard = 0; guard < 16; guard++) {
                        int ln = DirTo(b, c, d, &rec);
                        if (!ln) break;
                        for (int i = 0; i < ln; i++)
                            if (l[i] == t) reached = true;
                        if (reached) break;
                        for (int i = 0; i < ln; i++) {
                            SQ_T q = l[i];
                            if (b->board[q]) continue;
                            uint64_t slots = (b->topieces[q] & blockers_mask) | PawnBlockers3D(b, q, white);
                            AddSlots(b, moves, &n, slots, q, '-');
                        }
                        c = l[0];
                    }
                    int board = BoardOfCell(c);
                    if (!reached && board >= 0) {
                        gca_pn = 0;
                        GCA_CONTEXT_T ctx{&moves[n], white};
                        JUMP_WALK_T w{b, false, GCACheckJumpCanProceed, &ctx};
                        JumpWalks(&w, board, c);
                        n += gca_pn;
                    }
                }
            }
        }
    }

    // King moves, for single and double checks alike.
    const int king = b->pieces[king_slot].p;
    auto allowed = [&](SQ_T q, int dir) {
        if (q == k || q == t) return false;
        if (b->topieces[q] & opp) return false;
        if (b->board[q] && (b->board[q] > 0) == white) return false;
        uint64_t sliders = checkers;
        while (sliders) {
            int s = FFOne(sliders);
            sliders &= sliders - 1;
            if (!IsSliding(b->pieces[s].p)) continue;
            if (SameLine(b->pieces[s].pos, k, q) && (is2d || !GCAKingShadow(b, q, Opposite(dir), k)))
                return false;
        }
        return true;
    };
    if (is2d) {
        int x = (int)XPOS(k), y = (int)YPOS(k);
        for (int dx = -1; dx <= 1; dx++)
            for (int dy = -1; dy <= 1; dy++) {
                int qx = x + dx, qy = y + dy;
                if (qx < 0 || qx > 7 || qy < 0 || qy > 7) continue;
                SQ_T q = (SQ_T)(qx * 8 + qy);
                if (allowed(q, 0)) InitMove(&moves[n++], king, k, q, INF_VALUE, b->board[q] ? 'x' : '-', false);
            }
    } else {
        int board = BoardOfCell(k);
        if (board >= 0) n += GenAttackBoardMoves(b, ab_of_index[board], &moves[n]);
        SQ_T l[4];
        BTO_T rec{0, l};
        for (int dir : {NORTH, NORTH_EAST, EAST, SOUTH_EAST, SOUTH, SOUTH_WEST, WEST, NORTH_WEST}) {
            int ln = DirTo(b, k, dir, &rec);
            for (int i = 0; i < ln; i++)
                if (allowed(l[i], dir)) InitMove(&moves[n++], king, k, l[i], INF_VALUE, b->board[l[i]] ? 'x' : '-', false);
        }
    }
    return n;
}

bool SameMoveKind(const MOVE_T& a, const MOVE_T& b) {
    return a.from == b.from && a.to == b.to && a.piece_moving == b.piece_moving;
}

}  // namespace

bool GCAKingShadow(POS_T* b, SQ_T cell, int dir, SQ_T king) {
    SQ_T l[4];
    BTO_T rec{0, l};
    int n = DirTo(b, cell, dir, &rec);
    for (int i = 0; i < n; i++)
        if (l[i] != king && b->board[l[i]]) return true;
    return false;
}

int GenerateCheckAvoidance(POS_T* b, MOVE_T* moves) {
    const bool white = IsWhitesMove(b);
    EnsureMaps(b);  // the king's lines come from the line map
    if (state.dmode == 2) return TargetedReplies(b, moves, white);

    MOVE_T targeted[MOVE_LIST_SIZE], all[MOVE_LIST_SIZE];
    int nt = TargetedReplies(b, targeted, white);
    int na = GenerateMoves(b, all);
    // The targeted replies that are moves of the position, then the rest.
    bool used[MOVE_LIST_SIZE] = {};
    int n = 0;
    for (int i = 0; i < nt; i++) {
        for (int j = 0; j < na; j++) {
            if (used[j] || !SameMoveKind(targeted[i], all[j])) continue;
            used[j] = true;
            moves[n++] = all[j];
            break;
        }
    }
    for (int j = 0; j < na; j++)
        if (!used[j]) moves[n++] = all[j];
    return n;
}
