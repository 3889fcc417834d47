#include <cstdio>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

bool RebuildGame(int target, bool texts, const char* caller, const char* message) {
    // From the game's own start: an edited start position when there is one.
    int first = 0;
    if (!state.oeb.inited) {
        if (!ResetBoard(false)) return false;
    } else {
        state.position = state.oeb.pos_0;
        state.position.bc_active = nullptr;
        state.position.moves = nullptr;
        state.position.oldb = nullptr;
        first = state.position.move_num;
        if (first < 0) first = 0;
        if (!CreatePBoard(&state.position)) return false;
    }
    CaptureReset();
    UpdateMaps(&state.position);
    DropStaleEnPassant(&state.position);
    if (target > GAME_MAX_PLIES) target = GAME_MAX_PLIES;
    if (target < first) target = first;  // nothing lies before the game's start
    for (int k = first; k < target; k++) {
        MOVE_T m = state.game_record[k];
        POS_T* b = &state.position;
        if (!LegalMove(b, &m, caller)) {
            Panic(false, message);
            return false;
        }
        static thread_local POS_T before;
        before = *b;
        if (!DoMove(b, b, &m)) {
            Panic(false, message);
            return false;
        }
        if (int captured = CapturedPiece(&before, b, &m)) CapturedPieceStore(captured);
        if (texts) GameListPut(b, &m, b->move_num);
        b->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
    }
    return true;
}
