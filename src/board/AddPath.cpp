// Appending links to the configuration being built. Each member adds its own
// link and, unless it is itself the reverse call, the reverse link.
#include "tamzor.h"
#include "board/board.h"

static void Append(int dir_index, int from, int to) {
    BTO_T* rec = bc_stored[bc_search_index]->all[dir_index * 64 + from];
    if (rec->n < 4) rec->tos[rec->n++] = (SQ_T)to;  // geometry allows at most 4
}

#define ADD_PATH(NAME, OWN, REVERSE)                  \
    void NAME(int from, int to) {                     \
        Append(OWN, from, to);                        \
        if (bc_recurse == 0) {                        \
            bc_recurse = 1;                           \
            REVERSE(to, from);                        \
        }                                             \
        bc_recurse = 0;                               \
    }

ADD_PATH(AddPath_N, 0, AddPath_S)
ADD_PATH(AddPath_NNE, 1, AddPath_SSW)
ADD_PATH(AddPath_NE, 2, AddPath_SW)
ADD_PATH(AddPath_ENE, 3, AddPath_WSW)
ADD_PATH(AddPath_E, 4, AddPath_W)
ADD_PATH(AddPath_ESE, 5, AddPath_WNW)
ADD_PATH(AddPath_SE, 6, AddPath_NW)
ADD_PATH(AddPath_SSE, 7, AddPath_NNW)
ADD_PATH(AddPath_S, 8, AddPath_N)
ADD_PATH(AddPath_SSW, 9, AddPath_NNE)
ADD_PATH(AddPath_SW, 10, AddPath_NE)
ADD_PATH(AddPath_WSW, 11, AddPath_ENE)
ADD_PATH(AddPath_W, 12, AddPath_E)
ADD_PATH(AddPath_WNW, 13, AddPath_ESE)
ADD_PATH(AddPath_NW, 14, AddPath_SE)
ADD_PATH(AddPath_NNW, 15, AddPath_SSE)
