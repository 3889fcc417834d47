// Move ordering: the proposed move first, then killers, the exchange
// estimate's capture, captures by what they take, the refutation of the last
// move, the children's table entries and the history of cut-offs.
#include <cstdlib>
#include <cstring>

#include "levels.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "eval/eval.h"
#include "search/search.h"

namespace {
// Captures by what they take, the cheaper attacker first: one that wins
// material or takes an undefended piece before the quiet moves; one that
// gives material away is lifted only a little, among the quiet moves.
int CaptureOrder(const POS_T* b, const MOVE_T* m) {
    if (m->to >= 64 || IsAB(m->piece_moving)) return 0;
    const int victim = std::abs(b->board[m->to]);
    if (!victim || victim == W_KING) return 0;
    const ETYPE_T* worth = &new_coefficients[COEFF_MATERIAL];
    const ETYPE_T taken = worth[victim], risked = worth[std::abs(m->piece_moving)];
    const uint64_t opp = IsWhitesMove(b) ? 0xFFFF0000ull : 0xFFFFull;
    if (!GivesMaterialAway(taken, risked, (b->topieces[m->to] & opp) != 0)) return 12000 + taken / 10 - risked / 100;
    return taken / 100;
}
}  // namespace

int OrderFunction(POS_T* b, MOVE_T* m, int ply, ETYPE_T testv) {
    if (SameMove(m, &search_memory.hash_move)) return 100000000;
    int score = 0;
    if (ply < SearchPlyLimit() && ply < MAX_PLY &&
        (SameMove(m, &search_memory.killers[ply].k1) || SameMove(m, &search_memory.killers[ply].k2)))
        score = 10000;
    if (SameMove(m, &b->best_capture)) score += 15000;
    score += CaptureOrder(b, m);
    const MOVE_T& last = b->last_move;
    if (last.from < 64 && last.to < 64 && SameMove(m, &search_memory.refutation[last.from][last.to])) score += 10000;
    score += hash_c.HashOrdering(b, m, testv) * 10000;
    if (m->from < 64 && m->to < 64) score += (int)search_memory.history[m->from][m->to];
    return score;
}

void OrderMoves(POS_T* b, MOVE_T* moves, int n, int ply, MOVE_T* m1, ETYPE_T testv) {
    if (!m1) {
        EvalTactics(b);  // leaves the exchange estimate's capture in best_capture
        ZeroMove(&search_memory.hash_move);
    } else {
        search_memory.hash_move = *m1;
    }
    hash_c.PrefetchChildren(b, moves, n);
    for (int i = 0; i < n; i++) {
        if (!IsValidMove(b, moves[i])) {
            Panic(false, "Bad move at OrderMoves");
            continue;
        }
        moves[i].v = OrderFunction(b, &moves[i], ply, testv);
    }
    SortMoves(moves, n);
}

void OrderClear(int move_num) {
    static thread_local int last_num;
    int shift = imax(move_num - last_num, 3);
    last_num = move_num;
    // a reset since this thread last searched (a new game): start afresh
    if (search_memory.epoch != OrderEpoch()) {
        memset(&search_memory, 0, sizeof search_memory);
        search_memory.epoch = OrderEpoch();
    }
    for (auto& k : search_memory.killers) k = KILLER_T{};
    for (auto& row : search_memory.refutation)
        for (MOVE_T& m : row) ZeroMove(&m);
    for (auto& row : search_memory.history)
        for (uint64_t& h : row) h = shift >= 64 ? 0 : h >> shift;
}
