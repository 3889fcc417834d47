// The king-zone control tables in force: with a queen on the board, the
// squares around a king that stands on either wing are worth more to the
// side that owns it.
#include "tamzor.h"
#include "eval/eval.h"

namespace {
// The slice the mirrored tables were made from.
thread_local constinit const ETYPE_T* mirrored_from = nullptr;
}  // namespace

void RecalcPosValues(POS_T* b) {
    const ETYPE_T* c = coefficients;
    if (mirrored_from != c) {
        invert(black_king_side, c + 253);
        invert(black_queen_side, c + 317);
        mirrored_from = c;
    }
    sq_p1 = sq_p2 = null_pos_value;
    uint64_t tag = 0;
    if (b->material_mask & 0x20002) {
        const PS_T& wk = b->pieces[0];
        const PS_T& bk = b->pieces[16];
        if (wk.p == W_KING && wk.pos < 64) {
            int x = (int)XPOS(wk.pos), y = (int)YPOS(wk.pos);
            if (x >= 4 && y <= 2) {
                sq_p1 = c + 253;
                tag = 0x8000;
            } else if (x < 3 && y <= 2) {
                sq_p1 = c + 317;
                tag = 0x10000;
            }
        }
        if (bk.p == B_KING && bk.pos < 64) {
            int x = (int)XPOS(bk.pos), y = (int)YPOS(bk.pos);
            if (x >= 4 && y >= 5) {
                sq_p2 = black_king_side;
                tag |= 0x20000;
            } else if (x < 3 && y >= 5) {
                sq_p2 = black_queen_side;
                tag |= 0x40000;
            }
        }
    }
    if ((b->flags & FLAG_CONTROL_TAG) != tag) {
        new_pos_values = 1;
        b->flags = (b->flags & ~(uint64_t)FLAG_CONTROL_TAG) | tag;
    }
}
