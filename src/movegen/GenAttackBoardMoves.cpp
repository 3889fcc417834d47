#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

thread_local constinit unsigned int gabm_n;
thread_local constinit MOVE_T* gabm_moves;

int BoardCanMove(POS_T* b, int which_ab, int* load) {
    int k = ABIndex(which_ab);
    if (k < 0) Panic(true, "bad board @ BoardCanMove");
    if ((IsWhitesMove(b) ? 1 : 0) != (b->whites_board[k] ? 1 : 0)) return 0;
    SQ_T c = WhereIsAB_C(k);
    int count = 0, sum = 0;
    for (SQ_T sq : {c, c + 1, c + 8, c + 9}) {
        if (b->board[sq]) {
            count++;
            sum += b->board[sq];
        }
    }
    if (count > 1) return 0;
    *load = sum;
    return 1;
}

void InitABMove(POS_T* b, int which_ab, SQ_T from, SQ_T to) {
    if (IsAttackBoardThere(b, to) != NO_SQUARE) return;
    InitMove(gabm_moves, which_ab, from, to, INF_VALUE, 'T', false);
    gabm_moves++;
    gabm_n++;
}

int GenAttackBoardMoves(POS_T* b, int which_ab, MOVE_T* moves) {
    // Destinations by pin, indexed as all_pins: north, south, across.
    struct DEST_T {
        int north[3], south[3], across[2];
    };
    static const DEST_T dest[12] = {
        {{ABW_QL2, ABW_QL3}, {}, {ABW_KL1}},                      // QL1
        {{ABW_QL4}, {ABW_QL1, ABW_QL3}, {ABW_KL2, ABW_KL5}},      // QL2
        {{ABW_QL2, ABW_QL4, ABW_QL5}, {ABW_QL1}, {ABW_KL3}},      // QL3
        {{ABW_QL6}, {ABW_QL2, ABW_QL3, ABW_QL5}, {ABW_KL4}},      // QL4
        {{ABW_QL4, ABW_QL6}, {ABW_QL3}, {ABW_KL2, ABW_KL5}},      // QL5
        {{}, {ABW_QL4, ABW_QL5}, {ABW_KL6}},                      // QL6
        {{ABW_KL2, ABW_KL3}, {}, {ABW_QL1}},                      // KL1
        {{ABW_KL4}, {ABW_KL1, ABW_KL3}, {ABW_QL2, ABW_QL5}},      // KL2
        {{ABW_KL2, ABW_KL4, ABW_KL5}, {ABW_KL1}, {ABW_QL3}},      // KL3
        {{ABW_KL6}, {ABW_KL2, ABW_KL3, ABW_KL5}, {ABW_QL4}},      // KL4
        {{ABW_KL4, ABW_KL6}, {ABW_KL3}, {ABW_QL2, ABW_QL5}},      // KL5
        {{}, {ABW_KL4, ABW_KL5}, {ABW_QL6}}};                     // KL6
    gabm_n = 0;
    gabm_moves = moves;
    SQ_T w = WhereIsAttackBoard(b, which_ab);
    int load;
    if (!BoardCanMove(b, which_ab, &load)) return 0;
    // A pawn aboard only goes its own way forward (or across); other pieces
    // too, unless the rules let a piece ride backwards.
    bool tdcl = LoadShared(state.rules) == RULES_TDCL;
    bool north = load >= 0 || (tdcl && load < -1);
    bool south = load <= 0 || (tdcl && load > 1);
    int pi = PinIndex((int)w);
    if (pi < 0) Panic(true, "Error! Where is AB @ GenAtBoMoves?");
    const DEST_T& d = dest[pi];
    if (north)
        for (int to : d.north)
            if (to) InitABMove(b, which_ab, w, (SQ_T)to);
    if (south)
        for (int to : d.south)
            if (to) InitABMove(b, which_ab, w, (SQ_T)to);
    for (int to : d.across)
        if (to) InitABMove(b, which_ab, w, (SQ_T)to);
    return (int)gabm_n;
}
