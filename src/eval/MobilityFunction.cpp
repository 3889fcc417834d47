// Mobility and safe mobility of a piece by its rank, with penalties for a
// piece that is short of moves and one with nowhere safe to go.
#include <cstdlib>

#include "tamzor.h"
#include "eval/eval.h"

namespace {
const int mobility_threshold[7] = {0, 0, 6, 5, 4, 6, 0};
const int mobility_table[7] = {0, 0, 381, 461, 541, 621, 701};
const int safe_table[7] = {0, 0, 781, 861, 941, 1021, 1101};
}  // namespace

ETYPE_T MobilityFunction(POS_T* b, int s) {
    const ETYPE_T* c = coefficients;
    const int k = abs(b->pieces[s].p);
    if (k < 2 || k > 6) return 0;
    const int y = (int)YPOS(b->pieces[s].pos);
    const int r = s < 16 ? y : 7 - y;
    const int mob = imax(b->mobility[s], 0), safe = imax(b->safe_mobility[s], 0);
    ETYPE_T v = c[mobility_table[k] + imin(mob, 9) + 10 * r];
    if (mob < mobility_threshold[k] && !(b->attacking_mask & (1ull << s))) v -= c[43];
    v += c[safe_table[k] + imin(safe, 9) + 10 * r];
    if (safe == 0) v -= c[34 + r];
    return v;
}
