// Browsing the game through the core's replay. The core's replay keeps the
// game's length in the position's move number while an earlier position
// shows; here the move number is the browsed ply's, so that the position
// is whole (its side to move, its legal moves) and a move can be made from
// it, and the length is kept aside.
#include <cstdio>

#include "viewlogic.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
// The game's length while browsing; -1 when the core's replay was entered
// otherwise (its position then keeps the length itself).
int browse_length = -1;
struct CUT_T {
    bool armed = false;
    int ply = 0;
    MOVE_T move{};
} asked;
}  // namespace

bool Browsing() { return replay != -1; }

int GameLength() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    return Browsing() && browse_length >= 0 ? browse_length : state.position.move_num;
}

int GameFirstPly() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    return state.oeb.inited ? state.oeb.pos_0.move_num : 0;
}

int ShownPly() { return Browsing() ? replay : GameLength(); }

void BrowseTo(int ply) {
    const int first = GameFirstPly(), length = GameLength();
    if (ply < first) ply = first;
    if (ply >= length) {  // the end of the game is the game itself
        LeaveReplay();
        return;
    }
    ForgetCut();
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        state.selected = NO_SQUARE;
        ResetSpreadmap();
        if (!Browsing() || browse_length < 0) browse_length = length;
        state.position.move_num = browse_length;
    }
    // The first call stops the engine and stays at the end; the second goes.
    if (!Browsing()) ReplayMoves(0);
    ReplayMoves(ply - replay);
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    state.position.move_num = replay;
    printf("\nviewing ply %d of %d", replay, browse_length);
}

void LeaveReplay() {
    if (!Browsing()) return;
    ForgetCut();
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        state.selected = NO_SQUARE;
        ResetSpreadmap();
        if (browse_length >= 0) state.position.move_num = browse_length;  // the core rebuilds to it
        browse_length = -1;
    }
    // Browsing switched the computer off: it comes back on the side it
    // played. Not under the game lock: leaving starts the engine again.
    const int side = ComputerPlays();
    ReplayExit();
    ComputerTakesSide(side);
    printf("\nback to the game");
}

bool ConfirmCut(int ply, int length, const MOVE_T& move, const char* text, char* out, size_t size) {
    const bool same = asked.armed && asked.ply == ply && asked.move.from == move.from && asked.move.to == move.to &&
                      asked.move.piece_moving == move.piece_moving;
    if (same) {
        ForgetCut();
        return true;
    }
    asked = CUT_T{true, ply, move};
    const int dropped = length - ply;
    snprintf(out, size, "%s here drops the %d move%s after it: play it again to confirm", text, dropped,
             dropped == 1 ? "" : "s");
    return false;
}

void ForgetCut() { asked.armed = false; }

std::string BrowseBanner(int ply, int first) {
    if (ply <= first) return "Viewing the start position - End returns to the game";
    const int number = MoveNumberOfPly(ply - 1);
    const bool white = (ply - 1) % 2 == 0;
    char text[96];
    snprintf(text, sizeof text, "Viewing the position after %d.%s %s - End returns to the game", number,
             white ? "" : "..", GameListGet(ply));
    return text;
}

void CutHere() {
    // The browsed position's ply is the length the core rebuilds the game to.
    browse_length = -1;
    ForgetCut();
    ReplayExit();
}
