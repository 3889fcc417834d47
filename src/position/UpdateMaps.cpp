#include <cstring>

#include "tamzor.h"

thread_local signed char sliding_map[64][64];
thread_local char capture_map[13][64][64];

void UpdateMaps(POS_T* b) {
    if (state.dmode == 2) {
        capmap_index = bc_search_index;
        UpdateMaps2D();
        return;
    }
    // Look the placement up first, so the index recorded is the one the maps
    // are built for (and the lookups inside the builder do not recurse).
    FindBoardConfig(b);
    capmap_index = bc_search_index;
    // A search moves boards back and forth; each placement's line map is
    // built once and kept with its configuration. The capture map only ever
    // gains entries, so the ones a placement set are still there.
    bool* built;
    signed char(*kept)[64] = StoredLineMap(bc_search_index, &built);
    if (*built) {
        memcpy(sliding_map, kept, sizeof sliding_map);
        return;
    }
    UpdateMaps3D(b);
    memcpy(kept, sliding_map, sizeof sliding_map);
    *built = true;
}
