#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"

void RootMoves(POS_T* b, MOVE_T* move) {
    if (b->moves) return;
    GenMoveList(b, 0, move, 0);
    for (int i = 0; i < b->num_moves; i++) {
        if (!IsValidMove(b, b->moves[i])) {
            Panic(false, "Bad move at RootMoves");
            continue;
        }
        b->moves[i].v = EvalMoveTactics(b, &b->moves[i]);
    }
    SortMoves(b->moves, b->num_moves);
    // illegal moves (rated -405000) go
    while (b->num_moves > 0 && b->moves[b->num_moves - 1].v < -399999) b->num_moves--;
    if (search_only_moves) {
        // the moves asked for, in the order found
        int kept = 0;
        for (int i = 0; i < b->num_moves; i++) {
            const std::string token = MoveToken(b->moves[i]);
            for (const std::string& t : *search_only_moves)
                if (t == token) {
                    b->moves[kept++] = b->moves[i];
                    break;
                }
        }
        b->num_moves = kept;
    }
}

int TerribleMove(POS_T* b, MOVE_T* move, ETYPE_T* v) {
    static thread_local POS_T scratch;
    MOVE_T m = *move;
    if (!DoMove(&scratch, b, &m)) return 0;
    HASHENTRY_T e;
    if (hash_c.FetchHash(&scratch, &e) && e.high > 10000 - *v) {
        *v = -2 - e.low;
        return 1;
    }
    return 0;
}
