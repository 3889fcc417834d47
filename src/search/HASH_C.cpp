// The transposition table's storage and its housekeeping.
#include <cstdio>
#include <cstring>

#include <sys/mman.h>

#include "tamzor.h"
#include "search/search.h"

namespace {
constexpr uint64_t TABLE_ENTRIES = 1ull << 20;
constexpr size_t HUGE_PAGE = 2u << 20;

size_t TableBytes(uint64_t entries) {
    const size_t bytes = entries * sizeof(HASHENTRY_T);
    return (bytes + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
}
}  // namespace

thread_local constinit SEARCH_MEMORY_T search_memory{};

namespace {
// Bumped by OrderReset: a thread whose memories followed an older reset
// clears them at its next search.
std::atomic<uint32_t> order_epoch{0};
}  // namespace

HASH_C::HASH_C() {
    hash_table_initialized = false;
    hash_table_size = TABLE_ENTRIES;
    hash_table_initialized = true;
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
    if (!table_dirty.load()) return;  // nothing stored since the last clear
    memset(static_cast<void*>(hash_table), 0, sizeof(HASHENTRY_T) * hash_table_size);
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
    memset(&search_memory, 0, sizeof search_memory);
    search_memory.epoch = order_epoch.fetch_add(1) + 1;
}

uint32_t OrderEpoch() { return order_epoch.load(); }

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

namespace {
constexpr int ENTRY_WORDS = sizeof(HASHENTRY_T) / sizeof(uint64_t);
static_assert(sizeof(HASHENTRY_T) % sizeof(uint64_t) == 0);

// A mix of the entry's data words, folded into its hash2: a word of another
// write changes it.
uint64_t DataCheck(const uint64_t* w) {
    uint64_t x = 0x2545F4914F6CDD1Dull;
    for (int i = 2; i < ENTRY_WORDS; i++) {
        x = (x ^ w[i]) * 0x9E3779B97F4A7C15ull;
        x ^= x >> 29;
    }
    return x;
}

// Relaxed atomic words: plain moves on this machine, and no data race for
// the threads that share the table.
uint64_t LoadWord(const uint64_t* p) {
    return std::atomic_ref<uint64_t>(*const_cast<uint64_t*>(p)).load(std::memory_order_relaxed);
}
void StoreWord(uint64_t* p, uint64_t v) { std::atomic_ref<uint64_t>(*p).store(v, std::memory_order_relaxed); }
}  // namespace

void HASH_C::LoadEntry(uint64_t index, HASHENTRY_T* out) const {
    const uint64_t* src = reinterpret_cast<const uint64_t*>(&hash_table[index]);
    uint64_t w[ENTRY_WORDS];
    for (int i = 0; i < ENTRY_WORDS; i++) w[i] = LoadWord(&src[i]);
    w[1] ^= DataCheck(w);
    memcpy(static_cast<void*>(out), w, sizeof w);
}

void HASH_C::StoreEntry(uint64_t index, const HASHENTRY_T& in) {
    uint64_t* dst = reinterpret_cast<uint64_t*>(&hash_table[index]);
    uint64_t w[ENTRY_WORDS];
    memcpy(w, static_cast<const void*>(&in), sizeof w);
    w[1] ^= DataCheck(w);
    for (int i = 0; i < ENTRY_WORDS; i++) StoreWord(&dst[i], w[i]);
    if (!table_dirty.load(std::memory_order_relaxed)) table_dirty.store(true, std::memory_order_relaxed);
}

bool HASH_C::FetchHash(POS_T* b, HASHENTRY_T* out) {
    Allocate();
    const uint64_t index = GetIndex(b);
    for (uint64_t i = index; i < index + 2; i++) {
        // the first word tells most misses without reading the rest
        if (LoadWord(reinterpret_cast<const uint64_t*>(&hash_table[i])) != b->hash1) continue;
        LoadEntry(i, out);
        if (out->hash1 == b->hash1 && out->hash2 == b->hash2) return true;
    }
    return false;
}

char* HASH_C::HashStats() {
    const SEARCH_MEMORY_T& m = search_memory;
    int t = m.hash_shallow + m.hash_misses + m.hash_hits + 1;
    snprintf(cret, sizeof cret, "h/s/b=%d/%d/%d%%", m.hash_hits * 100 / t, m.hash_shallow * 100 / t,
             m.bad_updates * 100 / (m.bad_updates + m.good_updates + 1));
    return cret;
}

int MaxDepthFunc(const HASHENTRY_T* he_t) { return imax(he_t->depth_low, he_t->depth_high); }

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
    HASHENTRY_T e;
    const bool found = FetchHash(b, &e);
    b->hash1 = h1;
    b->hash2 = h2;
    if (!found) return 0;
    ETYPE_T ft = flipv(testv);
    if (e.low >= ft) return -((e.low - ft) / 5000) - 1;
    if (e.high < ft) return ((ft - e.high) / 5000) + 1;
    return 0;
}
