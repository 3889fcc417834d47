// MTD(f): the root value found by null-window searches, first descending
// from the previous value in widening steps, then bracketing it with steps
// that grow while the result keeps falling on the same side.
#include <cstdio>
#include <cstdlib>

#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"

namespace {
// A root value this far below the last iteration's means the move about to
// be played is failing: the clock may then give this move more time.
constexpr ETYPE_T FALL_MARGIN = 5000;
constexpr int FALL_DEPTH = 5;
}  // namespace

ETYPE_T MTDSearch(POS_T* b, MOVE_T* move, int depth, ETYPE_T guess) {
    static const float offsets[7] = {0.5f, 2, 6, 13, 30, 30, 30};
    ETYPE_T alpha = -400000, beta = 400000, g = guess;
    si_converged = mtd_count = 0;
    int mtd_loops = 0;
    bool done = false;
    auto watch_fall = [&] {
        if (!search_helper && depth >= FALL_DEPTH && beta < guess - FALL_MARGIN) StretchDeadline();  // alpha is below beta
    };
    RootMoves(b, move);
    if (hash_c.CheckHashEtc(b, b->moves, b->num_moves, depth, -400000, &alpha, move)) g = alpha;

    while (alpha == -400000 && beta > alpha && mtd_loops <= 6 && !done) {
        ETYPE_T y = (ETYPE_T)((float)g - offsets[mtd_loops] * 10000.0f);
        if (y <= alpha) y = alpha + 100;
        if (y >= beta) y = beta - 100;
        g = abroot(b, depth, y, move);
        mtd_count++;
        mtd_loops++;
        if (SearchExpired()) {
            done = true;
            if (alpha == -400000) alpha = guess;
        } else if (g < y) {
            beta = g;
            watch_fall();
        } else {
            alpha = g;
        }
    }
    if (done || alpha == beta) return alpha;

    if (mtd_count == 1 && g < guess) g = imax(guess - 350, g);
    if (mtd_count == 0) g += 700;
    int alpha_count = 0, beta_count = 0;
    // Mate values are narrowed to the exact distance, so the shortest mate
    // is the one played; other values to a window of 10.
    while (beta > alpha + (std::abs(alpha) > 399871 ? 1 : 10) && !done) {
        mtd_loops++;
        ETYPE_T y = g;
        if (g == alpha) {
            alpha_count++;
            beta_count = 0;
            y = imin(g + alpha_count * alpha_count * 700, (alpha + beta) / 2);
        } else if (g == beta) {
            alpha_count = 0;
            beta_count++;
            y = imax(g - beta_count * beta_count * 700, (alpha + beta) / 2);
        }
        if (alpha >= -399999 && beta <= 399999 && MtdConverged(b, alpha, depth)) break;
        g = abroot(b, depth, y, move);
        mtd_count++;
        if (SearchExpired()) {
            done = true;
            if (alpha == -400000) alpha = guess;
            continue;
        }
        if (g < y) {
            beta = g;
            watch_fall();
        } else {
            alpha = g;
        }
        if (alpha > 399999 || beta < -399999) {
            si_converged = 1;
            break;
        }
        if (alpha >= beta - 700 && (mtd_count > 30 || abs(alpha) <= 399871)) break;
    }
    if (alpha == -400000) alpha = g;
    return alpha;
}

int MtdConverged(POS_T* b, int alpha, int depth) {
    if (!b->moves) return 0;
    static thread_local POS_T child;
    int count = 0;
    for (int i = 0; i < b->num_moves; i++) {
        MOVE_T m = b->moves[i];
        // the list holds moves that leave the king attacked: they do not count
        if (!DoMove(&child, b, &m)) continue;
        HASHENTRY_T e;
        if (!hash_c.FetchHash(&child, &e) || e.depth_high < depth - 1) return 0;
        if (-e.low > alpha) count++;
    }
    return count == 1;
}
