// The geometry maps in force for the game kind and placement being worked on.
// The 2D maps are built once. In the 3D game the line map and the slider
// slices of the capture map belong to the placement and are kept with its
// configuration, so switching placements (a search moving boards to and fro)
// only repoints them, and no placement's lines linger in another's maps.
#include <cstring>

#include "tamzor.h"
#include "board/board.h"

namespace {
thread_local constinit LINE_MAP_T lines_2d;
thread_local constinit CAPTURE_SLICE_T capture_2d[13], capture_3d[13];
thread_local constinit bool built_2d;

void PointAt(LINE_MAP_T* lines, CAPTURE_SLICE_T* slices, CAPTURE_SLICE_T* sliders) {
    sliding_map = *lines;
    for (int i = 0; i < 13; i++) capture_map[i] = slices[i];
    if (sliders) {
        static const int slider_rows[6] = {B_QUEEN + 6, B_ROOK + 6, B_BISHOP + 6,
                                           W_BISHOP + 6, W_ROOK + 6, W_QUEEN + 6};
        for (int k = 0; k < 6; k++) capture_map[slider_rows[k]] = sliders[k];
    }
}

// Until a thread builds its maps they read as empty.
const LINE_MAP_T no_lines = {};
const CAPTURE_SLICE_T no_captures = {};
}  // namespace

thread_local constinit signed char (*sliding_map)[64] = const_cast<signed char (*)[64]>(no_lines);
thread_local constinit char (*capture_map[13])[64] = {
    const_cast<char (*)[64]>(no_captures), const_cast<char (*)[64]>(no_captures),
    const_cast<char (*)[64]>(no_captures), const_cast<char (*)[64]>(no_captures),
    const_cast<char (*)[64]>(no_captures), const_cast<char (*)[64]>(no_captures),
    const_cast<char (*)[64]>(no_captures), const_cast<char (*)[64]>(no_captures),
    const_cast<char (*)[64]>(no_captures), const_cast<char (*)[64]>(no_captures),
    const_cast<char (*)[64]>(no_captures), const_cast<char (*)[64]>(no_captures),
    const_cast<char (*)[64]>(no_captures)};
thread_local constinit int capmap_dmode = 0;

void UpdateMaps(POS_T* b) {
    if (state.dmode == 2) {
        capmap_index = -1;  // no 3D configuration's maps are in force
        capmap_dmode = 2;
        PointAt(&lines_2d, capture_2d, nullptr);
        if (!built_2d) {
            UpdateMaps2D();
            built_2d = true;
        }
        return;
    }
    // Look the placement up first, so the index recorded is the one the maps
    // are built for (and the lookups inside the builder do not recurse).
    FindBoardConfig(b);
    capmap_index = bc_search_index;
    capmap_dmode = 3;
    STORED_MAPS_T kept = StoredMaps(bc_search_index);
    PointAt(kept.lines, capture_3d, kept.sliders);
    if (*kept.built) return;
    memset(kept.sliders, 0, sizeof(CAPTURE_SLICE_T) * 6);
    UpdateMaps3D(b);
    *kept.built = true;
}
