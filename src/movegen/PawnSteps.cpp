#include <initializer_list>

#include "tamzor.h"

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
