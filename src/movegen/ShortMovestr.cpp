// The short text of a move as the move list and the game record show it.
// `out` must hold 16 chars (one disambstrs entry): every write is bounded by
// that, and the longest text a listed move can get is 15 characters (3D
// style 0, a pawn capture with a three-letter prefix, captured piece, pin
// level mark, "ep", promotion letter and "+").
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
constexpr size_t TEXT_SIZE = sizeof disambstrs[0];

struct TEXT_T {
    char* out;
    size_t len;

    __attribute__((format(printf, 2, 3))) void Add(const char* fmt, ...) {
        if (len >= TEXT_SIZE - 1) return;
        va_list ap;
        va_start(ap, fmt);
        int n = vsnprintf(out + len, TEXT_SIZE - len, fmt, ap);
        va_end(ap);
        if (n > 0) len += (size_t)n;
        if (len > TEXT_SIZE - 1) len = TEXT_SIZE - 1;
    }
};

// A square name that is never null, so a bad square cannot crash a format.
const char* Name(POS_T* b, SQ_T sq) {
    const char* s = PosStr(b, sq);
    return s && s[0] ? s : "??";
}

// Level mark of a 3D destination: the level letter, or the pin of the board.
void AddLevelMark(TEXT_T* t, POS_T* b, SQ_T to) {
    switch (GetLevel(b, to)) {
        case 2: t->Add("W"); break;
        case 4: t->Add("N"); break;
        case 6: t->Add("B"); break;
        case 3:
        case 5:
        case 7: {
            const char* pin = GetABStringBySquare(b, to);
            t->Add("%s", pin ? pin : "??");
            break;
        }
        default: t->Add("OC2"); break;
    }
}
}  // namespace

char* ShortMovestr(POS_T* b, MOVE_T* move, char* out) {
    if (!IsValidMove(b, *move)) {
        Panic(false, "Bad move at ShortMovestr");
        return nullptr;
    }
    TEXT_T t{out, 0};
    out[0] = 0;
    const char sym = move->move_symbol;
    const SQ_T from = move->from, to = move->to;
    const bool style1 = LoadShared(state.notation) == NOTATION_STANDARD;

    if (state.dmode != 2 && IsAB(move->piece_moving)) {
        if (style1) {
            static const char* const names[4] = {"QLW", "QLB", "KLW", "KLB"};
            // A plain board move ('T') ends at the closing parenthesis.
            t.Add("%s%s(%d)", names[ABIndex(move->piece_moving)], Name(b, to), GetLevel(b, to));
            if (sym != 'T' && sym != 0) t.Add("%c", sym);
        } else {
            const char* pin = GetABString(b, (int)to);
            t.Add("%s%s", da_str_i, pin ? pin : "??");
        }
    } else {
        const int kind = abs(move->piece_moving);
        const char letter = piecechar(kind);
        const char* sfrom = Name(b, from);
        const char* sto = Name(b, to);
        const char F = sfrom[0];
        const char C = to < 64 ? piecechar(abs(b->board[to])) : ' ';
        if (state.dmode != 2 && style1) {
            // the origin's level only where a cell of the same name on
            // another level sends a piece of the same kind to the same place
            if (da_level_i)
                t.Add("%c%s(%d)%c%s(%d)", letter, sfrom, GetLevel(b, from), sym, sto, GetLevel(b, to));
            else
                t.Add("%c%s%c%s(%d)", letter, sfrom, sym, sto, GetLevel(b, to));
        } else if (state.dmode != 2) {
            const bool style2 = LoadShared(state.notation) == NOTATION_ALGEBRAIC;
            if (kind == 1 && F == sto[0]) {
                t.Add("%s%s", da_str_i, sto);
            } else if (kind == 1) {
                // en passant: the cell taken on is empty, no letter names a piece there
                if (style2 || C == 'P' || C == ' ') t.Add("%c%sx%s", F, da_str_i, sto);
                else t.Add("%c%sx%c%s", F, da_str_i, C, sto);
            } else if (sym == '-') {
                t.Add("%c%s%s", letter, da_str_i, sto);
            } else if (sym == 'x') {
                if (style2 || C == 'P') t.Add("%c%sx%s", letter, da_str_i, sto);
                else t.Add("%c%sx%c%s", letter, da_str_i, C, sto);
            } else {
                t.Add("%c%s%c%s", letter, da_str_i, sym, sto);
            }
            AddLevelMark(&t, b, to);
            if (sym == 'e') t.Add("ep");
        } else {
            if (kind == 1 && F == sto[0]) {
                t.Add("%s", sto);
            } else if (kind == 1) {
                // Nothing on the destination: only en passant can capture there.
                if (C == ' ') t.Add("%cx%sep?", F, sto);
                else if (C == 'P') t.Add("%cx%s", F, sto);
                else t.Add("%cx%c%s", F, C, sto);
            } else if (sym == '-') {
                t.Add("%c%s%s", letter, da_str_i, sto);
            } else if (sym == 'x') {
                if (C == 'P') t.Add("%c%sx%s", letter, da_str_i, sto);
                else t.Add("%c%sx%c%s", letter, da_str_i, C, sto);
            } else {
                t.Add("%c%s%c%s", letter, da_str_i, sym, sto);
            }
        }
    }

    if (b->flags & (FLAG_W_PROMOTED | FLAG_B_PROMOTED)) {
        char p = (sym == 'N' || sym == 'B' || sym == 'R' || sym == 'Q') ? sym : 'Q';
        t.Add("%c", p);
        b->flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
    }
    if (move->check) t.Add("+");
    return out;
}
