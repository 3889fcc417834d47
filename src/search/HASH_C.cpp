// The transposition table's storage and its housekeeping.
#include <cstdio>
#include <cstring>

#include <sys/mman.h>

#include "tamzor.h"

namespace {
constexpr uint64_t TABLE_ENTRIES = 1ull << 20;
constexpr size_t HUGE_PAGE = 2u << 20;

size_t TableBytes(uint64_t entries) {
    const size_t bytes = entries * sizeof(HASHENTRY_T);
    return (bytes + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
}
}  // namespace

HASH_C::HASH_C() {
    hash_table_initialized = false;
    hash_table_size = TABLE_ENTRIES;
    hash_table_initialized = true;
    bad_updates = good_updates = hash_misses = hash_hits = hash_shallow = 0;
    ZeroMove(&hash_move);
    hash_tag = 0;
    OrderReset();
}

HASH_C::~HASH_C() { Release(); }

void HASH_C::Allocate() {
    // Only the entries in use are reserved; the zero pages cost nothing
    // until the search writes them. The probes land anywhere in the table,
    // so large pages save most of their address-translation misses.
    if (hash_table) return;
    const size_t bytes = TableBytes(hash_table_size);
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) Panic(true, "Realloc failed");
#ifdef MADV_HUGEPAGE
    madvise(p, bytes, MADV_HUGEPAGE);  // a hint: without it the table works as well
#endif
    hash_table = static_cast<HASHENTRY_T*>(p);
}

void HASH_C::Release() {
    if (hash_table) munmap(hash_table, TableBytes(hash_table_size));
    hash_table = nullptr;
}

void HASH_C::HashReset() {
    if (eval_show) printf("\nHashReset");
    Allocate();
    table_stage = -1;
    if (!table_dirty) return;  // nothing stored since the last clear
    memset(hash_table, 0, sizeof(HASHENTRY_T) * hash_table_size);
    table_dirty = false;
}

void HASH_C::MatchStage(int stage) {
    // a table cleared (or filled outside a search) takes the stage of the
    // search that comes to it
    if (table_stage >= 0 && stage != table_stage) HashReset();
    table_stage = stage;
}

void HASH_C::HashResize(uint64_t megabytes) {
    // an even number of entries: a bucket is two of them
    uint64_t entries = (megabytes << 20) / sizeof(HASHENTRY_T) & ~1ull;
    if (entries < 2) entries = 2;
    if (entries == hash_table_size && hash_table) return;
    Release();
    hash_table_size = entries;
    table_dirty = false;
    table_stage = -1;
    Allocate();
}

void HASH_C::OrderReset() {
    memset(history, 0, sizeof history);
    memset(killers, 0, sizeof killers);
    memset(refutation, 0, sizeof refutation);
}

uint64_t HASH_C::GetIndex(POS_T* b) {
    // Bit 0 cleared: both sides to move share a bucket.
    return (uint64_t)(uint32_t)(b->hash1 % hash_table_size) & ~1ull;
}

void HASH_C::HashChangeTag(int move_num) {
    if (move_num < last_move_num) HashReset();  // the game went back
    last_move_num = move_num;
    hash_tag = (hash_tag % 15) + 1;
}

HASHENTRY_T* HASH_C::GetHashEntry(uint64_t index) {
    Allocate();
    return &hash_table[index];
}

HASHENTRY_T* HASH_C::FetchHash(POS_T* b) {
    Allocate();
    HASHENTRY_T* e = &hash_table[GetIndex(b)];
    if (e[0].hash1 == b->hash1 && e[0].hash2 == b->hash2) return &e[0];
    if (e[1].hash1 == b->hash1 && e[1].hash2 == b->hash2) return &e[1];
    return nullptr;
}

char* HASH_C::HashStats() {
    int t = hash_shallow + hash_misses + hash_hits + 1;
    snprintf(cret, sizeof cret, "h/s/b=%d/%d/%d%%", hash_hits * 100 / t, hash_shallow * 100 / t,
             bad_updates * 100 / (bad_updates + good_updates + 1));
    return cret;
}

int MaxDepthFunc(HASHENTRY_T* he_t) { return imax(he_t->depth_low, he_t->depth_high); }

void HASH_C::LookAheadKeys(POS_T* b, MOVE_T* move) {
    if (move->from >= 64 || move->to >= 64 || IsAB(move->piece_moving)) {
        b->hash1 ^= 1;
        return;
    }
    int p = move->piece_moving;
    RemoveHash(b, move->from, p);
    if (b->board[move->to]) RemoveHash(b, move->to, b->board[move->to]);
    AddHash(b, move->to, p);
    b->hash1 ^= 1;
}

// The children's buckets are asked for all at once, so that the probes
// which follow find them in the cache instead of waiting on each in turn.
void HASH_C::PrefetchChildren(POS_T* b, MOVE_T* moves, int n) {
    Allocate();
    const uint64_t h1 = b->hash1, h2 = b->hash2;
    for (int i = 0; i < n; i++) {
        LookAheadKeys(b, &moves[i]);
        // a bucket of two entries may straddle two cache lines
        const HASHENTRY_T* e = &hash_table[GetIndex(b)];
        __builtin_prefetch(e);
        __builtin_prefetch(reinterpret_cast<const char*>(e + 2) - 1);
        b->hash1 = h1;
        b->hash2 = h2;
    }
}

int HASH_C::HashOrdering(POS_T* b, MOVE_T* move, ETYPE_T testv) {
    uint64_t h1 = b->hash1, h2 = b->hash2;
    LookAheadKeys(b, move);
    HASHENTRY_T* e = FetchHash(b);
    b->hash1 = h1;
    b->hash2 = h2;
    if (!e) return 0;
    ETYPE_T ft = flipv(testv);
    if (e->low >= ft) return -((e->low - ft) / 5000) - 1;
    if (e->high < ft) return ((ft - e->high) / 5000) + 1;
    return 0;
}
