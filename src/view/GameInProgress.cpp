#include "viewlogic.h"
#include "tamzor.h"
#include "search/search.h"
#include "shell/shell.h"

bool GameInProgress() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    const POS_T* b = &state.position;
    if (b->winner) return false;
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    return b->move_num > first || state.oeb.inited || replay != -1;
}
