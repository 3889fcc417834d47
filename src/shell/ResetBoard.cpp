#include <cstdio>
#include <cstring>

#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

int ResetBoard(bool reset_view, bool keep_search_memory) {
    if (eval_show) printf("\nResetBoard");
    state.state_hash_table_size = 1;
    state.demo_mode = 0;
    StoreShared(state.tamzor, TAMZOR_BLACK);
    state.selected = NO_SQUARE;
    state.spread = SPREAD_PIECE;
    if (!keep_search_memory) {
        hash_c.HashReset();
        hash_c.OrderReset();
    }

    memset(&state.oeb, 0, sizeof state.oeb);
    POS_T* b = &state.position;
    CaptureReset();
    if (!StartPosition(b)) return 0;
    EstimateGameStage(b, 1);
    ResetSpreadmap();
    if (reset_view && core_hooks.reset_view) core_hooks.reset_view();
    return 1;
}
