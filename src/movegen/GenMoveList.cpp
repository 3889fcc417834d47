#include <cstdio>
#include <cstdlib>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "search/search.h"

thread_local constinit MOVE_T** move_lists;
thread_local constinit int num_move_lists;

namespace {
// Frees this thread's per-ply lists when the thread ends.
struct LISTS_OWNER_T {
    ~LISTS_OWNER_T() {
        for (int i = 0; i < num_move_lists; i++) free(move_lists[i]);
        free(move_lists);
        move_lists = nullptr;
        num_move_lists = 0;
    }
};
thread_local constinit LISTS_OWNER_T lists_owner;
}  // namespace

// The list comes ordered: the hint (the table's move) first, then what the
// search's memories favour.
void GenMoveList(POS_T* b, int ply, MOVE_T* hint, int testv) {
    (void)&lists_owner;
    while (ply >= num_move_lists) {
        if (eval_show) printf("\nGenMoveList alloc");
        move_lists = (MOVE_T**)Realloc(move_lists, (int)sizeof(MOVE_T*) * (num_move_lists + 30));
        for (int i = 0; i < 30; i++)
            move_lists[num_move_lists + i] = (MOVE_T*)Realloc(nullptr, (int)sizeof(MOVE_T) * MOVE_LIST_SIZE);
        num_move_lists += 30;
    }
    b->moves = move_lists[ply];
    b->num_moves = GetMoveList(b, b->moves);
    OrderMoves(b, b->moves, b->num_moves, ply, hint, testv);
}
