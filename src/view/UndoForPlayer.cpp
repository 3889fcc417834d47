#include "view.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"

// Undo as the window offers it: against the computer the player's own move
// goes too, so that it is their turn again, and the computer keeps playing
// the side it played. A rebuild in place (no plies) keeps everything.
void UndoForPlayer(int plies) {
    LeaveReplay();  // undo takes back the game's last move, not a browsed one
    int first, move_num;
    const bool demo = state.demo_mode != 0;
    const int side = demo ? TAMZOR_OFF : computer_side;
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
        move_num = state.position.move_num;
    }
    const int tamzor = LoadShared(state.tamzor);
    UndoMoves(UndoPlies(move_num, first, plies, side));
    if (plies == 0) {
        state.demo_mode = demo ? 1 : 0;
        StoreShared(state.tamzor, tamzor);
    } else if (side != TAMZOR_OFF) {
        StoreShared(state.tamzor, side);
    }
    EngineNudge();
}
