#include "cli.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"

bool PlayMoves(const std::string& list, std::string* error) {
    int number = 0;
    for (const std::string& token : SplitMoveList(list)) {
        number++;
        POS_T* b = &state.position;
        // The rest of the record beyond a game's end is for the plies a
        // search or perft adds.
        if (b->move_num >= GAME_MAX_PLIES) {
            *error = "the game record is full: '" + token + "' (move " + std::to_string(number) +
                     " of --moves) is not played";
            return false;
        }
        MOVE_T m;
        if (!MoveFromToken(b, token, &m, error)) {
            *error += " (move " + std::to_string(number) + " of --moves)" + TypedRefusal(b, token);
            return false;
        }
        int ply = b->move_num;
        state.game_record[ply] = m;
        if (m.move_symbol == 'x' && m.to < 64) CapturedPieceStore(b->board[m.to]);
        if (!DoMove(b, b, &m)) {
            *error = "illegal move '" + token + "' (move " + std::to_string(number) + " of --moves)";
            return false;
        }
        // The promotion marks only label the move just made.
        b->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
    }
    return true;
}
