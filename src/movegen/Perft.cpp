// Counting the move tree: the reference test of the rules.
#include <cstring>
#include <vector>

#include <initializer_list>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {
// A move's identity for counting: the list may spell one move several ways
// (promotion variants, an en passant entry beside a plain one).
bool SameKind(const MOVE_T& a, const MOVE_T& b) {
    return a.from == b.from && a.to == b.to && a.piece_moving == b.piece_moving;
}

// Candidate moves of the position: one per (piece, from, to), promotions
// expanded to the four pieces.
int Candidates(POS_T* b, MOVE_T* out) {
    static thread_local MOVE_T list[MOVE_LIST_SIZE];
    int n = GetMoveList(b, list), k = 0;
    for (int i = 0; i < n; i++) {
        bool seen = false;
        for (int j = 0; j < k && !seen; j++) seen = SameKind(out[j], list[i]);
        if (seen) continue;
        MOVE_T m = list[i];
        if (DetectPromotion(b, m.piece_moving, m.to, &m)) {
            for (char s : {'Q', 'R', 'B', 'N'}) {
                out[k] = m;
                out[k++].move_symbol = s;
            }
        } else {
            out[k++] = m;
        }
    }
    return k;
}

uint64_t PerftAt(std::vector<POS_T>& stack, int ply, int depth) {
    POS_T* b = &stack[ply];
    MOVE_T moves[MOVE_LIST_SIZE];
    int n = Candidates(b, moves);
    uint64_t total = 0;
    POS_T* child = &stack[ply + 1];
    for (int i = 0; i < n; i++) {
        MOVE_T m = moves[i];
        if (!DoMove(child, b, &m)) continue;
        total += depth <= 1 ? 1 : PerftAt(stack, ply + 1, depth - 1);
    }
    return total;
}
}  // namespace

int LegalMoves(POS_T* b, MOVE_T* out) {
    MOVE_T cand[MOVE_LIST_SIZE];
    int n = Candidates(b, cand), k = 0;
    static thread_local POS_T scratch;
    for (int i = 0; i < n; i++) {
        MOVE_T m = cand[i];
        if (DoMove(&scratch, b, &m)) out[k++] = cand[i];
    }
    return k;
}

uint64_t Perft(POS_T* b, int depth) {
    if (depth <= 0) return 1;
    std::vector<POS_T> stack(depth + 1);
    stack[0] = *b;
    stack[0].oldb = nullptr;
    return PerftAt(stack, 0, depth);
}
