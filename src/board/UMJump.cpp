#include "tamzor.h"
#include "board/board.h"

static bool JumpLevel(POS_T* b, SQ_T to, SQ_T from, int delta, int level) {
    SQ_T t[7];
    BTO_T rec{0, t};
    int n = level <= 2 ? UMDirTo(b, from, delta, &rec) : DirTo(b, from, delta, &rec);
    for (int i = 0; i < n; i++) {
        if (t[i] == to) return true;
        if (level < 10 && JumpLevel(b, to, t[i], delta, level + 1)) return true;
    }
    return false;
}

bool UMJump(POS_T* b, SQ_T to, SQ_T from, int delta) {
    if (to == from) return false;
    return JumpLevel(b, to, from, delta, 1);
}
