// The names the player reads for a piece's kind and an attack board.
#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"

const char* KindName(int piece) {
    static const char* const names[7] = {"piece", "pawn", "knight", "bishop", "rook", "queen", "king"};
    const int k = abs(piece);
    return k <= 6 ? names[k] : "piece";
}

const char* AttackBoardName(int ab) {
    switch (ab) {
        case AB_QLW: return "QL white";
        case AB_QLB: return "QL black";
        case AB_KLW: return "KL white";
        case AB_KLB: return "KL black";
        default: return nullptr;
    }
}
