#include "tamzor.h"
#include "eval/eval.h"

void EstimateGameStage(POS_T* b, int doit) {
    if (!doit) return;
    int n = PopCount16((uint32_t)(b->piece_mask & 0xFF)) +
            PopCount16((uint32_t)((b->piece_mask >> 16) & 0xFF));
    if ((b->material_mask & 0x20002) == 0x20002) n += 2;
    int old = b->stage;
    if (b->piece_mask == b->material_mask)
        b->stage = MATING;
    else if (n < 7)
        b->stage = ENDING;
    else if (n < 16 || (b->flags & 0xF) == 0)
        b->stage = MID_GS;
    else
        b->stage = OPENING;
    coefficients = GameCoefficients() + b->stage * COEFF_SLICE;
    b->piece_change |= 0x10001 | (b->piece_mask & 0x20002);
    if (b->stage != old) {
        // Every cached term was weighed with the old slice: the position is
        // evaluated afresh, without a parent to work against. (The table's
        // values are the search's to drop: see MatchStage.)
        b->flags &= ~(uint64_t)(FLAG_EVALUATED | FLAG_TACTICS_DONE);
        b->piece_change = b->material_mask;
        b->oldb = nullptr;
    }
}
