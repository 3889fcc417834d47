// Pattern terms: blocked centre pawns and knights, the bishop pair, opposite
// bishops for the side behind, the kings around passed pawns, and driving a
// lone king to a mating corner.
#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T EvalSpecifics(POS_T* b) {
    const ETYPE_T* c = coefficients;
    const int* bd = b->board;
    ETYPE_T v = 0;
    if (bd[D2] == W_PAWN && bd[D3]) v -= c[1350];
    if (bd[E2] == W_PAWN && bd[E3]) v -= c[1351];
    if (bd[D7] == B_PAWN && bd[D6]) v += c[1350];
    if (bd[E7] == B_PAWN && bd[E6]) v += c[1351];
    if (bd[B1] == W_KNIGHT && bd[C3]) v -= c[42];
    if (bd[G1] == W_KNIGHT && bd[F3]) v -= c[42];
    if (bd[B8] == B_KNIGHT && bd[C6]) v += c[42];
    if (bd[G8] == B_KNIGHT && bd[F6]) v += c[42];

    const uint64_t pm = b->piece_mask;
    if ((pm & 0x30) == 0x30) v += c[0];
    if ((pm & 0x300000) == 0x300000) v -= c[0];
    const uint64_t bishops = pm & 0x300030;
    if (bishops == 0x100010 || bishops == 0x200020) {
        if (b->w_material + 5000 < b->b_material)
            v += c[8];
        else if (b->b_material + 5000 < b->w_material)
            v -= c[8];
    }
    v += PassedPawnKings(b);
    if (b->stage == MATING) {
        const SQ_T wk = b->pieces[0].pos, bk = b->pieces[16].pos;
        if (b->w_material < b->b_material - 10000) {
            v -= c[46];
            const uint64_t bb = pm & 0x300000;
            if (bb == 0x100000) v -= c[47] * (7 - CornerDistance(wk));
            if (bb == 0x200000) v -= c[47] * (7 - CornerDistance(wk ^ 7));
        }
        if (b->b_material < b->w_material - 10000) {
            v += c[46];
            const uint64_t wb = pm & 0x30;
            if (wb == 0x20) v += c[47] * (7 - CornerDistance(bk));
            if (wb == 0x10) v += c[47] * (7 - CornerDistance(bk ^ 7));
        }
    }
    return v;
}
