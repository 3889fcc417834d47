#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"

int XrayThrough(POS_T* b, SQ_T sq1, SQ_T sq2) {
    int p1 = b->board[sq1], p2 = b->board[sq2];
    if (p1 == 0 || p2 == 0) return 1;
    // Only an own slider that moves along this very line lets the line go on.
    if (!IsSliding(p2) || !SameColor(p1, p2) || (p1 > 0) != (p2 > 0)) return 0;
    return capture_map[p2 + 6][sq2][sq1] ? 1 : 0;
}

uint64_t XrayAttack(POS_T* b, SQ_T sq1, SQ_T sq2) {
    int d = sliding_map[sq1][sq2];
    if (d == 0) return 0;
    uint64_t r;
    if ((int)sq1 == (int)sq2 - d)
        r = b->xray_topieces[sq2] & b->topieces[sq1];
    else
        r = b->xray_topieces[sq2 - d] & b->topieces[sq1] & b->xray_topieces[sq2];
    if (r & 0xF000F) r |= b->xray_topieces[sq2] & (b->board[sq1] <= 0 ? 0xF0000 : 0xF);
    return r;
}
