#include "MateAdjust.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

int HASH_C::CheckHash(POS_T* b, int depth, ETYPE_T testv, ETYPE_T* v, MOVE_T* move) {
    SEARCH_MEMORY_T& counts = search_memory;
    HASHENTRY_T e;
    if (!FetchHash(b, &e)) {
        if (depth) counts.hash_misses++;
        return 0;
    }
    if (move) {
        int piece = e.from < 64 ? b->board[e.from] : 0;
        InitMove(move, piece, e.from, e.to, 0, 'G', false);
    }
    if (e.depth_high >= depth && e.high < testv) {
        *v = e.high;
        if (depth) counts.hash_hits++;
        return 1;
    }
    if (e.depth_low >= depth && e.low >= testv) {
        *v = e.low;
        if (depth) counts.hash_hits++;
        return 1;
    }
    if (depth) counts.hash_shallow++;
    return 0;
}

int HASH_C::CheckHash2(POS_T* b, int depth, ETYPE_T testv, ETYPE_T* v) {
    SEARCH_MEMORY_T& counts = search_memory;
    HASHENTRY_T e;
    if (!FetchHash(b, &e)) return 0;
    if (e.depth_high >= depth && e.high < testv) {
        *v = e.high;
        if (depth) counts.hash_hits++;
        return 1;
    }
    if (depth) counts.hash_shallow++;
    return 0;
}

int HASH_C::CheckHashEtc(POS_T* b, MOVE_T* moves, int num_moves, int depth, ETYPE_T testv, ETYPE_T* v,
                         MOVE_T* m1) {
    const uint64_t h1 = b->hash1, h2 = b->hash2;
    // A child's entry holds its own bounds, tested against the child's own
    // test value (entering a node moves a mate bound a ply away), and its
    // value reaches the parent a ply nearer a mate, as the child's search
    // would have returned it.
    const ETYPE_T ft = EntryMateAdjust(flipv(testv));
    int result = 0;
    static thread_local POS_T scratch;
    for (int i = 0; i < num_moves; i++) {
        MOVE_T* m = &moves[i];
        if (!IsValidMove(b, *m)) {
            Panic(false, "Bad move at CheckHashEtc");
            continue;
        }
        ETYPE_T c;
        LookAheadKeys(b, m);
        int quick = CheckHash2(b, depth - 1, ft, &c);
        b->hash1 = h1;
        b->hash2 = h2;
        if (!quick) continue;
        MOVE_T made = *m;
        if (!DoMove(&scratch, b, &made)) continue;
        if (CheckRepetition(&scratch, 1)) continue;
        if (!CheckHash2(&scratch, depth - 1, ft, &c)) continue;
        c = ExitMateAdjust(c);
        if (!result || -c > *v) {
            *v = -c;
            if (m1) *m1 = *m;
            result = 1;
        }
    }
    return result;
}
