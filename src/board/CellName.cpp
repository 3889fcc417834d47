#include <cstdio>

#include "tamzor.h"
#include "board/board.h"

void CellName(POS_T* b, SQ_T sq, char* out, size_t size) {
    if (sq >= 64) {
        snprintf(out, size, "??");
        return;
    }
    if (state.dmode == 2) {
        snprintf(out, size, "%s", PosStr(b, sq));
        return;
    }
    const int level = GetLevel(b, sq);
    if (LoadShared(state.notation) == NOTATION_STANDARD) {
        snprintf(out, size, "%s(%d)", PosStr(b, sq), level);
        return;
    }
    const char* suffix = level == 2 ? "W" : level == 4 ? "N" : level == 6 ? "B"
                         : (level == 3 || level == 5 || level == 7) ? GetABStringBySquare(b, sq)
                                                                   : "OOC";
    snprintf(out, size, "%s%s", PosStr(b, sq), suffix ? suffix : "");
}
