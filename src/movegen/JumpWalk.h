// Walks that carry a line from one attack board to the next across pins
// holding no board: along the outer files (the chains of a line's pins, south
// to north: pin 1, pin 3, the pair 2/5, pin 4, pin 6) and along the far rows
// 0 and 9 between the two lines. The same walks serve the reach map of rooks
// and queens and the interpositions of check evasion; only what is done with
// each examined cell differs.
#pragma once

#include "tamzor.h"

struct JUMP_WALK_T {
    POS_T* b;
    bool missing;  // the walk has passed a pin that holds no board
    // Looks at one cell; true when the walk may go on past it.
    bool (*examine)(JUMP_WALK_T* w, SQ_T cell);
    void* context;
};

// All four walks from `cell`, an attack-board cell of board `board`, in the
// order north, south, east, west.
void JumpWalks(JUMP_WALK_T* w, int board, SQ_T cell);
