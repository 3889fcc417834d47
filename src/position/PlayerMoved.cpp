#include <cstdio>

#include "shell/clock.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"


int PlayerMoved(POS_T* b, MOVE_T* move) {
    if (eval_show) printf("\nPlayerMoved");
    if (b->move_num < 0 || b->move_num >= GAME_MAX_PLIES) return 0;  // the record is full
    if (!LegalMove(b, move, "PlayerMoved")) return 0;
    state.game_record[b->move_num] = *move;
    static thread_local POS_T before;
    before = *b;
    if (!DoMove(b, b, move)) {
        Panic(false, "PlayerMoved legal but bad do move");
        b->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
        return 0;
    }
    state.game_record[b->move_num - 1] = *move;  // as made: symbol and check settled
    if (b == &state.position) game_clock.Moved(b->move_num, TickCount());
    if (int captured = CapturedPiece(&before, b, move)) CapturedPieceStore(captured);

    if (b->flags & FLAG_MATERIAL_DRAW) printf("\nDraw");
    if (b->winner) {
        state.demo_mode = 0;
        StoreShared(state.tamzor, TAMZOR_OFF);
        if (b->winner == 2) printf("\nStalemate - draw");
    }
    char* text = GameListPut(b, move, b->move_num);
    if ((b->move_num - 1) % 2 == 0)
        printf("\n%d. %s", MoveNumberOfPly(b->move_num - 1), text ? text : "?");
    else
        printf("\n%d. ... %s", MoveNumberOfPly(b->move_num - 1), text ? text : "?");
    b->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);

    // A game that fills the record ends there, drawn.
    if (!b->winner && b->move_num >= GAME_MAX_PLIES) {
        printf("\nDraw - the game record is full");
        b->winner = 2;
        state.demo_mode = 0;
        StoreShared(state.tamzor, TAMZOR_OFF);
        timers.GameOver();
    }
    fflush(stdout);
    EngineNudge();  // the computer may be on move now
    return 1;
}
