#include <cstdio>

#include "viewlogic.h"

// A hit record is: name count, min depth, max depth, then the names. Cells are
// named (x, y) with y < 8; posts (x, board id).
SQ_T DecodePickHits(const unsigned int* buffer, int hits, bool report, int x, int y) {
    const unsigned int* p = buffer;
    for (int i = 0; i < hits; i++) {
        unsigned int names = p[0];
        const unsigned int* n = p + 3;
        if (names == 2) return n[1] < 9 ? n[0] * 8 + n[1] : n[1];
        if (report) {
            printf("\nx=%d y=%d hits=%d", x, y, hits);
            printf("\n number of names for this hit = %d; names are", names);
            for (unsigned int k = 0; k < names; k++) printf(" %d ", n[k]);
            printf("\n");
        }
        p = n + names;
    }
    return NO_SQUARE;
}
