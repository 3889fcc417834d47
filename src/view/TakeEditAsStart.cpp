#include <cstdio>
#include <cstring>

#include "viewlogic.h"
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"

void TakeEditAsStart(POS_T* b) {
    if (!CreatePBoard(b)) printf("\nedited board may be unstable");
    UpdateMaps(b);
    DropStaleEnPassant(b);  // the pawn that passed it may be gone
    // Undo and replay start from the edited board.
    memcpy(&state.oeb.pos_0, b, sizeof *b);
    state.oeb.inited = 1;
}
