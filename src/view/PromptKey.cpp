#include <cstdio>

#include "view.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"

bool PromptKey(unsigned char key) {
    if (!cell_prompt.IsOpen()) return false;
    ForgetConfirm();
    if (cell_prompt.Key(key) != LINE_INPUT_C::ENTERED) return true;
    TYPED_ENTRY_T entry;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        entry = ReadTypedEntry(&state.position, cell_prompt.Text(), state.selected);
    }
    if (entry.kind == TYPED_ENTRY_T::REFUSED) {
        cell_prompt.Refuse(entry.reason);
        printf("\n%s: %s", cell_prompt.Text().c_str(), entry.reason.c_str());
        return true;
    }
    cell_prompt.Close();
    info_string[0] = 0;
    if (entry.kind == TYPED_ENTRY_T::CELL) {
        ActOnPick(entry.target);
        return true;
    }
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        // A typed move replaces any piece chosen before.
        state.selected = NO_SQUARE;
        ResetSpreadmap();
        *MouseSelectedMove() = 1;
        PlayPlayersMove(&entry.move, entry.kind == TYPED_ENTRY_T::PROMOTION);
        *MouseSelectedMove() = 0;
    }
    return true;
}
