#include <algorithm>

#include "viewlogic.h"
#include "tamzor.h"

std::vector<PICK_HIT_T> PickStack(const std::vector<PICK_HIT_T>& hits, bool cells_only) {
    std::vector<PICK_HIT_T> out;
    for (PICK_HIT_T h : hits) {
        if (h.kind == PICK_HIT_T::PIECE) h.kind = PICK_HIT_T::CELL;
        if (h.kind == PICK_HIT_T::RING) h.kind = PICK_HIT_T::POST;
        if (cells_only && h.kind != PICK_HIT_T::CELL) continue;
        auto same = std::find_if(out.begin(), out.end(),
                                 [&](const PICK_HIT_T& o) { return o.kind == h.kind && o.target == h.target; });
        if (same == out.end()) out.push_back(h);
        else same->depth = std::min(same->depth, h.depth);
    }
    // Ties keep the drawing order.
    std::stable_sort(out.begin(), out.end(),
                     [](const PICK_HIT_T& a, const PICK_HIT_T& b) { return a.depth < b.depth; });
    return out;
}
