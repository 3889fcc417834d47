// What a loaded PGN game said of itself, kept while the live game is that game.
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "shell/shell.h"

PGN_SOURCE_T pgn_source;

namespace {
// The live game's kind and start position (nothing more for the usual start).
std::string StartKey() {
    if (!state.oeb.inited) return std::to_string(state.dmode);
    return std::to_string(state.dmode) + " " +
           (state.dmode == 2 ? FenText(&state.oeb.pos_0) : Board3DText(&state.oeb.pos_0));
}

bool IsResult(const std::string& w) { return w == "1-0" || w == "0-1" || w == "1/2-1/2"; }

int FirstPly() {
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    return first < 0 ? 0 : first;
}
}  // namespace

void PGN_SOURCE_T::Note(const PGN_GAME_T& g) {
    Forget();
    tags = g.tags;
    // The termination marker ends the game; a file that leaves it open but
    // names a result in its tag still has one.
    if (IsResult(g.result))
        result = g.result;
    else if (IsResult(g.Tag("Result")))
        result = g.Tag("Result");
    start = StartKey();
    const int last = state.position.move_num < GAME_MAX_PLIES ? state.position.move_num : GAME_MAX_PLIES;
    for (int ply = FirstPly(); ply < last; ply++) moves.push_back(MoveToken(state.game_record[ply]));
    loaded = true;
}

int PGN_SOURCE_T::Follows() const {
    if (!loaded || StartKey() != start) return 0;
    const int first = FirstPly();
    const int last = state.position.move_num < GAME_MAX_PLIES ? state.position.move_num : GAME_MAX_PLIES;
    const size_t count = last > first ? (size_t)(last - first) : 0;
    for (size_t i = 0; i < count && i < moves.size(); i++)
        if (MoveToken(state.game_record[first + i]) != moves[i]) return 0;
    return count == moves.size() ? 2 : 1;
}
