#include "viewlogic.h"
#include "tamzor.h"

namespace {
// The nearest hit of the kinds in `mask` (bits by KIND_E), nullptr when none.
const PICK_HIT_T* Nearest(const std::vector<PICK_HIT_T>& hits, unsigned mask) {
    const PICK_HIT_T* best = nullptr;
    for (const PICK_HIT_T& h : hits)
        if ((mask >> h.kind & 1) && (!best || h.depth < best->depth)) best = &h;
    return best;
}
constexpr unsigned Bit(PICK_HIT_T::KIND_E k) { return 1u << k; }
}  // namespace

SQ_T ChoosePick(const std::vector<PICK_HIT_T>& hits, bool cells_first, bool see_through) {
    if (const PICK_HIT_T* pin = Nearest(hits, Bit(PICK_HIT_T::PIN))) return pin->target;
    const PICK_HIT_T* cell = Nearest(hits, Bit(PICK_HIT_T::CELL));
    const PICK_HIT_T* solid = Nearest(hits, Bit(PICK_HIT_T::PIECE) | (cells_first ? 0 : Bit(PICK_HIT_T::POST)));
    // The ring makes a thin post easy to hit, but never over a piece or post
    // that shows there.
    if (!solid && !cells_first) solid = Nearest(hits, Bit(PICK_HIT_T::RING));
    if (!solid && !cell) {
        const PICK_HIT_T* post = Nearest(hits, Bit(PICK_HIT_T::POST) | Bit(PICK_HIT_T::RING));
        return post ? post->target : NO_SQUARE;
    }
    if (!cell) return solid->target;
    if (!solid) return cell->target;
    // Half-transparent cells let what stands behind them show through.
    if (see_through || solid->depth <= cell->depth) return solid->target;
    return cell->target;
}
