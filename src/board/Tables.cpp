// Fixed tables of directions, pins and boards.
#include "tamzor.h"
#include "board/board.h"

const DIR_T dir_order[16] = {NORTH, N_N_E, NORTH_EAST, E_N_E, EAST, E_S_E, SOUTH_EAST, S_S_E,
                             SOUTH, S_S_W, SOUTH_WEST, W_S_W, WEST, W_N_W, NORTH_WEST, N_N_W};
const int dir_dfile[16] = {0, 1, 1, 2, 1, 2, 1, 1, 0, -1, -1, -2, -1, -2, -1, -1};
const int dir_drank[16] = {1, 2, 1, 1, 0, -1, -1, -2, -1, -2, -1, -1, 0, 1, 1, 2};

const ABWHERE_E all_pins[12] = {ABW_QL1, ABW_QL2, ABW_QL3, ABW_QL4, ABW_QL5, ABW_QL6,
                                ABW_KL1, ABW_KL2, ABW_KL3, ABW_KL4, ABW_KL5, ABW_KL6};

int PinIndex(int pin) {
    switch (pin) {
        case ABW_QL1: return 0;
        case ABW_QL2: return 1;
        case ABW_QL3: return 2;
        case ABW_QL4: return 3;
        case ABW_QL5: return 4;
        case ABW_QL6: return 5;
        case ABW_KL1: return 6;
        case ABW_KL2: return 7;
        case ABW_KL3: return 8;
        case ABW_KL4: return 9;
        case ABW_KL5: return 10;
        case ABW_KL6: return 11;
        default: return -1;
    }
}

const AB_E ab_of_index[4] = {AB_QLW, AB_QLB, AB_KLW, AB_KLB};

int ABIndex(int which_ab) {
    switch (which_ab) {
        case AB_QLW: return 0;
        case AB_QLB: return 1;
        case AB_KLW: return 2;
        case AB_KLB: return 3;
        default: return -1;
    }
}

int BoardOfCell(SQ_T sq) {
    if (sq >= 32) return -1;
    SQ_T y = YPOS(sq);
    if (y >= 2 && y <= 5) return -1;
    int right_line = XPOS(sq) >= 2 ? 2 : 0;   // C, D columns: king's line
    int black_end = y >= 6 ? 1 : 0;
    return right_line + black_end;
}
