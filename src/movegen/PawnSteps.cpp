#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

bool PawnMovedTwoSteps(POS_T* b, SQ_T to, SQ_T from, int dir) {
    SQ_T t1[4], t2[4];
    BTO_T l1{0, t1}, l2{0, t2};
    if (!DirTo(b, from, dir, &l1)) return false;
    int n = DirTo(b, t1[0], dir, &l2);
    for (int i = 0; i < n; i++)
        if (t2[i] == to) return true;
    return false;
}

bool PawnToEastWest(POS_T* b, SQ_T sq, int piece) {
    SQ_T t[4];
    BTO_T l{0, t};
    for (int dir : {EAST, WEST}) {
        int n = DirTo(b, sq, dir, &l);
        for (int i = 0; i < n; i++)
            if (b->board[t[i]] == piece) return true;
    }
    return false;
}

bool PawnMayStepTwice(POS_T* b, int slot) {
    const PS_T& ps = b->pieces[slot];
    const bool white = ps.p == W_PAWN;
    if (!white && ps.p != B_PAWN) return false;
    if (YPOS(ps.pos) != (white ? 1u : 6u)) return false;
    // On 8x8 a pawn on its start rank has never moved, whatever slot an
    // edited or FEN position gave it.
    if (state.dmode == 2) return true;
    // In 3D a pawn can step onto its side's start row from an attack board,
    // so only a pawn still on the cell it started from may step twice, and
    // one on an attack board only while that board is home.
    if (!IsPawnHome(&ps, &b->pieces[white ? 8 : 24])) return false;
    int board = BoardOfCell(ps.pos);
    return board < 0 || IsAttackBoardHome(b, ab_of_index[board]);
}
