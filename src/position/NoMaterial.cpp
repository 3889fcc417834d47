#include "tamzor.h"
#include "position/position.h"
#include "eval/eval.h"

namespace {
// A side without pawns that cannot force mate: a lone minor piece, or two
// knights, beside its king.
bool CannotMate(ETYPE_T material) {
    const ETYPE_T king = new_coefficients[1187], knight = new_coefficients[1183],
                  bishop = new_coefficients[1184];
    return material <= emax(bishop + king, knight + king) || material == 2 * knight + king;
}
}  // namespace

bool NoMaterial(POS_T* b) {
    bool white_pawnless = (b->piece_mask & 0xFFFF) == (b->material_mask & 0xFFFF);
    bool black_pawnless = (b->piece_mask & 0xFFFF0000ull) == (b->material_mask & 0xFFFF0000ull);
    return white_pawnless && black_pawnless && CannotMate(b->w_material) && CannotMate(b->b_material);
}
