// Move tokens and move texts, a line each, typed into a game: the first byte
// picks the game and its start, the lines are read as a person's moves (a
// line starting with '!' as a list of them). A token the program reads must
// name the move it gives as that move's token; asking why a text is refused
// leaves the game as it was.
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {
void SetUp(uint8_t pick) {
    CLI_OPTIONS_T opt;
    opt.dmode = (pick & 1) ? 3 : 2;
    opt.notation = (pick >> 1) % 3;
    opt.rules = (pick & 8) ? RULES_TOURNAMENT : RULES_TDCL;
    if (!SetUpGame(opt)) abort();
    std::string error;
    switch ((pick >> 4) % 4) {
    case 1:  // castling both ways, en passant and promotions to come
        if (opt.dmode == 2 && !SetUpFen("r3k2r/1P4P1/8/3pP3/8/8/1p4p1/R3K2R w KQkq d6 0 1", &error)) abort();
        break;
    case 2:  // an attack board away from home
        if (opt.dmode == 3 &&
            !PlayMoves("c1d1 c8d8 h1c3 e7a5 d1h1 b7a6 c1d1 e8b6 g2g3 b8e6 e1b3 a8b8 b1e1 b8e7 e2e3 qlb@ql4", &error))
            abort();
        break;
    case 3:  // a game under way
        if (!PlayMoves(opt.dmode == 2 ? "e2e4 e7e5 g1f3 b8c6" : "e2a3 e8f6", &error)) abort();
        break;
    default:
        break;
    }
}

void CheckToken(POS_T* b, const std::string& line) {
    MOVE_TOKEN_T token;
    std::string error;
    ParseMoveToken(line, &token, &error);
    MOVE_T move;
    if (!MoveFromToken(b, line, &move, &error)) return;
    MOVE_T again;
    FUZZ_CHECK(MoveFromToken(b, MoveToken(move), &again, &error));
    FUZZ_CHECK(again.from == move.from && again.to == move.to && again.piece_moving == move.piece_moving);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    if (size == 0) return 0;
    SetUp(data[0]);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    for (std::string line; std::getline(in, line);) {
        if (state.position.winner || state.position.move_num >= GAME_MAX_PLIES - 2) break;
        std::string error;
        if (!line.empty() && line[0] == '!') {
            PlayUserMoves(line.substr(1), &error);
            continue;
        }
        CheckToken(&state.position, line);
        MOVE_T move;
        if (!ReadMove(&state.position, line, &move, &error)) {
            // the reason a refused text gets is asked on a copy
            const std::string before(reinterpret_cast<const char*>(state.position.board), sizeof state.position.board);
            TypedRefusal(&state.position, line);
            FUZZ_CHECK(before == std::string(reinterpret_cast<const char*>(state.position.board), sizeof state.position.board));
            continue;
        }
        bool over;
        FUZZ_CHECK(PlayUserMove(&move, &over));
        if (over) break;
    }
    return 0;
}
