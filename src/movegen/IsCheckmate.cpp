#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"

// True when the side to move has no legal move: mate or stalemate.
int IsCheckmate(POS_T* b) {
    static thread_local MOVE_T list[MOVE_LIST_SIZE];
    static thread_local POS_T scratch;
    int n = GetMoveList(b, list);
    for (int i = 0; i < n; i++) {
        MOVE_T m = list[i];
        if (IsZeroMove(&m)) continue;
        if (DoMove(&scratch, b, &m)) return 0;
    }
    return 1;
}
