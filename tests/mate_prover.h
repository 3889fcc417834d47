// Exhaustive proof of forced mates, for tests and for making mate problems:
// every legal move of both sides, no search heuristics.
#pragma once

#include <string>
#include <vector>

#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"

inline bool CanMate(POS_T* b, int n);

// The side to move is mated within n moves of the other side.
inline bool Lost(POS_T* b, int n) {
    std::vector<MOVE_T> moves(4 * MOVE_LIST_SIZE);
    int k = LegalMoves(b, moves.data());
    if (k == 0) return (b->flags & FLAG_IN_CHECK) != 0;
    if (n == 0) return false;
    for (int i = 0; i < k; i++) {
        POS_T c;
        MOVE_T m = moves[i];
        DoMove(&c, b, &m);
        if (!CanMate(&c, n)) return false;
    }
    return true;
}

// The side to move mates within n moves.
inline bool CanMate(POS_T* b, int n) {
    std::vector<MOVE_T> moves(4 * MOVE_LIST_SIZE);
    int k = LegalMoves(b, moves.data());
    for (int i = 0; i < k; i++) {
        POS_T c;
        MOVE_T m = moves[i];
        DoMove(&c, b, &m);
        if (Lost(&c, n - 1)) return true;
    }
    return false;
}

// Every first move that mates within n moves.
inline std::vector<MOVE_T> MatingMoves(POS_T* b, int n) {
    std::vector<MOVE_T> moves(4 * MOVE_LIST_SIZE), out;
    int k = LegalMoves(b, moves.data());
    for (int i = 0; i < k; i++) {
        POS_T c;
        MOVE_T m = moves[i];
        DoMove(&c, b, &m);
        if (Lost(&c, n - 1)) out.push_back(moves[i]);
    }
    return out;
}
