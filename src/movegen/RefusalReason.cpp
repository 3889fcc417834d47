// Why a move is refused, said as a player would say it. Each reason is
// checked against the rules code itself: the move list, making the move, and
// the piece's reach on the board as it stands and on a board holding it
// alone. Where no specific reason is sure, a general one is given rather
// than a guess. Everything runs on copies: the position is not changed.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {
struct CONTEXT_T {
    POS_T* pos;          // a copy of the position
    const MOVE_T* m;
    bool white;          // the side to move
    const MOVE_T* list;  // the generated moves
    int n;
    char* out;
    size_t size;
};

__attribute__((format(printf, 2, 3))) bool Say(CONTEXT_T& c, const char* fmt, ...) {
    if (!c.size) return true;
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(c.out, c.size, fmt, ap);
    va_end(ap);
    return true;
}

const char* Side(bool white) { return white ? "White" : "Black"; }

struct CELL_T {
    char name[24];
    CELL_T(POS_T* b, SQ_T sq) { CellName(b, sq, name, sizeof name); }
};

bool Reached(const POS_T* b, SQ_T sq, bool by_white) {
    return sq < 64 && (b->topieces[sq] & (by_white ? 0xFFFFull : 0xFFFF0000ull)) != 0;
}
bool KingAttacked(const POS_T* b, bool white) {
    const PS_T& k = b->pieces[white ? 0 : 16];
    return k.p && Reached(b, k.pos, !white);
}

// The list entry a move stands for, as a player's move is looked up: the
// entry with its own symbol, else the first of the same piece and cells.
int ListEntry(const MOVE_T* list, int n, const MOVE_T* m) {
    int first = -1;
    for (int i = 0; i < n; i++) {
        if (list[i].piece_moving != m->piece_moving || list[i].from != m->from || list[i].to != m->to) continue;
        if (list[i].move_symbol == m->move_symbol) return i;
        if (first < 0) first = i;
    }
    return first;
}

// Whether the move can be made (the mover's king not left attacked), on a
// scratch position; nothing is asked: a promotion becomes a queen.
bool Makes(POS_T* b, MOVE_T move) {
    static thread_local POS_T scratch;
    const int asked = msm;
    msm = 0;
    const bool made = DoMove(&scratch, b, &move) != 0;
    msm = asked;
    return made;
}

bool AnyLegal(CONTEXT_T& c) {
    for (int i = 0; i < c.n; i++)
        if (Makes(c.pos, c.list[i])) return true;
    return false;
}

// Where a cell shows on the board seen from above: its file and rank (in
// the 3D game the same for the cells of all levels at one place).
bool Projected(const POS_T* b, SQ_T sq, int* file, int* rank) {
    if (sq >= 64) return false;
    if (state.dmode == 2) {
        *file = (int)XPOS(sq);
        *rank = (int)YPOS(sq);
        return true;
    }
    return ProjectedCell(b, sq, file, rank);
}

// Whether the piece on `from` reaches `to` (a pawn: its capture cells), on
// the board as it stands or, `alone`, with every other piece taken off.
bool Reaches(POS_T* b, SQ_T from, SQ_T to, bool alone) {
    static thread_local POS_T scratch;
    scratch = *b;
    const PS_T* ps = GetPBoard(&scratch, from);
    if (!ps || !ps->p || ps->pos != from) return false;
    const int slot = SlotOf(&scratch, ps);
    if (alone)
        for (SQ_T sq = 0; sq < 64; sq++)
            if (sq != from) scratch.board[sq] = 0;
    memset(scratch.topieces, 0, sizeof scratch.topieces);
    memset(scratch.xray_topieces, 0, sizeof scratch.xray_topieces);
    PieceGenerate(&scratch, slot);
    return (scratch.topieces[to] >> slot) & 1;
}

// The piece between two cells of one line nearest the first (in the 3D game
// on any level at a place between them); NO_SQUARE when there is none.
SQ_T Between(const POS_T* b, SQ_T from, SQ_T to) {
    int f0, r0, f1, r1;
    if (!Projected(b, from, &f0, &r0) || !Projected(b, to, &f1, &r1)) return NO_SQUARE;
    const int df = f1 - f0, dr = r1 - r0;
    if (df != 0 && dr != 0 && abs(df) != abs(dr)) return NO_SQUARE;
    const int steps = imax(abs(df), abs(dr)), sf = (df > 0) - (df < 0), sr = (dr > 0) - (dr < 0);
    for (int k = 1; k < steps; k++) {
        for (SQ_T sq = 0; sq < 64; sq++) {
            int f, r;
            if (sq != from && b->board[sq] && Projected(b, sq, &f, &r) && f == f0 + k * sf && r == r0 + k * sr)
                return sq;
        }
    }
    return NO_SQUARE;
}

bool InTheWay(CONTEXT_T& c, SQ_T sq) {
    return Say(c, "the %s on %s is in the way", KindName(c.pos->board[sq]), CELL_T(c.pos, sq).name);
}

// A reason true whatever the rules code found: the move is not among those
// it allows.
bool Fallback(CONTEXT_T& c) {
    const MOVE_T* m = c.m;
    if (IsAB(m->piece_moving)) {
        const char* pin = PinIndex((int)m->to) >= 0 ? GetABString(c.pos, (int)m->to) : nullptr;
        if (pin) return Say(c, "the board cannot go to %s now", pin);
        return Say(c, "the board cannot go there now");
    }
    return Say(c, "a %s cannot go there from %s", KindName(m->piece_moving), CELL_T(c.pos, m->from).name);
}

// A move the piece could make but for its own king; false when making it
// leaves the king safe (the rules refuse it for some other reason).
bool SafetyReason(CONTEXT_T& c, char symbol) {
    MOVE_T t = *c.m;
    t.move_symbol = symbol;
    if (Makes(c.pos, t)) return false;
    if (!IsAB(t.piece_moving) && abs(t.piece_moving) == 6) return Say(c, "the king may not move into check");
    if (KingAttacked(c.pos, c.white)) {
        char text[40];
        PlainMoveText(c.pos, c.m, text, sizeof text);
        return Say(c, "you are in check: %s does not answer it", text);
    }
    return Say(c, "your king would be in check");
}

bool Listed(CONTEXT_T& c, const MOVE_T* m) { return ListEntry(c.list, c.n, m) >= 0; }

bool BoardReason(CONTEXT_T& c, int entry) {
    POS_T* b = c.pos;
    const MOVE_T* m = c.m;
    if (state.dmode == 2) return Say(c, "the 2D game has no attack boards");
    const int ab = m->piece_moving, k = ABIndex(ab);
    const SQ_T w = (SQ_T)b->whereis_board[k], to = m->to;
    if ((b->whites_board[k] != 0) != c.white) return Say(c, "that board is %s's", Side(!c.white));
    const SQ_T corner = WhereIsAB_C(k);
    const SQ_T cells[4] = {corner, corner + 1, corner + 8, corner + 9};
    int count = 0, load = 0;
    for (SQ_T sq : cells)
        if (b->board[sq]) {
            count++;
            load += b->board[sq];
        }
    if (count > 1) return Say(c, "a board may carry one piece at most");
    if (PinIndex((int)to) < 0) return Say(c, "a board moves only to a free pin");
    if (PinIndex((int)w) < 0) return Fallback(c);
    const char* there = GetABString(b, (int)to);
    if (to == w) return Say(c, "the board is on %s already", there);
    if (IsAttackBoardThere(b, to) != NO_SQUARE) return Say(c, "another board stands on %s", there);
    // Where the board could go empty, then loaded as it is.
    static thread_local POS_T empty;
    static thread_local MOVE_T moves[16];
    empty = *b;
    for (SQ_T sq : cells) empty.board[sq] = 0;
    empty.whites_board[k] = c.white ? 1 : 0;
    MOVE_T probe = *m;
    probe.from = w;
    auto among = [&](int n) {
        for (int i = 0; i < n; i++)
            if (moves[i].to == to) return true;
        return false;
    };
    if (!among(GenAttackBoardMoves(&empty, ab, moves)))
        return Say(c, "the board cannot reach %s from %s", there, GetABString(b, (int)w));
    if (!among(GenAttackBoardMoves(b, ab, moves))) {
        if (abs(load) == 1) return Say(c, "a board with a pawn goes only forward or across");
        if (load) return Say(c, "a loaded board goes only forward or across");
        return Fallback(c);
    }
    if (entry < 0 && !Listed(c, &probe)) return Fallback(c);
    return SafetyReason(c, entry >= 0 ? c.list[entry].move_symbol : 'T') || Fallback(c);
}

// The cells of a castling: the rook's, those between that must be empty, the
// one the king passes (none in the 3D game).
struct CASTLING_T {
    uint64_t right;
    SQ_T rook_home;
    SQ_T empty[3];
    SQ_T pass;
};

// A king move that is castling, as the window and the rules tell it: in the
// 2D game two files from its start; in the 3D game onto its own rook beside
// it (short) or, said so, to b1 (long).
bool Castling(CONTEXT_T& c, int king, CASTLING_T* out) {
    const MOVE_T* m = c.m;
    const bool white = king > 0;
    const SQ_T from = m->from, to = m->to, r = white ? 0 : 7;
    if (state.dmode == 2) {
        if (from != E1 + r || (to != G1 + r && to != C1 + r)) return false;
        if (to == G1 + r)
            *out = {white ? FLAG_WK_CASTLE : FLAG_BK_CASTLE, H1 + r, {F1 + r, G1 + r, NO_SQUARE}, F1 + r};
        else
            *out = {white ? FLAG_WQ_CASTLE : FLAG_BQ_CASTLE, A1 + r, {D1 + r, C1 + r, B1 + r}, D1 + r};
        return true;
    }
    if (from != C1 + r) return false;
    if (to == D1 + r && c.pos->board[to] == (white ? W_ROOK : B_ROOK)) {
        *out = {white ? FLAG_WK_CASTLE : FLAG_BK_CASTLE, D1 + r, {NO_SQUARE, NO_SQUARE, NO_SQUARE}, NO_SQUARE};
        return true;
    }
    if (to == B1 + r && m->move_symbol == 'L' && !c.pos->board[to]) {
        *out = {white ? FLAG_WQ_CASTLE : FLAG_BQ_CASTLE, A1 + r, {B1 + r, NO_SQUARE, NO_SQUARE}, NO_SQUARE};
        return true;
    }
    return false;
}

bool CastlingReason(CONTEXT_T& c, int king, const CASTLING_T& k, int entry) {
    POS_T* b = c.pos;
    const bool white = king > 0;
    if (!(b->flags & k.right)) {
        if (b->board[k.rook_home] != (white ? W_ROOK : B_ROOK))
            return Say(c, "no castling: there is no rook on %s", CELL_T(b, k.rook_home).name);
        return Say(c, "no castling: the king or that rook has moved");
    }
    for (SQ_T sq : k.empty)
        if (sq < 64 && b->board[sq]) return InTheWay(c, sq);
    if (Reached(b, c.m->from, !white)) return Say(c, "the king may not castle out of check");
    if (k.pass < 64 && Reached(b, k.pass, !white)) return Say(c, "the king may not castle through check");
    if (Reached(b, c.m->to, !white)) return Say(c, "the king may not castle into check");
    if (entry >= 0 && SafetyReason(c, c.list[entry].move_symbol)) return true;
    return Say(c, "the king cannot castle now");
}

// The pawn's own ways: true when a reason was given, false when the pawn may
// go there as far as its moves go.
bool PawnReason(CONTEXT_T& c) {
    POS_T* b = c.pos;
    const SQ_T from = c.m->from, to = c.m->to;
    const bool white = b->board[from] > 0;
    int f0, r0, f1, r1;
    if (!Projected(b, from, &f0, &r0) || !Projected(b, to, &f1, &r1)) return Fallback(c);
    const int df = f1 - f0, dr = white ? r1 - r0 : r0 - r1;
    if (df == 0 && dr == 0) return Say(c, "no piece moves straight up or down a level");
    if (dr <= 0) return Say(c, "a pawn moves forward only");
    const int fwd = white ? NORTH : SOUTH;
    SQ_T t1[4], t2[4];
    BTO_T l1{0, t1}, l2{0, t2};
    const int n1 = DirTo(b, from, fwd, &l1);
    for (int i = 0; i < n1; i++)
        if (t1[i] == to) return b->board[to] ? Say(c, "a pawn takes diagonally, not straight ahead") : false;
    bool two = false;
    for (int i = 0; i < n1 && !two; i++) {
        const int n2 = DirTo(b, t1[i], fwd, &l2);
        for (int j = 0; j < n2; j++) two |= t2[j] == to;
    }
    if (two) {
        const PS_T* ps = GetPBoard(b, from);
        if (!ps) return Fallback(c);
        if (!PawnMayStepTwice(b, SlotOf(b, ps))) {
            const int board = BoardOfCell(from);
            const bool start = state.dmode == 2 ? YPOS(from) == (white ? 1u : 6u)
                                                : IsPawnHome(ps, &b->pieces[white ? 8 : 24]) != 0;
            if (start && board >= 0 && !IsAttackBoardHome(b, ab_of_index[board]))
                return Say(c, "the pawn's board has left home: one cell only");
            if (!start) return Say(c, "a pawn moves two cells only at its first move");
            return Fallback(c);
        }
        for (int i = 0; i < n1; i++)
            if (b->board[t1[i]]) return InTheWay(c, t1[i]);
        if (b->board[to]) return Say(c, "a pawn takes diagonally, not straight ahead");
        return false;
    }
    if (Reaches(b, from, to, false)) {
        if (b->board[to]) return false;
        const SQ_T e = b->enpassant;
        if (e && e < 64 && (state.dmode == 2 ? to == e : IsSameCell(b, to, e))) return false;
        // An enemy pawn beside it: the player thinks of en passant.
        const int enemy = white ? B_PAWN : W_PAWN;
        for (SQ_T sq = 0; sq < 64; sq++) {
            int f, r;
            if (b->board[sq] == enemy && Projected(b, sq, &f, &r) && f == f1 && r == r0)
                return Say(c, "en passant must come right after the double step");
        }
        return Say(c, "a pawn moves diagonally only to take a piece");
    }
    if (df == 0) return Say(c, "a pawn moves one cell, two at its first move");
    if (abs(df) == 1 && dr == 1) return Fallback(c);
    return Say(c, "a pawn moves straight ahead and takes diagonally");
}

bool Shaped(int kind, int df, int dr) {
    const int a = abs(df), d = abs(dr);
    const bool diagonal = a == d && a > 0, straight = (a == 0) != (d == 0);
    switch (kind) {
        case 2: return (a == 1 && d == 2) || (a == 2 && d == 1);
        case 3: return diagonal;
        case 4: return straight;
        case 5: return diagonal || straight;
        case 6: return imax(a, d) == 1;
        default: return true;
    }
}

// A knight, bishop, rook, queen or king: true when a reason was given.
bool PieceWayReason(CONTEXT_T& c) {
    static const char* const ways[7] = {nullptr,
                                        nullptr,
                                        "a knight moves two cells, then one to the side",
                                        "a bishop moves along diagonals",
                                        "a rook moves along ranks and files",
                                        "a queen moves along ranks, files and diagonals",
                                        "a king moves one cell in any direction"};
    POS_T* b = c.pos;
    const SQ_T from = c.m->from, to = c.m->to;
    const int kind = abs(b->board[from]);
    if (!Reaches(b, from, to, true)) {
        int f0, r0, f1, r1;
        if (Projected(b, from, &f0, &r0) && Projected(b, to, &f1, &r1)) {
            if (f0 == f1 && r0 == r1) return Say(c, "no piece moves straight up or down a level");
            if (!Shaped(kind, f1 - f0, r1 - r0) && kind >= 2 && kind <= 6) return Say(c, "%s", ways[kind]);
        }
        return Fallback(c);
    }
    if (!Reaches(b, from, to, false)) {
        const SQ_T sq = Between(b, from, to);
        return sq != NO_SQUARE ? InTheWay(c, sq) : Fallback(c);
    }
    return false;
}

bool PieceReason(CONTEXT_T& c, int entry) {
    POS_T* b = c.pos;
    const MOVE_T* m = c.m;
    const SQ_T from = m->from, to = m->to;
    if (from >= 64 || !b->board[from]) return Say(c, "that cell is empty");
    const int p = b->board[from];
    if ((p > 0) != c.white) return Say(c, "it is %s's move", Side(c.white));
    if (m->piece_moving != p)
        return Say(c, "there is no %s on %s", KindName(m->piece_moving), CELL_T(b, from).name);
    if (to >= 64) return Say(c, "that is no cell of the board");
    if (to == from) return Say(c, "a piece must move to another cell");
    CASTLING_T castling;
    if (abs(p) == 6 && Castling(c, p, &castling)) return CastlingReason(c, p, castling, entry);
    if (b->board[to] && (b->board[to] > 0) == c.white)
        return Say(c, "your own %s is on %s", KindName(b->board[to]), CELL_T(b, to).name);
    if (entry < 0) {
        if (abs(p) == 1 ? PawnReason(c) : PieceWayReason(c)) return true;
    }
    return SafetyReason(c, entry >= 0 ? c.list[entry].move_symbol : b->board[to] ? 'x' : '-') || Fallback(c);
}
}  // namespace

bool RefusalReason(POS_T* b, const MOVE_T* m, char* out, size_t size) {
    if (size) out[0] = 0;
    static thread_local POS_T pos;
    static thread_local MOVE_T list[MOVE_LIST_SIZE];
    pos = *b;
    CONTEXT_T c{&pos, m, IsWhitesMove(&pos) != 0, list, 0, out, size};
    const bool record_full = pos.move_num < 0 || pos.move_num >= GAME_MAX_PLIES;
    // a board being edited: nothing moves until both kings are on it
    if (const char* side = MissingKing(&pos)) return Say(c, "%s has no king on the board", side);
    c.n = GetMoveList(&pos, list);
    const int entry = ListEntry(list, c.n, m);
    // A game won (a mate, a loss on time) takes no move, legal or not.
    if (!record_full && (pos.winner == 1 || pos.winner == -1)) return Say(c, "the game is over");
    if (!record_full && entry >= 0) {
        MOVE_T t = *m;
        t.move_symbol = list[entry].move_symbol;
        if (Makes(&pos, t)) return false;
    }
    if (record_full) return Say(c, "the game record is full");
    // A decided game may be played on in the window after a draw; after a
    // mate or with no move left, nothing moves.
    if (pos.winner == 1 || pos.winner == -1 || (pos.winner && !AnyLegal(c)))
        return Say(c, "the game is over");
    return IsAB(m->piece_moving) ? BoardReason(c, entry) : PieceReason(c, entry);
}
