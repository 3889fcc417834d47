#include <cstdio>

#include "viewlogic.h"

// A hit record is: name count, min depth, max depth, then the names. Cells are
// named (x, y) with y < 8; posts (x, board id); pin markers (PIN_PICK_NAME, pin).
SQ_T DecodePickHits(const unsigned int* buffer, int hits, bool report, int x, int y, bool cells_first) {
    const unsigned int* p = buffer;
    SQ_T cell = NO_SQUARE, post = NO_SQUARE;
    for (int i = 0; i < hits; i++) {
        unsigned int names = p[0];
        const unsigned int* n = p + 3;
        if (names == 2) {
            // A marker sits on its pin's cell: it is what was aimed at.
            if (n[0] == PIN_PICK_NAME) return n[1];
            if (n[1] < 9) {
                if (cell == NO_SQUARE) cell = n[0] * 8 + n[1];
            } else if (post == NO_SQUARE) {
                post = n[1];
            }
        } else if (report) {
            printf("\nx=%d y=%d hits=%d", x, y, hits);
            printf("\n number of names for this hit = %d; names are", names);
            for (unsigned int k = 0; k < names; k++) printf(" %d ", n[k]);
            printf("\n");
        }
        p = n + names;
    }
    // A thin post hangs among the cells and pieces of the level below: it
    // wins, unless a cell is wanted (the second click of a piece's move).
    if (cells_first) return cell != NO_SQUARE ? cell : post;
    return post != NO_SQUARE ? post : cell;
}
