// The key a book files a position under. The 2D game's is Polyglot's, so
// that books made by other tools serve: every piece on its square, the
// castling rights, the en passant file when a pawn of the side to move can
// take there, and White to move.
#include "search/book.h"
#include "tamzor.h"

uint64_t PolyglotKey(const POS_T* b) {
    uint64_t key = 0;
    for (int sq = 0; sq < 64; sq++) {
        const int p = b->board[sq];
        if (p == 0 || p < B_KING || p > W_KING) continue;
        const int kind = 2 * ((p < 0 ? -p : p) - 1) + (p > 0 ? 1 : 0);
        key ^= polyglot_random[64 * kind + 8 * (int)YPOS(sq) + (int)XPOS(sq)];
    }
    for (int i = 0; i < 4; i++)
        if (b->flags & (1ull << i)) key ^= polyglot_random[768 + i];  // K, Q, k, q
    const bool white = IsWhitesMove(b);
    const SQ_T e = b->enpassant;
    if (e > 0 && e < 64) {
        // the pawn that passed stands beyond the square; a taker beside it
        const int file = (int)XPOS(e), row = white ? 4 : 3, pawn = white ? W_PAWN : B_PAWN;
        bool taker = false;
        for (int f : {file - 1, file + 1})
            if (f >= 0 && f < 8 && b->board[f * 8 + row] == pawn) taker = true;
        if (taker) key ^= polyglot_random[772 + file];
    }
    if (white) key ^= polyglot_random[780];
    return key;
}

uint64_t BookKey(const POS_T* b) { return state.dmode == 2 ? PolyglotKey(b) : b->hash1; }
