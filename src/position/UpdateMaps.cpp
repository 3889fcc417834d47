#include "tamzor.h"

thread_local signed char sliding_map[64][64];
thread_local char capture_map[13][64][64];

void UpdateMaps(POS_T* b) {
    // Look the placement up first, so the index recorded is the one the maps
    // are built for (and the lookups inside the builder do not recurse).
    if (state.dmode != 2) FindBoardConfig(b);
    capmap_index = bc_search_index;
    if (state.dmode == 2)
        UpdateMaps2D();
    else
        UpdateMaps3D(b);
}
