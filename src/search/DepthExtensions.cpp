#include "tamzor.h"
#include "search/search.h"

int DepthExtensions(POS_T* b, int depth, int ply, ETYPE_T v1, ETYPE_T testv) {
    if (ply >= 1 && ply - 1 < MAX_PLY && null_ply[ply - 1]) return depth;  // answering a null move
    const POS_T* parent = b->oldb;
    if (depth + ply < search_depth + 20) {
        if (b->flags & FLAG_IN_CHECK) {
            b->flags |= FLAG_EXTENDED;
            return depth + 1;
        }
        if (parent && (parent->flags & FLAG_EXTENDED)) return depth;
        const POS_T* grand = parent ? parent->oldb : nullptr;
        if (grand && b->last_move.to == parent->last_move.to && b->last_move.to < 64 &&
            grand->board[b->last_move.to] != 0) {
            int piece = b->board[b->last_move.to];
            int balance = b->w_material - b->b_material, before = grand->w_material - grand->b_material;
            if (piece != W_PAWN && piece != B_PAWN && piece != 0 && balance - before <= 4999 &&
                before - balance <= 4999) {
                b->flags |= FLAG_EXTENDED;  // a recapture
                return depth + 1;
            }
        }
    }
    if ((b->flags & FLAG_EXTENDED) || (parent && (parent->flags & FLAG_EXTENDED))) return depth;
    // futility: a last ply far below the test value drops into quiescence;
    // not below a mate test value, where only a quiet mating move may reach
    // it, nor while proving a mate, where every move counts
    if (depth == 1 && !search_mate_moves && testv < 399000 && (double)v1 < (double)testv - 9000.0) return 0;
    return depth;
}
