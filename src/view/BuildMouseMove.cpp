#include "viewlogic.h"
#include "tamzor.h"
#include "movegen/movegen.h"

namespace {
struct CASTLE_T {
    int dmode;
    uint64_t bit;
    int king;
    SQ_T square;     // NO_SQUARE: the target must hold the own rook
    char symbol;
};
// The king's target tells castling from a king step.
const CASTLE_T castles[] = {
    {2, FLAG_WK_CASTLE, W_KING, G1, 'S'}, {2, FLAG_WQ_CASTLE, W_KING, C1, 'L'},
    {2, FLAG_BK_CASTLE, B_KING, G8, 'S'}, {2, FLAG_BQ_CASTLE, B_KING, C8, 'L'},
    {3, FLAG_WK_CASTLE, W_KING, NO_SQUARE, 'S'}, {3, FLAG_WQ_CASTLE, W_KING, B1, 'L'},
    {3, FLAG_BK_CASTLE, B_KING, NO_SQUARE, 'S'}, {3, FLAG_BQ_CASTLE, B_KING, B8, 'L'}};
}  // namespace

char MouseMoveSymbol(const POS_T* b, int dmode, int piece, SQ_T to) {
    char symbol = b->board[to] ? 'x' : '-';
    for (const CASTLE_T& c : castles) {
        if (c.dmode != (dmode == 2 ? 2 : 3) || !(b->flags & c.bit) || piece != c.king) continue;
        bool hit = c.square == NO_SQUARE ? b->board[to] == (c.king > 0 ? W_ROOK : B_ROOK) : to == c.square;
        if (hit) symbol = c.symbol;
    }
    return symbol;
}

bool BuildMouseMove(const POS_T* b, int dmode, SQ_T from, SQ_T to, MOVE_T* move) {
    int piece = b->board[from];
    if (!piece) return false;
    InitMove(move, piece, from, to, INF_VALUE, MouseMoveSymbol(b, dmode, piece, to), false);
    return true;
}

void BuildBoardMove(const POS_T* b, int which_ab, SQ_T to, MOVE_T* move) {
    int k = ABIndex(which_ab);
    InitMove(move, which_ab, (SQ_T)b->whereis_board[k < 0 ? 0 : k], to, INF_VALUE, 'T', false);
}
