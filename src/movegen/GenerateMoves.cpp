// The pseudo-legal moves of the side to move. Piece moves and pawn captures
// are read off the reach map; pawn pushes, castling, en passant and
// attack-board moves are produced here.
#include <cstdio>

#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {

inline bool ReachedBy(const POS_T* b, SQ_T sq, bool by_white) {
    return (b->topieces[sq] & (by_white ? 0xFFFFull : 0xFFFF0000ull)) != 0;
}

int EnPassant2D(POS_T* b, MOVE_T* moves, int n, bool white) {
    SQ_T e = b->enpassant;
    if (!e || e >= 64) return n;
    if (!(b->topieces[e] & (white ? 0xFF00ull : 0xFF000000ull))) return n;
    int pawn = white ? W_PAWN : B_PAWN;
    // the pawns that capture onto e stand one row behind it, on either side
    SQ_T left = white ? e - 9 : e - 7, right = white ? e + 7 : e + 9;
    if (XPOS(e) != 0 && left < 64 && b->board[left] == pawn)
        InitMove(&moves[n++], pawn, left, e, INF_VALUE, 'e', false);
    if (XPOS(e) != 7 && right < 64 && b->board[right] == pawn)
        InitMove(&moves[n++], pawn, right, e, INF_VALUE, 'e', false);
    return n;
}

int EnPassant3D(POS_T* b, MOVE_T* moves, int n, bool white) {
    SQ_T e = b->enpassant;
    if (!e) return n;
    if (e > 64) {
        if (white) Panic(false, "EP(W) warning");
        b->enpassant = 0;
        return n;
    }
    int pawn = white ? W_PAWN : B_PAWN;
    const int back[2] = {white ? SOUTH_WEST : NORTH_WEST, white ? SOUTH_EAST : NORTH_EAST};
    const int fwd[2] = {white ? NORTH_EAST : SOUTH_EAST, white ? NORTH_WEST : SOUTH_WEST};
    SQ_T t1[4], t2[4];
    BTO_T l1{0, t1}, l2{0, t2};
    for (int k = 0; k < 2; k++) {
        int n1 = DirTo(b, e, back[k], &l1);
        for (int i = 0; i < n1; i++) {
            if (b->board[t1[i]] != pawn) continue;
            int n2 = DirTo(b, t1[i], fwd[k], &l2);
            for (int j = 0; j < n2; j++) {
                // Only onto an empty cell: an occupied one is an ordinary
                // capture (or no move at all when it holds an own piece).
                if (b->board[t2[j]] == 0) InitMove(&moves[n++], pawn, t1[i], t2[j], INF_VALUE, 'e', false);
            }
        }
    }
    return n;
}

int Castling2D(POS_T* b, MOVE_T* moves, int n, bool white) {
    struct RULE_T {
        uint64_t right;
        SQ_T empty[3];
        SQ_T safe[3];
        SQ_T from, to;
        char symbol;
    };
    static const RULE_T rules[4] = {
        {FLAG_WK_CASTLE, {F1, G1, 0}, {E1, F1, G1}, E1, G1, 'S'},
        {FLAG_WQ_CASTLE, {D1, C1, B1}, {E1, D1, C1}, E1, C1, 'L'},
        {FLAG_BK_CASTLE, {F8, G8, 0}, {E8, F8, G8}, E8, G8, 'S'},
        {FLAG_BQ_CASTLE, {D8, C8, B8}, {E8, D8, C8}, E8, C8, 'L'}};
    for (int r = white ? 0 : 2, end = r + 2; r < end; r++) {
        const RULE_T& c = rules[r];
        if (!(b->flags & c.right)) continue;
        bool ok = true;
        for (SQ_T sq : c.empty)
            if (sq && b->board[sq]) ok = false;
        for (SQ_T sq : c.safe)
            if (ReachedBy(b, sq, !white)) ok = false;
        if (ok) InitMove(&moves[n++], white ? W_KING : B_KING, c.from, c.to, INF_VALUE, c.symbol, false);
    }
    return n;
}

int Castling3D(POS_T* b, MOVE_T* moves, int n, bool white) {
    const int king = white ? W_KING : B_KING, rook = white ? W_ROOK : B_ROOK;
    const SQ_T k = white ? C1 : C8;
    // short: king and rook exchange cells; long: the rook comes to the king's cell
    struct RULE_T {
        uint64_t right;
        SQ_T rook_home;
        SQ_T must_empty;
        SQ_T to;
        char symbol;
    };
    const RULE_T rules[2] = {
        {white ? FLAG_WK_CASTLE : FLAG_BK_CASTLE, white ? D1 : D8, NO_SQUARE, white ? D1 : D8, 'S'},
        {white ? FLAG_WQ_CASTLE : FLAG_BQ_CASTLE, white ? A1 : A8, white ? B1 : B8, white ? B1 : B8, 'L'}};
    for (const RULE_T& c : rules) {
        if (!(b->flags & c.right)) continue;
        if (b->board[k] != king || b->board[c.rook_home] != rook) {
            // the king or rook has left: the right is gone (and with it its key term)
            b->hash1 ^= (b->flags << 16) & 0xF0000;
            b->flags &= ~c.right;
            b->hash1 ^= (b->flags << 16) & 0xF0000;
            continue;
        }
        if (c.must_empty != NO_SQUARE && b->board[c.must_empty]) continue;
        if (ReachedBy(b, k, !white) || ReachedBy(b, c.to, !white)) continue;
        InitMove(&moves[n++], king, k, c.to, INF_VALUE, c.symbol, false);
    }
    return n;
}

int PawnPushes(POS_T* b, MOVE_T* moves, int n, bool white) {
    const int pawn = white ? W_PAWN : B_PAWN, f = white ? NORTH : SOUTH;
    const int first = white ? 8 : 24;
    SQ_T t1[4], t2[4];
    BTO_T l1{0, t1}, l2{0, t2};
    for (int slot = first; slot < first + 8; slot++) {
        const PS_T& ps = b->pieces[slot];
        if (ps.p != pawn) continue;
        SQ_T from = ps.pos;
        int n1 = DirTo(b, from, f, &l1);
        if (!n1) continue;
        bool all_empty = true;
        for (int i = 0; i < n1; i++)
            if (b->board[t1[i]]) all_empty = false;
        const bool may_double = all_empty && PawnMayStepTwice(b, slot);
        for (int i = 0; i < n1; i++) {
            SQ_T t = t1[i];
            if (b->board[t]) continue;
            InitMove(&moves[n++], pawn, from, t, INF_VALUE, '-', false);
            if (!may_double) continue;
            int n2 = DirTo(b, t, f, &l2);
            for (int j = 0; j < n2; j++)
                if (!b->board[t2[j]]) InitMove(&moves[n++], pawn, from, t2[j], INF_VALUE, '-', false);
        }
    }
    return n;
}

}  // namespace

int GenerateMoves(POS_T* b, MOVE_T* moves) {
    const bool white = IsWhitesMove(b);
    const uint64_t own = white ? 0xFFFFull : 0xFFFF0000ull;
    const int king_slot = white ? 0 : 16;
    int n = 0;
    for (SQ_T sq = 0; sq < 64; sq++) {
        int occupant = b->board[sq];
        if (occupant && (occupant > 0) == white) continue;
        uint64_t bits = b->topieces[sq] & own;
        if (!occupant) bits &= b->piece_mask;  // pawns reach squares only to capture
        while (bits) {
            int slot = FFOne(bits);
            bits &= bits - 1;
            if (slot == king_slot && ReachedBy(b, sq, !white)) continue;
            const PS_T& ps = b->pieces[slot];
            InitMove(&moves[n++], ps.p, ps.pos, sq, INF_VALUE, occupant ? 'x' : '-', false);
        }
    }
    if (state.dmode == 2) {
        n = EnPassant2D(b, moves, n, white);
        n = Castling2D(b, moves, n, white);
    } else {
        n = EnPassant3D(b, moves, n, white);
        n = Castling3D(b, moves, n, white);
    }
    n = PawnPushes(b, moves, n, white);
    if (state.dmode != 2)
        for (AB_E ab : {AB_QLW, AB_QLB, AB_KLW, AB_KLB}) n += GenAttackBoardMoves(b, ab, &moves[n]);

    const int listed = n;
    for (int i = 0; i < listed; i++) {
        if (!IsValidMove(b, moves[i])) {
            printf("\nGenerateMoves: bad move i=%d", i);
            Panic(false, "GenerateMoves bad move");
            continue;
        }
        if (DetectPromotion(b, moves[i].piece_moving, moves[i].to, &moves[i])) {
            for (char s : {'Q', 'B', 'R', 'N'}) {
                moves[n] = moves[i];
                moves[n++].move_symbol = s;
            }
        }
    }
    return n;
}
