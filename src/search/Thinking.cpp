// The latest iteration of the engine thread's search, kept under a lock of
// its own so the window reads it without waiting for the game or the search.
#include <algorithm>
#include <mutex>

#include "search/thinking.h"
#include "tamzor.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
std::mutex thinking_mutex;
THINKING_T thinking;
thread_local uint64_t start_ms = 0;

// What every report says about the position it was made for.
THINKING_T ForRoot(POS_T* root) {
    THINKING_T t;
    t.root_hash = root->hash1;
    t.number = MoveNumberOfPly(root->move_num);
    t.black_first = !IsWhitesMove(root);
    return t;
}
}  // namespace

void ThinkingBegin(POS_T* root) {
    start_ms = TickCount();
    THINKING_T fresh = ForRoot(root);
    fresh.running = true;
    std::lock_guard<std::mutex> lk(thinking_mutex);
    thinking = fresh;
}

void ThinkingProgress(POS_T* root, MOVE_T* move, ETYPE_T value, int) {
    THINKING_T t = ForRoot(root);
    t.any = true;
    t.running = true;
    t.depth = search_done_depth;
    t.white_value = NextToPlay(root) * value;
    t.nodes = std::max<uint64_t>((uint64_t)nodes + (uint64_t)quiesce_nodes, 1);
    const uint64_t ms = TickCount() - start_ms;
    t.nps = ms ? t.nodes * 1000 / ms : t.nodes * 1000;
    if (!IsZeroMove(move)) t.line = LineTexts(root, PrincipalLine(root, *move, imax(t.depth, 1) + 8));
    std::lock_guard<std::mutex> lk(thinking_mutex);
    thinking = std::move(t);
}

void ThinkingBook(POS_T* root, const MOVE_T& move) {
    THINKING_T t = ForRoot(root);
    t.any = true;
    t.book = true;
    t.line = LineTexts(root, {move});
    std::lock_guard<std::mutex> lk(thinking_mutex);
    thinking = std::move(t);
}

void ThinkingEnd() {
    std::lock_guard<std::mutex> lk(thinking_mutex);
    thinking.running = false;
}

THINKING_T ThinkingNow() {
    std::lock_guard<std::mutex> lk(thinking_mutex);
    return thinking;
}

void ThinkingClear() {
    std::lock_guard<std::mutex> lk(thinking_mutex);
    thinking = THINKING_T();
}
