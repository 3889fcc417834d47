#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"

int CheckRepetition(POS_T* b, int count) {
    if (b->fifty_count >= 102) return 1;  // fifty moves each, counted in plies
    for (int i = b->move_num - 2; count && i >= 0 && i >= b->move_num - b->fifty_count; i -= 2) {
        if (i >= GAME_RECORD_SIZE) continue;
        if (active_hash_list[i] == b->hash1) count--;
    }
    return count == 0 ? 1 : 0;
}
