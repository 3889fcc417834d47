// The line the transposition table holds from a position.
#include <set>
#include <vector>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

namespace {
// Where a position's entry keeps no move (its bounds were all upper ones),
// the reply whose own entry promises the most for the side to move.
bool BestStoredReply(POS_T* b, MOVE_T* best) {
    static thread_local MOVE_T legal[LEGAL_LIST_SIZE];
    static thread_local POS_T child;
    const int n = LegalMoves(b, legal);
    bool found = false;
    ETYPE_T best_value = 0;
    for (int i = 0; i < n; i++) {
        MOVE_T m = legal[i];
        if (!DoMove(&child, b, &m)) continue;
        HASHENTRY_T e;
        if (!hash_c.FetchHash(&child, &e) || (!e.depth_low && !e.depth_high)) continue;
        // the child's value for the side that moves into it
        const ETYPE_T v = -(e.depth_high ? e.high : e.low);
        if (!found || v > best_value) {
            found = true;
            best_value = v;
            *best = legal[i];
        }
    }
    if (!found && n == 1) {
        *best = legal[0];  // a forced reply
        found = true;
    }
    return found;
}

}  // namespace

std::vector<MOVE_T> PrincipalLine(POS_T* root, const MOVE_T& first, int max_plies) {
    std::vector<MOVE_T> line;
    std::vector<POS_T> positions(2);
    positions[0] = *root;
    positions[0].oldb = nullptr;
    std::set<uint64_t> seen{root->hash1};
    MOVE_T m = first;
    for (int ply = 0; ply < max_plies; ply++) {
        POS_T* b = &positions[ply & 1];
        POS_T* child = &positions[(ply + 1) & 1];
        if (IsZeroMove(&m) || !ListedMove(b, &m)) break;
        MOVE_T made = m;
        if (!DoMove(child, b, &made)) break;
        child->oldb = nullptr;
        child->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
        line.push_back(m);
        if (!seen.insert(child->hash1).second) break;
        HASHENTRY_T e;
        if (hash_c.FetchHash(child, &e) && (e.from || e.to))
            InitMove(&m, e.from < 64 ? child->board[e.from] : 0, (SQ_T)e.from, (SQ_T)e.to, INF_VALUE, '?', false);
        else if (!BestStoredReply(child, &m))
            break;
    }
    return line;
}

