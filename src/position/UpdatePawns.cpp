// After a null move: pawns whose race with the bare king turns on who moves.
#include "tamzor.h"
#include "position/position.h"
#include "eval/eval.h"

void UpdatePawns(POS_T* b) {
    const ETYPE_T* c = b->stage >= OPENING && b->stage <= MATING ? new_coefficients + b->stage * COEFF_SLICE : coefficients;
    const ETYPE_T race = c[1342];
    const uint64_t st = b->null_stoppable_pawn, un = b->null_unstoppable_pawn;
    ETYPE_T change = IsWhitesMove(b) ? (PopCount32(st & 0xFF000000) + PopCount32(un & 0xFF00)) * race
                                     : -(PopCount32(st & 0xFF00) + PopCount32(un & 0xFF000000)) * race;
    if (!change) return;
    // The pawns' terms count at their weight as one sum: weigh the sum
    // before and after, as a fresh evaluation would.
    ETYPE_T pawns_and_pieces = 0;
    for (uint64_t m = b->material_mask & 0xFFFFFFFF; m; m &= m - 1) pawns_and_pieces += b->piece_values[LowSlot(m)];
    b->eval_result += WeighedTerm(pawns_and_pieces + change) - WeighedTerm(pawns_and_pieces);
}
