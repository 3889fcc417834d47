#include "view.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"

void PlayPromotionChoice(char letter) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    POS_T* b = &state.position;
    MOVE_T move;
    if (!TakePromotionChoice(b, letter, &move)) return;
    // The computer may have been given this side meanwhile: the move is then its.
    if (NextToPlay(b) == LoadShared(state.tamzor)) return;
    if (!PlayerMoved(b, &move)) {
        IllegalMoveText(b, &move, info_string, sizeof info_string);
        return;
    }
    JudgeGame(b);
    EngineNudge();
}
