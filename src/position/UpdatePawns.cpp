// After a null move: pawns whose race with the bare king turns on who moves.
#include "tamzor.h"

void UpdatePawns(POS_T* b) {
    const ETYPE_T* c = b->stage >= OPENING && b->stage <= MATING ? new_coefficients + b->stage * COEFF_SLICE : coefficients;
    const ETYPE_T race = c[1342];
    const uint64_t st = b->null_stoppable_pawn, un = b->null_unstoppable_pawn;
    if (IsWhitesMove(b))
        b->eval_result += (PopCount32(st & 0xFF000000) + PopCount32(un & 0xFF00)) * race;
    else
        b->eval_result -= (PopCount32(st & 0xFF00) + PopCount32(un & 0xFF000000)) * race;
}
