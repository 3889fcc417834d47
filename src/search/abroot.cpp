#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

namespace {
// The table keeps only the squares of a move, and the piece is read off the
// from square; an attack board is not on its from cell. The root's list has
// the whole move (piece and symbol: castling moves its rook). A stored move
// the list does not have (another position with the same keys) is passed
// over quietly.
const MOVE_T* RootListEntry(const POS_T* b, const MOVE_T* m) {
    const MOVE_T* other = nullptr;
    for (int i = 0; i < b->num_moves; i++) {
        const MOVE_T& l = b->moves[i];
        if (l.from != m->from || l.to != m->to) continue;
        if (l.piece_moving == m->piece_moving) return &l;
        if (!other) other = &l;
    }
    return other;
}
}  // namespace

ETYPE_T abroot(POS_T* b, int depth, ETYPE_T testv, MOVE_T* move) {
    search_depth = depth;
    ETYPE_T g = -400000, v;
    nodes++;
    static thread_local POS_T b1;
    MOVE_T m1;
    ZeroMove(&m1);
    const MOVE_T* entry = nullptr;
    if (!search_only_moves && hash_c.CheckHash(b, depth, testv, &v, &m1) && !IsZeroMove(&m1) && (entry = RootListEntry(b, &m1))) {
        // a table answer counts only with a legal move that does not repeat
        m1 = *entry;
        MOVE_T check = m1;
        if (LegalMove(b, &check, "abroot")) {
            MOVE_T made = m1;
            if (DoMove(&b1, b, &made) && !CheckRepetition(&b1, 1)) {
                *move = m1;
                return v;
            }
        }
    }
    if (hash_c.CheckHashEtc(b, b->moves, b->num_moves, depth, testv, &v, move)) return v;
    if (!IsZeroMove(move)) m1 = *move;
    OrderMoves(b, b->moves, b->num_moves, 0, &m1, testv);
    for (int i = 0; i < b->num_moves; i++) {
        MOVE_T* m = &b->moves[i];
        if (!IsValidMove(b, *m)) {
            Panic(false, "Bad move at abroot");
            continue;
        }
        MOVE_T made = *m;
        if (IsZeroMove(m) || !DoMove(&b1, b, &made)) {
            m->v = -400000;
            continue;
        }
        ETYPE_T r;
        if (CheckRepetition(&b1, 1))
            r = DrawValue() * NextToPlay(b);
        else
            r = -abtest(&b1, depth - 1, flipv(testv), 1);
        if (SearchExpired()) return g;
        m->v = r;
        if (r > g) g = r;
        if (g >= testv) {
            *move = *m;
            break;
        }
    }
    if (g == -400000 && !(b->flags & FLAG_IN_CHECK)) g = 0;
    if (!search_only_moves) hash_c.HashInsert(b, depth, testv, g, move);
    return g;
}
