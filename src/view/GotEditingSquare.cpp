#include <cstdio>
#include <cstdlib>

#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"
#include "search/search.h"

// A piece beyond a side's 16 places is refused and said on the info line:
// rebuilding the position from such a board would lose pieces of the game.
// A king put down where its side has one already moves there; a board
// without a king may be built on (after Clear board, say), and the info
// line says what is missing until it is there.
int GotEditingSquare(SQ_T sq) {
    if (sq == NO_SQUARE || sq >= 64) {
        editing_option = 0;
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    POS_T* b = &state.position;
    const int option = editing_option;
    editing_option = 0;
    int put;
    if (option == 1) put = 0;
    else if (option >= 5 && option <= 10) put = 4 - option;
    else if (option >= 11 && option <= 16) put = option - 10;
    else return 1;

    int old_board[64];
    for (SQ_T s = 0; s < 64; s++) old_board[s] = b->board[s];
    if (abs(put) == 6)
        for (SQ_T s = 0; s < 64; s++)
            if (s != sq && b->board[s] == put) b->board[s] = 0;
    b->board[sq] = put;
    if (!PiecesFit(b)) {
        for (SQ_T s = 0; s < 64; s++) b->board[s] = old_board[s];
        snprintf(info_string, sizeof info_string, "no room for another %s %s: 16 places a side",
                 put > 0 ? "white" : "black", KindName(put));
        CallRedraw();
        return 1;
    }
    if (put > 0) printf("\nset white %c at %d", piecechar(put), sq);
    else if (put < 0) printf("\nset black %c at %d", piecechar(-put), sq);
    TakeEditAsStart(b);
    const char* missing = MissingKing(b);
    if (missing) snprintf(info_string, sizeof info_string, "%s has no king: put one on the board to play", missing);
    CallRedraw();
    return 1;
}
