// The null-window search of an interior node: is the value at least testv?
#include <array>
#include <cmath>
#include <cstdint>

#include "MateAdjust.h"
#include "levels.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"

namespace {
bool InCheck(const POS_T* b) { return (b->flags & FLAG_IN_CHECK) != 0; }

// Whether the side to move has a piece other than its king and pawns.
bool HasOfficer(const POS_T* b) {
    uint64_t own = IsWhitesMove(b) ? (b->piece_mask & 0xFFFE) : (b->piece_mask & 0xFFFE0000ull);
    return own != 0;
}

// Passing the move (null move): refuted only if the opponent, moving twice,
// still cannot reach the test value.
ETYPE_T NullMove(POS_T* b, int depth, ETYPE_T testv, int ply) {
    const SQ_T enpassant = b->enpassant;
    const MOVE_T best_capture = b->best_capture;
    const ETYPE_T tactics = b->tactics, eval_result = b->eval_result;
    const uint64_t flags = b->flags;
    MOVE_T* const moves = b->moves;
    const int num_moves = b->num_moves;

    int depth2 = depth - 4;
    if (ComputersMove(b)) depth2 = imax(depth2, 1);
    null_ply[ply] = 1;
    b->enpassant = 0;
    b->move_num++;
    b->moves = nullptr;
    b->num_moves = 0;
    b->hash1 ^= 1;
    UpdatePawns(b);
    UpdateTactics(b);
    const ETYPE_T v = -abtest(b, depth2, flipv(testv), ply + 1);
    b->tactics = tactics;
    b->best_capture = best_capture;
    b->eval_result = eval_result;
    b->flags = flags;
    b->hash1 ^= 1;
    b->move_num--;
    b->enpassant = enpassant;
    b->moves = moves;
    b->num_moves = num_moves;
    null_ply[ply] = 0;
    return v;
}
// The static cut-off: at most this many plies to go, and this far above the
// test value a ply (a pawn is 10052).
constexpr int STATIC_CUT_DEPTH = 3;
constexpr ETYPE_T STATIC_CUT_MARGIN = 8000;
// From this depth and this place in the list a move may be late. The earlier
// start paid in the 2D game; in the 3D game it hid a quiet mating move at the
// depth that should find it, so 3D keeps the later one.
constexpr int LATE_DEPTH = 3, LATE_INDEX_2D = 2, LATE_INDEX_3D = 4;
inline int LateIndex() { return state.dmode == 2 ? LATE_INDEX_2D : LATE_INDEX_3D; }
// Moves after the first few, neither capturing, promoting nor checking,
// searched while not in check, rarely change the result. The child must have
// had its second part (which tells whether it checks).
bool LateQuietMove(const POS_T* b, const POS_T* child, int index, int depth, bool tense) {
    if (tense || search_mate_moves || depth < LATE_DEPTH || index < LateIndex()) return false;
    if (child->flags & FLAG_IN_CHECK) return false;
    return child->w_material == b->w_material && child->b_material == b->b_material;
}
// How many plies shallower a late quiet move is first searched: one at
// first, more the deeper the node and the later the move.
int LateReduction(int depth, int index) {
    static const auto table = [] {
        std::array<std::array<int8_t, 64>, 64> t{};
        for (int d = 0; d < 64; d++)
            for (int i = 0; i < 64; i++)
                t[d][i] = (int8_t)(1 + (d > 0 && i > 0 ? (int)(std::log(d) * std::log(i) / 3.0) : 0));
        return t;
    }();
    return table[imin(depth, 63)][imin(index, 63)];
}
}  // namespace

ETYPE_T abtest(POS_T* b, int depth0, ETYPE_T testv, int ply) {
    if (depth0 < 1) return StartQuiesce(b, testv, ply);
    nodes++;
    if (ply > search_seldepth) search_seldepth = ply;
    testv = EntryMateAdjust(testv);

    ETYPE_T v1 = INF_VALUE;
    MOVE_T m1;
    ZeroMove(&m1);
    if (hash_c.CheckHash(b, depth0, testv, &v1, &m1)) return ExitMateAdjust(v1);
    MOVE_T last = b->last_move;
    if (!DoMovePart2(b, &last)) return 400000;  // the move that led here was illegal
    if (InsufficientMaterial(b)) return 0;  // neither side can mate: the game is drawn
    if (v1 == INF_VALUE) v1 = Evaluate(b, testv, depth0);

    int depth = DepthExtensions(b, depth0, ply, v1, testv);
    if (depth < 1) return StartQuiesce(b, testv, ply);

    ETYPE_T g = -400000;
    int bm = -1, mate_threat = 0;
    const bool in_check = InCheck(b);

    const int own_moves = IsWhitesMove(b) ? b->white_moves : b->black_moves;
    // Far above the test value in the last plies: a quiet position this good
    // rarely falls below it within so few moves, and searching it costs more
    // than the rare miss. A mate sought prunes nothing (neither here nor by
    // the null move or late moves): a proof needs every move.
    if (!in_check && !search_mate_moves && depth <= STATIC_CUT_DEPTH && testv > -399000 && testv < 399000 &&
        HasOfficer(b) && v1 - STATIC_CUT_MARGIN * depth >= testv) {
        g = v1 - STATIC_CUT_MARGIN * depth;
        goto store;
    }

    if (!search_mate_moves && ply < SearchPlyLimit() && ply < MAX_PLY && HasOfficer(b) &&
        !null_ply[ply - 1] && !(ComputersMove(b) && depth <= 2) && !in_check && own_moves >= 7) {
        ETYPE_T v = NullMove(b, depth, testv, ply);
        if (v > 399998) v -= 10000;
        if (v >= testv) {
            g = v;
            goto store;
        }
        if (v < -399871 && depth + ply < search_depth + 20) {
            // passing loses to a mate: look one ply deeper
            b->flags |= FLAG_EXTENDED;
            mate_threat = 1;
            depth++;
        }
    }

    if (!b->moves) {
        GenMoveList(b, ply, &m1, testv);
        for (int i = 0; i < b->num_moves; i++) b->moves[i].v = -399999;
    }
    if (b->num_moves == 0) {
        g = in_check ? -400000 : 0;
        goto store;
    }
    if (in_check && b->num_moves == 1 && b->oldb && !(b->oldb->flags & FLAG_EXTENDED) &&
        depth + ply < search_depth + 20) {
        b->flags |= FLAG_EXTENDED;  // a single reply
        depth++;
    }
    depth = imin(depth, depth0 + 1);

    {
        ETYPE_T etc;
        if (hash_c.CheckHashEtc(b, b->moves, b->num_moves, depth, testv, &etc, nullptr)) return ExitMateAdjust(etc);
    }

    for (int i = 0; i < b->num_moves; i++) {
        MOVE_T* move = &b->moves[i];
        if (!IsValidMove(b, *move)) {
            Panic(false, "Bad move at abtest");
            continue;
        }
        POS_T b1;
        if (!DoMovePart1(&b1, b, move)) {
            move->v = -400000;
            continue;
        }
        // The child searched to a depth; a second search of it starts from a
        // fresh move list.
        auto child_value = [&](int d) {
            b1.moves = nullptr;
            b1.num_moves = 0;
            return -abtest(&b1, d, flipv(testv), ply + 1);
        };
        // an ordinary move learns in its second part whether it checks or is illegal
        if (depth >= LATE_DEPTH && i >= LateIndex() && !DoMovePart2(&b1, move)) {
            move->v = -400000;
            continue;
        }
        ETYPE_T v;
        if (CheckRepetition(&b1, 1)) {
            v = DrawValue() * NextToPlay(b);
        } else if (depth > depth0 && !mate_threat && !in_check) {
            // an extended node: the extension is kept only where it helps the computer
            v = child_value(depth0 - 1);
            bool favours = ComputersMove(b) ? (v != -400000 && v >= testv) : (v != -400000 && v < testv);
            if (favours) v = child_value(depth - 1);
        } else if (LateQuietMove(b, &b1, i, depth, in_check || mate_threat)) {
            // a late quiet move is first searched shallower; only one that
            // still reaches the test value earns the full depth
            v = child_value(depth - 1 - LateReduction(depth, i));
            if (v >= testv) v = child_value(depth - 1);
        } else {
            v = child_value(depth - 1);
        }
        move->v = v;
        if (SearchExpired()) return g;
        if (v > g) {
            g = v;
            bm = i;
            if (g >= testv) {
                CutoffHint(b, i, depth, ply);
                break;
            }
        }
    }

store:
    if (SearchExpired()) return g;
    if (g == -400000 && !in_check) g = 0;  // every move illegal without check: stalemate
    hash_c.HashInsert(b, depth0, testv, g, bm >= 0 ? &b->moves[bm] : nullptr);
    return ExitMateAdjust(g);
}
