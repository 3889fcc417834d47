#include <cstring>

#include "tamzor.h"
#include "board/board.h"

thread_local constinit unsigned char white_pawn_loc[8];
thread_local constinit unsigned char black_pawn_loc[8];

void BuildPawnLoc(POS_T* b) {
    memset(white_pawn_loc, 0, sizeof white_pawn_loc);
    memset(black_pawn_loc, 0, sizeof black_pawn_loc);
    for (int i = 8; i < 16; i++) {
        const PS_T& s = b->pieces[i];
        if (s.p != W_PAWN) continue;
        unsigned char& e = white_pawn_loc[XPOS(s.pos)];
        if (e == 0 || YPOS(s.pos) < e) e = (unsigned char)YPOS(s.pos);
    }
    for (int i = 24; i < 32; i++) {
        const PS_T& s = b->pieces[i];
        if (s.p != B_PAWN) continue;
        unsigned char& e = black_pawn_loc[XPOS(s.pos)];
        if (YPOS(s.pos) > e) e = (unsigned char)YPOS(s.pos);
    }
}
