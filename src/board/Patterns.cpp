// Links between two attack boards of one line (outer cells abo_*, inner abi_*).
#include "board/board.h"

void SamePattern() {
    AddPath_N(abo_c, abi_a);
    AddPath_N(abo_d, abi_b);
    AddPath_NE(abo_c, abi_b);
    AddPath_E(abo_a, abi_b);
    AddPath_E(abo_c, abi_d);
    AddPath_SE(abo_a, abi_d);
}

void UpPattern() {
    AddPath_N(abo_a, abi_c);
    AddPath_N(abo_b, abi_d);
    AddPath_NNE(abo_a, abi_b);
    AddPath_NNE(abo_c, abi_d);
    AddPath_NE(abo_a, abi_d);
    AddPath_NW(abo_b, abi_c);
    AddPath_NNW(abo_b, abi_a);
    AddPath_NNW(abo_d, abi_c);
}

// The links of a board with the one below it were made, with their reverses,
// when the lower board was the outer one.
void DownPattern() {}
