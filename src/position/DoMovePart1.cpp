// Copy-make: the child is built from its parent, then changed piece by
// piece through the bookkeeping that keeps keys and values in step.
#include <cstdlib>
#include <cstring>

#include <initializer_list>

#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

// The mover's king must not be reached by the opponent; the opponent's king
// being reached by the mover is check.
int LegalityAndCheck(POS_T* nb, MOVE_T* move, bool white_moved);

int LegalityAndCheck(POS_T* nb, MOVE_T* move, bool white_moved) {
    const PS_T& own_king = nb->pieces[white_moved ? 0 : 16];
    const PS_T& their_king = nb->pieces[white_moved ? 16 : 0];
    const uint64_t by_them = white_moved ? 0xFFFF0000ull : 0xFFFFull;
    if (own_king.p && own_king.pos < 64 && (nb->topieces[own_king.pos] & by_them)) return 0;
    move->check = 0;
    if (their_king.p && their_king.pos < 64 && (nb->topieces[their_king.pos] & ~by_them & 0xFFFFFFFFull)) {
        nb->flags |= FLAG_IN_CHECK;
        move->check = 1;
    }
    nb->last_move.check = move->check;
    nb->last_move.move_symbol = move->move_symbol;
    return 1;
}

namespace {
thread_local constinit POS_T b1 = {};  // the parent, when a move is made in place

inline void EpKey(POS_T* b, SQ_T e) { b->hash1 ^= (uint64_t)(uint32_t)(e << 8); }

bool IsDiagonalStep(POS_T* b, SQ_T from, SQ_T to, bool white) {
    SQ_T t[4];
    BTO_T rec{0, t};
    for (int dir : {white ? NORTH_EAST : SOUTH_EAST, white ? NORTH_WEST : SOUTH_WEST}) {
        int n = DirTo(b, from, dir, &rec);
        for (int i = 0; i < n; i++)
            if (t[i] == to) return true;
    }
    return false;
}

// The pawn a 3D en passant capture removes: the one that made the double
// step past e, found beyond the destination.
PS_T* PassedPawn3D(POS_T* nb, POS_T* ob, SQ_T to, int enemy_pawn) {
    SQ_T t[4];
    BTO_T rec{0, t};
    int n = DirTo(nb, to, enemy_pawn == B_PAWN ? SOUTH : NORTH, &rec);
    SQ_T last = ob->last_move.to;
    for (int i = 0; i < n; i++)
        if (t[i] == last && nb->board[t[i]] == enemy_pawn) return GetPBoard(nb, t[i]);
    // without a record of the last move, the first such pawn
    for (int i = 0; i < n; i++)
        if (nb->board[t[i]] == enemy_pawn) return GetPBoard(nb, t[i]);
    return nullptr;
}

// A rook leaving its home, or a capture there, ends that castling right.
// Homes by right bit: White king side, queen side, Black king side, queen side.
void RookRights(POS_T* nb, int p, SQ_T from, SQ_T to, bool capture, const SQ_T homes[4]) {
    for (int r = 0; r < 4; r++) {
        if ((p == (r < 2 ? W_ROOK : B_ROOK) && from == homes[r]) || (capture && to == homes[r]))
            nb->flags &= ~(1ull << r);
    }
}

void Castling2D(POS_T* nb, MOVE_T* move, int p, PS_T* cap, bool* changed) {
    SQ_T from = move->from, to = move->to;
    if (abs(p) == 6) {
        if (to == from + 16) {
            MovePiece(nb, GetPBoard(nb, from + 24), from + 8);
            *changed = true;
        } else if (to + 16 == from) {
            MovePiece(nb, GetPBoard(nb, from - 32), from - 8);
            *changed = true;
        }
    }
    if (p == W_KING && (nb->flags & 0x3)) {
        if (from == E1 && (to == G1 || to == C1)) nb->flags |= FLAG_W_CASTLED;
        nb->flags &= ~0x3ull;
    }
    if (p == B_KING && (nb->flags & 0xC)) {
        if (from == E8 && (to == G8 || to == C8)) nb->flags |= FLAG_B_CASTLED;
        nb->flags &= ~0xCull;
    }
    static const SQ_T rook_homes[4] = {H1, A1, H8, A8};
    RookRights(nb, p, from, to, cap != nullptr, rook_homes);
}

void Castling3D(POS_T* nb, MOVE_T* move, int p, PS_T* cap, bool* changed) {
    SQ_T from = move->from, to = move->to;
    const bool white = p > 0;
    if (abs(p) == 6) {
        const SQ_T home = white ? C1 : C8, short_to = white ? D1 : D8, long_to = white ? B1 : B8;
        const SQ_T rook_q = white ? A1 : A8;
        const int rook = white ? W_ROOK : B_ROOK;
        if (to == short_to && move->move_symbol == 'S') {
            // the rook removed from the king's landing cell comes back on the
            // king's start cell, in the slot it left
            PS_T* slot = (cap && cap->p == 0) ? cap : &nb->pieces[white ? 2 : 18];
            AddPiece(nb, rook, home, slot);
            *changed = true;
        } else if (to == long_to && move->move_symbol == 'L') {
            PS_T* r = GetPBoard(nb, rook_q);
            if (r && r->p == rook)
                MovePiece(nb, r, home);
            else
                Panic(false, white ? "w" : "b");
            *changed = true;
        }
        uint64_t rights = white ? 0x3 : 0xC;
        if (nb->flags & rights) {
            if (from == home && (to == long_to || to == short_to)) nb->flags |= white ? FLAG_W_CASTLED : FLAG_B_CASTLED;
            nb->flags &= ~rights;
        }
    }
    static const SQ_T rook_homes[4] = {D1, A1, D8, A8};
    RookRights(nb, p, from, to, cap != nullptr, rook_homes);
}
}  // namespace

int DoMovePart1(POS_T* nb, POS_T* ob, MOVE_T* move) {
    hash_c.HashValuesInit();
    const bool in_place = nb == ob;
    if (in_place) {
        b1 = *ob;
        ob = &b1;
    } else {
        memcpy(nb, ob, offsetof(POS_T, dont_copy));
    }
    nb->last_move = *move;
    ZeroMove(&nb->best_capture);
    nb->flags = ob->flags & 0xEBFFBE7Full;
    if (ob->flags & FLAG_IN_CHECK) nb->flags |= FLAG_WAS_CHECK;

    bool changed = false, captured = false, pawn_moved = false;
    int p = move->piece_moving;
    bool white_moved;
    const int board_index = ABIndex(p);
    if (board_index >= 0) {
        HASH_C::BoardPinHash(nb, board_index, nb->whereis_board[board_index]);
        nb->whereis_board[board_index] = (int32_t)move->to;
        HASH_C::BoardPinHash(nb, board_index, nb->whereis_board[board_index]);
        // Whether a pawn is one step from promoting depends on the boards.
        nb->pawns7th = 0;
        for (int s = 0; s < 32; s++)
            if (nb->pieces[s].p == W_PAWN || nb->pieces[s].p == B_PAWN)
                DetectPromotionImminent(nb, nb->pieces[s].p, nb->pieces[s].pos, 1ull << s);
        EpKey(nb, ob->enpassant);
        nb->enpassant = 0;
        if (DetectPromoteAttackBoard(nb, move)) {
            PromoteAttackBoard(nb, p, move);
            nb->flags |= WhiteOwns(nb, p) ? FLAG_W_PROMOTED : FLAG_B_PROMOTED;
        }
        // the regeneration evaluates: the counters must already be the child's
        nb->move_num = ob->move_num + 1;
        nb->fifty_count = ob->fifty_count + 1;
        if (RegenToPieces(nb)) {
            changed = true;
            UpdateMaps(nb);
        }
        white_moved = WhiteOwns(nb, p);
    } else {
        PS_T* slot = move->from < 64 ? GetPBoard(nb, move->from) : nullptr;
        p = move->from < 64 ? nb->board[move->from] : 0;
        white_moved = p > 0;
        if (!slot || p == 0 || move->to >= 64) {
            Panic(false, "bad piece @ DoMove");
            EpKey(nb, ob->enpassant);
            nb->enpassant = 0;
            white_moved = IsWhitesMove(ob);
            changed = true;  // nothing moved: rebuild the maps rather than update them
        } else {
            const bool is_pawn = abs(p) == 1;
            pawn_moved = is_pawn;
            const bool target_empty = nb->board[move->to] == 0;
            PS_T* cap = GetPBoard(nb, move->to);
            if (cap) {
                // only a piece of the other side is taken: a 3D castle lands
                // the king on its own rook's cell
                captured = (cap->p > 0) != (p > 0);
                RemovePiece(nb, cap);
                if (!strchr("LSQRBN", move->move_symbol) || move->move_symbol == 0) move->move_symbol = 'x';
            }
            MovePiece(nb, slot, move->to);

            SQ_T e = ob->enpassant;
            if (is_pawn && e) {
                if (state.dmode == 2) {
                    if (move->to == e) {
                        PS_T* passed = GetPBoard(nb, p > 0 ? e - 1 : e + 1);
                        if (passed && passed->p == -p) {
                            RemovePiece(nb, passed);
                            move->move_symbol = 'x';
                            changed = captured = true;
                        }
                    }
                } else if (target_empty && IsSameCell(ob, move->to, e) &&
                           IsDiagonalStep(ob, move->from, move->to, p > 0)) {
                    // a diagonal step onto the empty cell at the passed cell's place
                    PS_T* passed = PassedPawn3D(nb, ob, move->to, -p);
                    if (passed) {
                        RemovePiece(nb, passed);
                        move->move_symbol = 'e';
                        changed = captured = true;
                    } else {
                        Panic(false, "OFFBOARD E.P. capture");
                    }
                }
            }

            if (DetectPromotion(nb, p, slot->pos, move)) {
                int kind = GetPromotedPiece(move);
                ChangePiece(nb, slot, p > 0 ? kind : -kind);
                nb->flags |= p > 0 ? FLAG_W_PROMOTED : FLAG_B_PROMOTED;
                changed = true;
            }

            EpKey(nb, e);
            nb->enpassant = 0;
            if (state.dmode == 2) {
                if (p == W_PAWN && move->to == move->from + 2 && (ob->topieces[move->from + 1] & 0xFF000000ull))
                    nb->enpassant = move->from + 1;
                else if (p == B_PAWN && move->to + 2 == move->from && (ob->topieces[move->from - 1] & 0xFF00ull))
                    nb->enpassant = move->from - 1;
            } else if (is_pawn) {
                const int fwd = p > 0 ? NORTH : SOUTH;
                if (PawnMovedTwoSteps(ob, move->to, move->from, fwd) &&
                    PawnToEastWest(ob, move->to, p > 0 ? B_PAWN : W_PAWN)) {
                    SQ_T t[4];
                    BTO_T rec{0, t};
                    if (DirTo(ob, move->from, fwd, &rec) && t[0] <= 64)
                        nb->enpassant = t[0];
                    else if (p > 0)
                        Panic(true, "error 2 in EP DoMove");
                }
            }
            EpKey(nb, nb->enpassant);

            if (nb->flags & 0xF) {
                const uint64_t old_rights = nb->flags & 0xF;
                nb->hash1 ^= (nb->flags << 16) & 0xF0000;
                if (state.dmode == 2)
                    Castling2D(nb, move, p, cap, &changed);
                else
                    Castling3D(nb, move, p, cap, &changed);
                nb->hash1 ^= (nb->flags << 16) & 0xF0000;
                if ((nb->flags & 0xF) != old_rights) changed = true;
            }
        }
    }

    nb->fifty_count = (captured || pawn_moved) ? 1 : ob->fifty_count + 1;
    if (ob->move_num >= 0 && ob->move_num + 1 < GAME_RECORD_SIZE) {
        active_hash_list[ob->move_num] = ob->hash1;
        active_hash_list[ob->move_num + 1] = nb->hash1;
    }
    nb->move_num = ob->move_num + 1;
    nb->winner = ob->winner;
    nb->num_moves = 0;
    nb->moves = nullptr;
    if (in_place) {
        nb->oldb = nullptr;
        changed = true;
    } else {
        nb->oldb = ob;
    }
    nb->hash1 ^= 1;
    if (!changed) {
        nb->flags |= FLAG_NEED_PART2;
        return 1;
    }
    if (board_index < 0) RegenToPieces(nb);
    nb->flags &= ~(uint64_t)FLAG_NEED_PART2;
    return LegalityAndCheck(nb, move, white_moved);
}
