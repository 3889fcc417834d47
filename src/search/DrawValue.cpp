// A draw from White's point of view. Entry 44 and the extra 1000 are how
// much the computer dislikes a draw; the value is turned to White's view by
// the side it plays, so that the same dislike holds for either colour.
// With no computer side (or both) a draw is worth 0. An analysis dislikes
// draws for the side it searches for.
#include "tamzor.h"
#include "eval/eval.h"
#include "search/search.h"

ETYPE_T DrawValue() {
    const ETYPE_T computers = coefficients[44] - 1000;
    ETYPE_T v = 0;
    const int tamzor = search_cancel ? search_side : LoadShared(state.tamzor);
    if (tamzor == TAMZOR_WHITE)
        v = computers;
    else if (tamzor == TAMZOR_BLACK)
        v = -computers;
    if (v > 10000) v = 10000;
    if (v < -10000) v = -10000;
    return v;
}
