// The Tab key's stepping through what lies under the pointer.
#include <cstdio>

#include "view.h"
#include "tamzor.h"
#include "search/search.h"

void PointerMoved(int x, int y) {
    pointer_x = x;
    pointer_y = y;
}

void StepUnderPointer() {
    if (pointer_x < 0) {
        snprintf(info_string, sizeof info_string, "Tab: put the pointer on the board first");
        return;
    }
    const std::vector<PICK_HIT_T> hits = PickAt(pointer_x, pointer_y);
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    // With a piece chosen only cells are wanted: where it is to go.
    const std::vector<PICK_HIT_T> stack = PickStack(hits, state.selected < 64 && !editing_option);
    StepUnder(&state.position, stack, pointer_x, pointer_y, &stepped, info_string, sizeof info_string);
    printf("\n%s", info_string);
}

void TakeStepped() {
    const SQ_T target = stepped.target;
    stepped = STEPPED_T{};
    info_string[0] = 0;
    ForgetConfirm();
    ActOnPick(target);
}
