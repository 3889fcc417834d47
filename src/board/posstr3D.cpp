// Names of 3D cells. Attack-board cells are named from the pin their board
// stands on, so a cell's name changes when its board moves.
#include "tamzor.h"
#include "board/board.h"

// Column base, board and right-column flag of each attack-board cell.
bool AttackCellNaming(SQ_T sq, int* base, int* board, bool* right);

bool AttackCellNaming(SQ_T sq, int* base, int* board, bool* right) {
    int k = BoardOfCell(sq);
    if (k < 0) return false;
    *board = k;
    *right = (XPOS(sq) & 1) != 0;
    *base = (int)(XPOS(sq) * 8) + (YPOS(sq) >= 6 ? 6 : 0);
    return true;
}

static char* Name3D(POS_T* b, SQ_T sq, int style, char (*buf)[3], int* next, const char* err) {
    char* out = buf[*next];
    *next = (*next + 1) & 3;
    int base, board;
    bool right;
    if (sq < 64 && sq >= 32) {
        out[0] = (char)(XPOS(sq) - 4 + (style ? 'a' : 'b'));
        out[1] = (char)('1' + YPOS(sq));
        out[2] = 0;
    } else if (sq < 32 && YPOS(sq) >= 2 && YPOS(sq) <= 5) {
        out[0] = (char)((style ? 'a' : 'b') + XPOS(sq));
        out[1] = (char)('1' + YPOS(sq));
        out[2] = 0;
    } else if (sq < 64 && AttackCellNaming(sq, &base, &board, &right)) {
        PosStrAB(out, sq, base, b->whereis_board[board], right, style);
    } else {
        Panic(false, err);
    }
    return out;
}

char* posstr3D(POS_T* b, SQ_T sq) {
    thread_local char buf[4][3];
    thread_local int next;
    if (state.dmode == 2) return nullptr;
    return Name3D(b, sq, 0, buf, &next, "can't posstr3D sq");
}

char* posstr3DZarvic(POS_T* b, SQ_T sq) {
    thread_local char buf[4][3];
    thread_local int next;
    if (state.dmode == 2) return nullptr;
    return Name3D(b, sq, 1, buf, &next, "can't posstr3DZarvic sq");
}

void PosStrAB(char* out, SQ_T sq, int base, int pin, bool right, int style) {
    static const int low_rank[12] = {0, 4, 2, 6, 4, 8, 0, 4, 2, 6, 4, 8};
    const char* letters = style ? "zade" : "abef";
    int pi = PinIndex(pin);
    if (pi < 0) Panic(true, "Error! Where is AB @ PosStrAB_L?");
    out[0] = letters[(pi < 6 ? 0 : 2) + (right ? 1 : 0)];
    out[1] = (char)('0' + (int)(sq - (SQ_T)base) + low_rank[pi]);
    out[2] = 0;
}
