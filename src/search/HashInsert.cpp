#include "tamzor.h"
#include "search/search.h"

void HASH_C::HashInsert(POS_T* b, int depth, ETYPE_T testv, ETYPE_T evaluation, MOVE_T* move) {
    Allocate();
    SEARCH_MEMORY_T& counts = search_memory;
    // The bucket as read now; another thread may write it meanwhile, and then
    // one of the two writes is lost, which costs a little work and no error.
    const uint64_t index = GetIndex(b);
    HASHENTRY_T e0, e1;
    LoadEntry(index, &e0);
    LoadEntry(index + 1, &e1);
    auto holds = [b](const HASHENTRY_T& e) { return e.hash1 == b->hash1 && e.hash2 == b->hash2; };
    HASHENTRY_T target;
    uint64_t slot = index;
    if (holds(e0)) {
        target = e0;
    } else if (holds(e1)) {
        if (MaxDepthFunc(&e1) >= MaxDepthFunc(&e0)) {
            StoreEntry(index + 1, e0);  // the deeper one keeps the preferred slot
            target = e1;
        } else {
            target = e1;
            slot = index + 1;
        }
    } else if (e0.tag == hash_tag && depth < MaxDepthFunc(&e0)) {
        // the preferred slot holds a deeper result of this search
        if (depth == 0 && MaxDepthFunc(&e1) > 0 && e1.tag == hash_tag) return;
        target = e1;
        slot = index + 1;
    } else {
        StoreEntry(index + 1, e0);
        target = e0;
    }
    target.tag = (uint32_t)hash_tag;
    const bool lower = evaluation >= testv;
    if (holds(target)) {
        int s = lower ? target.depth_low : target.depth_high;
        if (s > depth)
            counts.bad_updates++;
        else if (s != 0)
            counts.good_updates++;
    } else {
        target.depth_low = target.depth_high = 0;
        target.low = -INF_VALUE;
        target.high = INF_VALUE;
        target.hash1 = b->hash1;
        target.hash2 = b->hash2;
        target.from = target.to = 0;
    }
    const uint8_t d = (uint8_t)depth;
    if (!lower) {
        int old = target.depth_high;
        target.depth_high = d;
        target.high = evaluation;
        if (target.high < target.low) {
            if (old == depth && depth == target.depth_low) {
                target.low = target.high;
            } else {
                target.low = -INF_VALUE;
                target.depth_low = 0;
            }
        }
    } else {
        if (move) {
            target.from = move->from;
            target.to = move->to;
        }
        int old = target.depth_low;
        target.depth_low = d;
        target.low = evaluation;
        if (target.high < target.low) {
            if (old == depth && depth == target.depth_high) {
                target.high = target.low;
            } else {
                target.high = INF_VALUE;
                target.depth_high = 0;
            }
        }
    }
    StoreEntry(slot, target);
}
