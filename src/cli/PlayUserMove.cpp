#include <cstdio>

#include "cli.h"
#include "tamzor.h"
#include "position/position.h"

bool PlayUserMove(MOVE_T* move, bool* over) {
    POS_T* b = &state.position;
    *over = b->winner != 0;
    if (*over || !PlayerMoved(b, move)) return false;
    *over = JudgeGame(b) == 1 || b->winner != 0;
    fflush(stdout);
    return true;
}
