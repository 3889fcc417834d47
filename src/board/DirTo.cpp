#include "tamzor.h"
#include "board/board.h"

BC_T* ActiveConfig(POS_T* b) {
    FindBoardConfig(b);
    b->bc_active = bc_stored[bc_search_index];
    if (capmap_index != bc_search_index) UpdateMaps(b);
    return b->bc_active;
}

int DirTo(POS_T* b, SQ_T sq, int dir, BTO_T* rec) {
    rec->n = 0;
    rec->tos[0] = NO_SQUARE;
    if (sq >= 64) return 0;
    if (state.dmode == 2) {
        int k = DirIndex(dir);
        if (k < 0) {
            Panic(false, dir == 0 ? "NULL 2d direction" : "unknown 2d direction");
            return 0;
        }
        int x = (int)XPOS(sq) + dir_dfile[k], y = (int)YPOS(sq) + dir_drank[k];
        if (x >= 0 && x < 8 && y >= 0 && y < 8) {
            rec->n = 1;
            rec->tos[0] = (SQ_T)(sq + dir);
        }
        return (int)rec->n;
    }
    ActiveConfig(b);
    int k = DirIndex(dir);
    if (k < 0) {
        Panic(false, dir == 0 ? "NULL 3d direction" : "unknown 3d direction");
        return 0;
    }
    const BTO_T* src = b->bc_active->all[k * 64 + sq];
    rec->n = src->n;
    for (uint32_t i = 0; i < src->n; i++) rec->tos[i] = src->tos[i];
    if (rec->tos[0] > 64) rec->n = 0;
    return (int)rec->n;
}

bool OffBoard(POS_T* b, SQ_T sq, int dir) {
    SQ_T t[4];
    BTO_T rec{0, t};
    DirTo(b, sq, dir, &rec);
    return t[0] == NO_SQUARE;
}
