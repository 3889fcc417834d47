#include <cstdio>

#include "tamzor.h"
#include "board/board.h"

char* PosStr(POS_T* b, SQ_T sq) {
    if (state.dmode == 2) {
        thread_local char buf[4][3];
        thread_local int next;
        char* out = buf[next];
        next = (next + 1) & 3;
        if (sq >= 64) {
            snprintf(out, 3, "??");
        } else {
            out[0] = (char)('a' + XPOS(sq));
            out[1] = (char)('1' + YPOS(sq));
            out[2] = 0;
        }
        return out;
    }
    switch (LoadShared(state.notation)) {
        case NOTATION_STANDARD: return posstr3D(b, sq);
        case NOTATION_ZARVIC:
        case NOTATION_ALGEBRAIC: return posstr3DZarvic(b, sq);
        default: return nullptr;
    }
}
