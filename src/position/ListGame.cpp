#include <cstdio>

#include "tamzor.h"
#include "position/position.h"

void ListGame(bool unused) {
    (void)unused;
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    for (int ply = first + 1; ply <= state.position.move_num && ply <= GAME_RECORD_SIZE; ply++) {
        const char* text = GameListGet(ply);
        if ((ply - 1) % 2 == 0)
            printf("\n%d. %s", MoveNumberOfPly(ply - 1), text);
        else
            printf("\n%d. ... %s", MoveNumberOfPly(ply - 1), text);
    }
    fflush(stdout);
}
