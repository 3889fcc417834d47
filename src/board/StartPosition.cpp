#include <cstring>

#include "tamzor.h"
#include "board/board.h"

namespace {
struct PLACE_T {
    SQ_T sq;
    int piece;
};

const PLACE_T start_2d[] = {
    {A1, W_ROOK}, {H1, W_ROOK}, {B1, W_KNIGHT}, {G1, W_KNIGHT}, {C1, W_BISHOP}, {F1, W_BISHOP},
    {D1, W_QUEEN}, {E1, W_KING}, {A8, B_ROOK}, {H8, B_ROOK}, {B8, B_KNIGHT}, {G8, B_KNIGHT},
    {C8, B_BISHOP}, {F8, B_BISHOP}, {D8, B_QUEEN}, {E8, B_KING}};

const PLACE_T start_3d[] = {
    {A1, W_ROOK},   {D1, W_ROOK},   {B1, W_QUEEN},  {C1, W_KING},   {E1, W_KNIGHT},
    {H1, W_KNIGHT}, {F1, W_BISHOP}, {G1, W_BISHOP}, {A2, W_PAWN},   {B2, W_PAWN},
    {C2, W_PAWN},   {D2, W_PAWN},   {E2, W_PAWN},   {F2, W_PAWN},   {G2, W_PAWN},
    {H2, W_PAWN},   {A8, B_ROOK},   {D8, B_ROOK},   {B8, B_QUEEN},  {C8, B_KING},
    {E8, B_KNIGHT}, {H8, B_KNIGHT}, {F8, B_BISHOP}, {G8, B_BISHOP}, {A7, B_PAWN},
    {B7, B_PAWN},   {C7, B_PAWN},   {D7, B_PAWN},   {E7, B_PAWN},   {F7, B_PAWN},
    {G7, B_PAWN},   {H7, B_PAWN}};
}  // namespace

int StartPosition(POS_T* b) {
    memset(b, 0, sizeof *b);
    b->flags = 0xF;
    if (state.dmode == 2) {
        for (const PLACE_T& p : start_2d) b->board[p.sq] = p.piece;
        for (SQ_T x = 0; x < 8; x++) {
            b->board[x * 8 + 1] = W_PAWN;
            b->board[x * 8 + 6] = B_PAWN;
        }
    } else {
        for (const PLACE_T& p : start_3d) b->board[p.sq] = p.piece;
        const int owners[4] = {1, 0, 1, 0};
        const int pins[4] = {ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6};
        for (int i = 0; i < 4; i++) {
            b->whites_board[i] = owners[i];
            b->whereis_board[i] = pins[i];
        }
    }
    if (!CreatePBoard(b)) return 0;
    UpdateMaps(b);
    return 1;
}
