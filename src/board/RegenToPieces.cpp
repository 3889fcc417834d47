#include <cstring>

#include "search/levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "eval/eval.h"

int RegenToPieces(POS_T* b) {
    EnsureMaps(b);  // the x-ray lines read the capture map
    b->oldb = nullptr;
    memset(b->topieces, 0, sizeof b->topieces);
    memset(b->xray_topieces, 0, sizeof b->xray_topieces);
    for (int i = 0; i < 32; i++) {
        if (!b->pieces[i].p) continue;
        if (b->pieces[i].pos > 63) {
            Panic(false, "RegenToPieces pi present but pos");
            return 0;
        }
        PieceGenerate(b, i);
    }
    AlignAttackBoards(b);
    b->flags &= ~(uint64_t)(FLAG_EVALUATED | FLAG_TACTICS_DONE);
    b->piece_change = b->material_mask;
    Evaluate(b, INF_VALUE, SearchPlyLimit());
    return 1;
}
