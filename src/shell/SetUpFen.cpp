#include <cstring>

#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "shell/shell.h"

bool SetUpFen(const std::string& text, std::string* error) {
    FEN_T fen;
    if (!ParseFen(text, &fen, error)) return false;
    POS_T* b = &state.position;
    memcpy(b->board, fen.board, sizeof b->board);
    b->flags = fen.castling;
    // The record starts at the FEN; its move number counts the plies before.
    b->move_num = fen.white_to_move ? 0 : 1;
    state.oeb.ply_offset = 2 * (fen.fullmove - 1);
    b->fifty_count = fen.halfmove + 1;  // the position counts the move that reset the clock
    b->enpassant = fen.enpassant;
    if (!CreatePBoard(b)) {
        *error = "bad FEN: the engine cannot hold the position '" + text + "'";
        return false;
    }
    UpdateMaps(b);
    EstimateGameStage(b, 1);

    const uint64_t white = 0xFFFF, black = 0xFFFF0000;
    const SQ_T wk = b->pieces[0].pos, bk = b->pieces[16].pos;
    const bool white_moves = IsWhitesMove(b);
    if (white_moves ? (b->topieces[bk] & white) : (b->topieces[wk] & black)) {
        *error = white_moves ? "bad FEN: Black is in check with White to move"
                             : "bad FEN: White is in check with Black to move";
        return false;
    }
    if (white_moves ? (b->topieces[wk] & black) : (b->topieces[bk] & white)) b->flags |= FLAG_IN_CHECK;

    // Undo and replay start from this position, as from an edited board.
    state.oeb.pos_0 = *b;
    state.oeb.inited = 1;
    return true;
}
