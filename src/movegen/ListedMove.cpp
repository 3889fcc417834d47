// A move known by its squares (from the search, the table or a protocol)
// replaced by the legal list's own entry, so that what is played is exactly
// what the rules generate: castling with its rook, a promotion with its piece.
#include "tamzor.h"
#include "movegen/movegen.h"

int ListedMove(POS_T* b, MOVE_T* move) {
    static thread_local MOVE_T legal[4 * MOVE_LIST_SIZE];
    const int n = LegalMoves(b, legal);
    const MOVE_T* best = nullptr;
    int best_score = -1;
    for (int i = 0; i < n; i++) {
        const MOVE_T& m = legal[i];
        if (m.from != move->from || m.to != move->to) continue;
        // The table knows a move by its squares only, and reads an attack
        // board's piece off a cell it does not stand on.
        int score = (m.piece_moving == move->piece_moving ? 4 : 0) + (m.move_symbol == move->move_symbol ? 2 : 0) +
                    (m.move_symbol == 'Q' ? 1 : 0);
        if (score > best_score) {
            best = &m;
            best_score = score;
        }
    }
    if (!best) return 0;
    const ETYPE_T v = move->v;
    *move = *best;
    move->v = v;
    return 1;
}
