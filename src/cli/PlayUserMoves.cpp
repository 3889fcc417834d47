#include "cli.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"

bool PlayUserMoves(const std::string& list, std::string* error) {
    int number = 0;
    for (const std::string& token : SplitMoveList(list)) {
        number++;
        const std::string where = " (move " + std::to_string(number) + " of --moves)";
        POS_T* b = &state.position;
        if (b->move_num >= GAME_MAX_PLIES) {
            *error = "the game record is full: '" + token + "'" + where + " is not played";
            return false;
        }
        if (b->winner) {
            *error = "move '" + token + "' after the end of the game" + where;
            return false;
        }
        MOVE_T m;
        if (!ReadMove(b, token, &m, error)) {
            *error += where + TypedRefusal(b, token);
            return false;
        }
        bool over;
        if (!PlayUserMove(&m, &over)) {
            *error = "illegal move '" + token + "'" + where + MoveRefusal(b, m);
            return false;
        }
    }
    return true;
}
