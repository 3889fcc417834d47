// Rebuilds the piece slots, masks, keys and values of a position from its
// bare board. Each side's 16 slots follow a fixed layout (king, queen, two
// rooks, two bishops, two knights, pawns packed at the top); pieces beyond
// that layout (a second queen, a third rook, ...) take the lowest pawn
// offsets, where promoted pieces live during play, so no piece is lost.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "search/search.h"

namespace {
// Places one side's pieces into its 16 slots; false when they do not fit.
bool LayoutSide(PS_T* side, const PS_T* officers, int n_officers, const PS_T* pawns, int n_pawns,
                bool white) {
    PS_T sorted[64];
    memcpy(sorted, officers, sizeof(PS_T) * n_officers);
    qsort(sorted, n_officers, sizeof(PS_T), PieceComp);

    // First free offset of each kind: queen 1, rooks 2-3, bishops 4-5, knights 6-7.
    static const int first[7] = {0, 0, 6, 4, 2, 1, 0};
    static const int last[7] = {0, 0, 7, 5, 3, 1, 0};
    int next[7];
    memcpy(next, first, sizeof next);
    PS_T surplus[64];
    int n_surplus = 0;
    for (int i = 0; i < n_officers; i++) {
        int kind = abs(sorted[i].p);
        if (kind == 6) {
            side[0] = sorted[i];
        } else if (next[kind] <= last[kind]) {
            side[next[kind]++] = sorted[i];
        } else {
            surplus[n_surplus++] = sorted[i];
        }
    }
    if (8 + n_surplus + n_pawns > 16) return false;
    for (int i = 0; i < n_surplus; i++) side[8 + i] = surplus[i];
    // A pawn on its start cell keeps the slot of its column, as at the start
    // of a game, so that it may still step twice (IsPawnHome); the others
    // fill the free pawn slots from the top, in square order.
    bool placed[64] = {};
    const SQ_T row = white ? 1 : 6;
    for (int i = 0; i < n_pawns; i++) {
        const int column = (int)XPOS(pawns[i].pos);
        if (YPOS(pawns[i].pos) == row && !side[8 + column].p) {
            side[8 + column] = pawns[i];
            placed[i] = true;
        }
    }
    for (int i = n_pawns - 1, slot = 15; i >= 0; i--) {
        if (placed[i]) continue;
        while (side[slot].p) slot--;
        side[slot] = pawns[i];
    }

    // Offset 4 takes White's bishop on a square of odd colour sum, Black's on even.
    if (side[4].p) {
        bool even = ((XPOS(side[4].pos) + YPOS(side[4].pos)) & 1) == 0;
        if (white ? even : !even) {
            PS_T t = side[4];
            side[4] = side[5];
            side[5] = t;
        }
    }
    return true;
}
// One side's men of a bare board: officers (the king among them) and pawns.
struct MEN_T {
    PS_T officers[64], pawns[64];
    int n_officers = 0, n_pawns = 0, kings = 0;
    MEN_T(const POS_T* b, bool white) {
        for (SQ_T sq = 0; sq < 64; sq++) {
            const int p = b->board[sq];
            if (p == (white ? W_PAWN : B_PAWN)) pawns[n_pawns++] = {p, sq};
            else if (white ? p >= W_KNIGHT && p <= W_KING : p <= B_KNIGHT && p >= B_KING)
                officers[n_officers++] = {p, sq};
            if (p == (white ? W_KING : B_KING)) kings++;
        }
    }
};
}  // namespace

bool PiecesFit(const POS_T* b) {
    for (bool white : {true, false}) {
        const MEN_T men(b, white);
        PS_T side[16] = {};
        if (!LayoutSide(side, men.officers, men.n_officers, men.pawns, men.n_pawns, white)) return false;
    }
    return true;
}

int CreatePBoard(POS_T* b) {
    hash_c.HashValuesInit();
    InitEvalTables();  // material values must be in place before pieces are added

    memset(b->pboard, 0, sizeof b->pboard);
    memset(b->pieces, 0, sizeof b->pieces);
    b->winner = 0;
    b->sliding_mask = b->pawns7th = 0;
    b->hash2 = 0;
    b->piece_mask = b->material_mask = 0;
    b->w_material = b->b_material = 0;
    b->wpassed_pawn_mask = b->bpassed_pawn_mask = 0;
    b->hash1 = (uint64_t)(b->move_num & 1);

    const MEN_T w(b, true), k(b, false);
    if (w.kings == 0 || k.kings == 0) {
        printf("\nno king");
        return 0;
    }
    if (w.kings > 1 || k.kings > 1) {
        printf("\ntoo many kings");
        return 0;
    }
    if (!LayoutSide(&b->pieces[0], w.officers, w.n_officers, w.pawns, w.n_pawns, true) ||
        !LayoutSide(&b->pieces[16], k.officers, k.n_officers, k.pawns, k.n_pawns, false)) {
        printf("\ntoo many pieces");
        return 0;
    }

    PS_T slots[32];
    memcpy(slots, b->pieces, sizeof slots);
    memset(b->board, 0, sizeof b->board);
    memset(b->pboard, -1, sizeof b->pboard);
    for (int i = 0; i < 32; i++)
        if (slots[i].p) AddPiece(b, slots[i].p, slots[i].pos, &b->pieces[i]);

    // Castling rights whose king or rook is not at home lapse.
    // Homes: White king, Black king, then the rooks of rights 0x1, 0x2, 0x4, 0x8.
    static const SQ_T homes_2d[6] = {E1, E8, H1, A1, H8, A8};
    static const SQ_T homes_3d[6] = {C1, C8, D1, A1, D8, A8};
    const SQ_T* home = state.dmode == 2 ? homes_2d : homes_3d;
    if (b->board[home[0]] != W_KING) b->flags &= ~(uint64_t)(FLAG_WK_CASTLE | FLAG_WQ_CASTLE);
    if (b->board[home[1]] != B_KING) b->flags &= ~(uint64_t)(FLAG_BK_CASTLE | FLAG_BQ_CASTLE);
    for (int r = 0; r < 4; r++)
        if (b->board[home[2 + r]] != (r < 2 ? W_ROOK : B_ROOK)) b->flags &= ~(1ull << r);
    b->hash1 ^= (uint64_t)(uint32_t)(b->enpassant << 8);
    b->hash1 ^= (b->flags << 16) & 0xF0000;
    for (int k = 0; k < 4; k++) HASH_C::BoardPinHash(b, k, b->whereis_board[k]);
    return RegenToPieces(b);
}
