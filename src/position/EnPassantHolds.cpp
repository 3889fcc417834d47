// Whether a position's en passant square is one a double step could have
// left: the square empty, and the pawn that passed it one step beyond, where
// the capture looks for it. A start position from an edit or a file may
// hold any square there, and a capture onto it would then take nothing.
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"

bool EnPassantHolds(POS_T* b) {
    const SQ_T e = b->enpassant;
    if (e == 0) return true;
    if (e >= 64 || b->board[e] != 0) return false;
    const int enemy_pawn = IsWhitesMove(b) ? B_PAWN : W_PAWN;
    SQ_T t[4];
    BTO_T rec{0, t};
    const int n = DirTo(b, e, enemy_pawn == B_PAWN ? SOUTH : NORTH, &rec);
    for (int i = 0; i < n; i++)
        if (t[i] < 64 && b->board[t[i]] == enemy_pawn) return true;
    return false;
}

void DropStaleEnPassant(POS_T* b) {
    if (EnPassantHolds(b)) return;
    b->enpassant = 0;
    CreatePBoard(b);  // the keys again, without the square
    UpdateMaps(b);
}
