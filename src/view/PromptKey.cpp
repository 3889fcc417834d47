#include <cstdio>

#include "view.h"

bool PromptKey(unsigned char key) {
    if (!cell_prompt.IsOpen()) return false;
    ForgetConfirm();
    if (cell_prompt.Key(key) != LINE_INPUT_C::ENTERED) return true;
    SQ_T target = NO_SQUARE;
    std::string reason;
    bool found;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        const SQ_T sel = state.selected;
        found = CellFromName(&state.position, cell_prompt.Text(), sel >= 64 && sel != NO_SQUARE, &target, &reason);
    }
    if (!found) {
        cell_prompt.Refuse(reason);
        return true;
    }
    cell_prompt.Close();
    info_string[0] = 0;
    // Leaving replay stops the engine thread: not under the game lock.
    LeaveReplay();
    ActOnPick(target);
    return true;
}
