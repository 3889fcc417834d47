#include <cstdio>

#include "viewlogic.h"
#include "tamzor.h"

// A hit record is: name count, min depth, max depth, then the names.
std::vector<PICK_HIT_T> PickHits(const unsigned int* buffer, int hits, bool report, int x, int y) {
    std::vector<PICK_HIT_T> out;
    const unsigned int* p = buffer;
    for (int i = 0; i < hits; i++) {
        const unsigned int names = p[0], depth = p[1];
        const unsigned int* n = p + 3;
        p = n + names;
        if (names == 2) {
            if (n[0] == PIN_PICK_NAME) out.push_back({PICK_HIT_T::PIN, n[1], depth});
            else if (n[0] == PIECE_PICK_NAME && n[1] < 64) out.push_back({PICK_HIT_T::PIECE, n[1], depth});
            else if (n[0] == RING_PICK_NAME) out.push_back({PICK_HIT_T::RING, n[1], depth});
            else if (n[0] < 8 && n[1] < 8) out.push_back({PICK_HIT_T::CELL, n[0] * 8 + n[1], depth});
            else if (n[0] < 8 && n[1] >= 100) out.push_back({PICK_HIT_T::POST, n[1], depth});
            else if (report) printf("\nx=%d y=%d: unknown names %u %u", x, y, n[0], n[1]);
        } else if (report) {
            printf("\nx=%d y=%d hits=%d", x, y, hits);
            printf("\n number of names for this hit = %u; names are", names);
            for (unsigned int k = 0; k < names; k++) printf(" %u ", n[k]);
            printf("\n");
        }
    }
    return out;
}

SQ_T DecodePickHits(const unsigned int* buffer, int hits, bool report, int x, int y, bool cells_first,
                    bool see_through) {
    return ChoosePick(PickHits(buffer, hits, report, x, y), cells_first, see_through);
}
