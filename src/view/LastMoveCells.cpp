#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"

uint64_t LastMoveCells(const POS_T* b, const MOVE_T* m) {
    (void)b;
    if (IsZeroMove(m) && m->piece_moving == 0) return 0;
    const int k = ABIndex(m->piece_moving);
    if (k >= 0) {
        // The board moved with what stands on it: its four cells show where it went.
        const SQ_T c = WhereIsAB_C(k);
        return (1ull << c) | (1ull << (c + 1)) | (1ull << (c + 8)) | (1ull << (c + 9));
    }
    uint64_t cells = 0;
    if (m->from < 64) cells |= 1ull << m->from;
    if (m->to < 64) cells |= 1ull << m->to;
    return cells;
}
