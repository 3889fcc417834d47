#include <cstdio>

#include "tamzor.h"
#include "board/board.h"

const char* GetABString(POS_T* b, int pin) {
    (void)b;
    static const char* const algebraic[12] = {"Q1", "Q2", "Q3", "Q4", "Q5", "Q6",
                                              "K1", "K2", "K3", "K4", "K5", "K6"};
    static const char* const named[12] = {"QL1", "QL2", "QL3", "QL4", "QL5", "QL6",
                                          "KL1", "KL2", "KL3", "KL4", "KL5", "KL6"};
    int pi = PinIndex(pin);
    bool alg = LoadShared(state.notation) == NOTATION_ALGEBRAIC;
    if (pi < 0) {
        Panic(false, alg ? "Can't find AB string!2" : "Can't find AB string!1");
        return nullptr;
    }
    return alg ? algebraic[pi] : named[pi];
}

const char* GetABStringBySquare(POS_T* b, SQ_T sq) {
    int board = BoardOfCell(sq);
    if (board < 0) {
        SQ_T there = IsAttackBoardThere(b, sq);
        if (there == NO_SQUARE) {
            printf("\n%d", (int)sq);
            Panic(false, "Non-AB for string @ GetABString!");
            board = 3;
        } else {
            board = (int)there;
        }
    }
    if (PinIndex(b->whereis_board[board]) < 0) Panic(true, "Warning: Can't find AB string!");
    return GetABString(b, b->whereis_board[board]);
}

const char* GetShortABStr(int pin) {
    static const char* const names[12] = {"q1", "q2", "q3", "q4", "q5", "q6",
                                          "k1", "k2", "k3", "k4", "k5", "k6"};
    int pi = PinIndex(pin);
    return pi < 0 ? "??" : names[pi];
}

char* GetAttackBoardString(POS_T* b) {
    thread_local char buf[20];
    snprintf(buf, sizeof buf, "%s%s%s%s", GetShortABStr(b->whereis_board[0]),
             GetShortABStr(b->whereis_board[1]), GetShortABStr(b->whereis_board[2]),
             GetShortABStr(b->whereis_board[3]));
    return buf;
}

char piecechar(int piece) {
    static const char table[] = "kqrbnp PNBRQK";  // 14 bytes with the terminator
    if (piece < -6 || piece > 7) return '?';
    return table[piece + 6];
}
