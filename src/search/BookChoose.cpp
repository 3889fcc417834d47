// Choosing the computer's move from a book. Every entry is matched against
// the legal moves of the position: a key shared by another position, or a
// file made for other rules, can then never play a move that is not legal.
#include <chrono>

#include "search/book.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"

namespace {
std::atomic<uint64_t> rng_state{0};
std::atomic<bool> seeded{false};

uint64_t NextRandom() {
    uint64_t z = rng_state.fetch_add(0x9E3779B97F4A7C15ull, std::memory_order_relaxed) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
}  // namespace

void BookSeed(uint64_t seed) {
    rng_state.store(seed, std::memory_order_relaxed);
    seeded = true;
}

std::vector<BOOK_MOVE_T> BookMoves(POS_T* b, const std::string& path) {
    std::vector<BOOK_MOVE_T> moves;
    std::vector<BOOK_ENTRY_T> entries;
    std::string error;
    if (path.empty() || !BookLookup(path, BookKey(b), &entries, &error)) return moves;
    for (const BOOK_ENTRY_T& e : entries) {
        const std::string token = BookCodeToken(b, e.move);
        MOVE_T m;
        if (token.empty() || !MoveFromToken(b, token, &m, &error)) continue;
        bool merged = false;  // a move listed twice counts once, its weights added
        for (BOOK_MOVE_T& k : moves)
            if (MoveToken(k.move) == MoveToken(m)) k.weight += e.weight, merged = true;
        if (!merged) moves.push_back({m, e.weight});
    }
    return moves;
}

bool BookChoose(POS_T* b, const std::string& path, bool best_only, MOVE_T* move) {
    const std::vector<BOOK_MOVE_T> moves = BookMoves(b, path);
    uint64_t total = 0;
    const BOOK_MOVE_T* best = nullptr;
    for (const BOOK_MOVE_T& k : moves) {
        total += k.weight;
        if (k.weight > 0 && (!best || k.weight > best->weight)) best = &k;
    }
    if (!best) return false;  // none, or only moves never to be played
    if (!best_only) {
        if (!seeded.exchange(true))
            BookSeed((uint64_t)std::chrono::steady_clock::now().time_since_epoch().count() ^
                     (uint64_t)std::chrono::system_clock::now().time_since_epoch().count());
        uint64_t r = NextRandom() % total;
        for (const BOOK_MOVE_T& k : moves) {
            if (r < k.weight) {
                best = &k;
                break;
            }
            r -= k.weight;
        }
    }
    *move = best->move;
    move->v = 0;
    return true;
}

bool BookProbe(POS_T* b, MOVE_T* move) {
    return BookChoose(b, BookFile(state.dmode), book_best_only.load(), move);
}
