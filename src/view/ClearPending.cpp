#include "viewlogic.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"

bool ClearPending() {
    if (cell_prompt.IsOpen()) {
        cell_prompt.Close();
        return true;
    }
    if (stepped.target != NO_SQUARE) {
        stepped = STEPPED_T{};
        info_string[0] = 0;
        return true;
    }
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        if (PromotionChoiceValid(&state.position)) {
            CancelPromotionChoice();  // the move is taken back, the position stays
            return true;
        }
    }
    if (editing_option) {
        editing_option = 0;
        return true;
    }
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    if (state.selected == NO_SQUARE) return false;
    state.selected = NO_SQUARE;
    ResetSpreadmap();
    return true;
}
