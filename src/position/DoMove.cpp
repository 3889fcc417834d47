#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"

int LegalityAndCheck(POS_T* nb, MOVE_T* move, bool white_moved);

int DoMovePart2(POS_T* nb, MOVE_T* move) {
    if (!(nb->flags & FLAG_NEED_PART2)) return 1;
    nb->flags &= ~(uint64_t)FLAG_NEED_PART2;
    if (state.dmode == 2)
        UpdateMoves(nb, nb->oldb, &nb->last_move);
    else
        RegenToPieces(nb);  // every 3D move rebuilds the whole reach map
    return LegalityAndCheck(nb, move, IsBlacksMove(nb));
}

int DoMove(POS_T* nb, POS_T* ob, MOVE_T* move) {
    if (!DoMovePart1(nb, ob, move)) return 0;
    return DoMovePart2(nb, move);
}
