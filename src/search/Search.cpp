// Iterative deepening over MTD(f): from a starting depth the table suggests,
// one depth more each round until the time, the difficulty or a mate ends it.
#include <cstdio>

#include "levels.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
bool SoftLimitPassed() {
    uint64_t d = soft_deadline_ms.load(std::memory_order_relaxed);
    return d && TickCount() >= d;
}

int LegalRootMoves(POS_T* b) {
    static thread_local POS_T child;
    int n = 0;
    for (int i = 0; i < b->num_moves; i++) {
        MOVE_T m = b->moves[i];
        if (DoMove(&child, b, &m)) n++;
    }
    return n;
}

void FirstLegalMove(POS_T* b, MOVE_T* move) {
    static thread_local MOVE_T legal[4 * MOVE_LIST_SIZE];
    const int n = LegalMoves(b, legal);
    ZeroMove(move);
    if (!n) return;
    *move = legal[0];
    for (int i = 0; b->moves && i < b->num_moves; i++) {
        const MOVE_T& m = b->moves[i];
        for (int j = 0; j < n; j++) {
            if (SameMove(&m, &legal[j]) && m.piece_moving == legal[j].piece_moving &&
                m.move_symbol == legal[j].move_symbol) {
                *move = legal[j];
                return;
            }
        }
    }
}

void ProgressLine(POS_T* b, MOVE_T* move, ETYPE_T v, int edepth) {
    char text[32] = "?";
    if (!IsZeroMove(move) && IsValidMove(b, *move)) {
        static thread_local MOVE_T list[MOVE_LIST_SIZE];
        POS_T* root = b;
        GetMoveCount(root, list);  // the texts of the root's moves
        const char* s = ShortDisambiguateMovestr(move);
        if (s) snprintf(text, sizeof text, "%s", s);
    }
    const uint64_t ms = timers.TimerElapsedMs();
    printf("\n%s:%s %s d=%d %d nodes mtd=%d %lumsec %.1fkNPS ", IsWhitesMove(b) ? "W" : "B", text, EvalStr(v),
           edepth, nodes, mtd_count, (unsigned long)ms, (double)(nodes + quiesce_nodes) / (double)(ms ? ms : 1));
    fflush(stdout);
}

// Whether the deepening ends after a completed depth for the mate it shows.
// A mate in k plies is worth 400000 - k at the root. One of at most a ply
// beyond the depth is the shortest there is, as far as the search's pruning
// lets it see (a shorter one would have shown at this depth); a longer one
// may hide a shorter. A fixed depth is searched whole all the same. A sought
// mate in N ends the search once its 2N - 1 plies were searched without
// pruning: the mate is then found, or there is none.
bool MateEnds(ETYPE_T v, int edepth) {
    const bool within = v <= edepth - 399999 || v >= 399999 - edepth;
    if (search_mate_moves) return within || edepth >= 2 * search_mate_moves - 1;
    return within && !search_last_iteration;
}
}  // namespace

thread_local constinit int search_edepth;
thread_local constinit int search_last_iteration;
thread_local constinit SEARCH_PROGRESS_FN search_progress;

ETYPE_T Search(POS_T* b, MOVE_T* move_t) {
    if (eval_show) printf("\nSearch");
    nodes = quiesce_nodes = 0;
    SEARCH_MEMORY_T& counts = search_memory;
    counts.bad_updates = counts.good_updates = 0;
    counts.hash_misses = counts.hash_hits = counts.hash_shallow = 0;
    ETYPE_T v = 0;
    OrderClear(b->move_num);
    hash_c.MatchStage(b->stage);
    hash_c.HashChangeTag(b->move_num);
    // The weaker levels search alone.
    const int helpers = search_single_thread ? 0 : SearchThreads() - 1;
    search_helper_nodes = 0;
    if (helpers > 0) HelpersStart(b, helpers);

    int depth = 2;
    search_seldepth = search_done_depth = 0;
    // A fixed depth or node count is searched from the start, so that what
    // it reports is its own work; a restricted root's entry is not its own.
    HASHENTRY_T entry;
    const HASHENTRY_T* root =
        search_last_iteration || search_node_limit || search_only_moves || !hash_c.FetchHash(b, &entry) ? nullptr
                                                                                                   : &entry;
    if (root && root->move_num == 0) {
        move_t->from = root->from;
        move_t->to = root->to;
        move_t->piece_moving = move_t->from < 64 ? b->board[move_t->from] : 0;
        move_t->move_symbol = '?';
        move_t->check = 0;
        // The entry may belong to another position with the same keys: its
        // move counts only when this position has it.
        if (IsZeroMove(move_t) || !ListedMove(b, move_t)) ZeroMove(move_t);
        if (!IsZeroMove(move_t)) {
            depth = imax(root->depth_low, 2);
            v = root->low;
            if (root->depth_high >= root->depth_low && root->high <= root->low + 700) depth++;
        }
    }
    int edepth = depth - 1, terminate = 0;
    // The first iteration is always searched: a ply limit of 2 or less (from
    // an option or a file) would otherwise leave the computer without a move.
    const int ply_limit = imax(SearchPlyLimit(), 3);
    while (!terminate && depth < ply_limit &&
           (!search_last_iteration || depth <= search_last_iteration)) {
        ETYPE_T guess = v;
        int counter = 0;
        if (helpers > 0) HelpersDepth(depth);
        bool forced;
        for (;;) {
            counter++;
            v = MTDSearch(b, move_t, depth, guess);
            bool expired = timers.TimerExpired();
            forced = LegalRootMoves(b) == 1;
            // Running past the time to look again at a move found terrible
            // is normal play, not a fault: nothing is reported for it.
            if (!forced && expired && !si_converged && counter <= 3 && TerribleMove(b, move_t, &v)) {
                guess = v;
                continue;
            }
            break;
        }
        if (edepth > 2) {
            if (!SearchExpired()) edepth = depth;
            // the terminal tool's own share of the clock replaces the fixed rule
            if (search_no_soft_limit || search_pondering.load(std::memory_order_relaxed))
                terminate = 0;
            else if (soft_deadline_ms.load(std::memory_order_relaxed))
                terminate = forced || SoftLimitPassed();
            else
                terminate = timers.TimerTerminate(forced);
        } else {
            terminate = 0;
        }
        if (!SearchExpired())
            search_done_depth = edepth = depth;
        else
            terminate = 1;
        if (eval_show) ProgressLine(b, move_t, v, edepth);
        if (search_progress) search_progress(b, move_t, v, edepth);
        counts.hash_hits = counts.hash_misses = counts.hash_shallow = 0;
        if (MateEnds(v, edepth)) terminate = 1;
        depth++;
    }
    if (helpers > 0) search_helper_nodes = HelpersStop();
    search_edepth = edepth;
    // Whatever ended the search, the move is the legal list's own entry; a
    // search that found none plays the first legal move of its ordering.
    if (IsZeroMove(move_t) || !ListedMove(b, move_t)) FirstLegalMove(b, move_t);
    return v;
}
