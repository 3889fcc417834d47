// Several threads on one search: the shared table never hands out a mixed
// entry, helpers search along and stop with the main thread, and the window
// thinks on the player's time until the player moves. Run under
// ThreadSanitizer by `make test-tsan`.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "cli.h"
#include "engine_game.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"
#include "shell/shell.h"
#include "test_util.h"

namespace {

using namespace std::chrono_literals;

const char* const MATE_IN_TWO = "r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1";

POS_T KeyedPosition(uint64_t bucket, uint64_t salt) {
    POS_T p{};
    p.hash1 = bucket + salt * hash_c.hash_table_size;
    p.hash2 = salt * 0x9E3779B97F4A7C15ull + 1;
    return p;
}

// The threads setting for one test, put back after it.
struct THREADS_T {
    int saved = SearchThreads();
    explicit THREADS_T(int n) { SetSearchThreads(n); }
    ~THREADS_T() { SetSearchThreads(saved); }
};

// An entry read while another thread writes it is the old one, the new one
// or none: every mix of the two writes' words is refused.
TEST(EngineThreads, AnEntryIsWholeOrNotAtAll) {
    hash_c.HashReset();
    hash_c.HashChangeTag(0);
    POS_T p = KeyedPosition(800, 3);
    MOVE_T m1, m2;
    InitMove(&m1, W_KNIGHT, G1, F3, 0, '-', false);
    InitMove(&m2, W_PAWN, E2, E4, 0, '-', false);
    constexpr int WORDS = sizeof(HASHENTRY_T) / 8;
    const uint64_t slot = hash_c.GetIndex(&p);
    uint64_t* raw = reinterpret_cast<uint64_t*>(&hash_c.hash_table[0]) + slot * WORDS;
    hash_c.HashInsert(&p, 3, 0, 100, &m1);
    HASHENTRY_T a, b, got;
    ASSERT_TRUE(hash_c.FetchHash(&p, &a));
    uint64_t old_words[WORDS], new_words[WORDS];
    memcpy(old_words, raw, sizeof old_words);
    hash_c.HashInsert(&p, 7, 0, 900, &m2);
    ASSERT_TRUE(hash_c.FetchHash(&p, &b));
    memcpy(new_words, raw, sizeof new_words);
    ASSERT_NE(a.low, b.low);
    for (unsigned mask = 1; mask + 1 < 1u << WORDS; mask++) {
        for (int w = 0; w < WORDS; w++) raw[w] = mask >> w & 1 ? new_words[w] : old_words[w];
        if (!hash_c.FetchHash(&p, &got)) continue;
        const bool is_old = got.low == a.low && got.depth_low == a.depth_low && got.from == a.from;
        const bool is_new = got.low == b.low && got.depth_low == b.depth_low && got.from == b.from;
        EXPECT_TRUE(is_old || is_new) << "words from the new write: " << mask;
    }
    hash_c.HashReset();
}

// Writers race on a few buckets; every entry a reader finds holds the value
// its writer derived from its key and depth.
TEST(EngineThreads, RacingWritersNeverShowAMixedEntry) {
    hash_c.HashReset();
    hash_c.HashChangeTag(0);
    constexpr int KEYS = 12;
    auto value_of = [](int key, int depth) { return (ETYPE_T)(key * 1000 + depth); };
    std::atomic<bool> stop{false};
    auto writer = [&](int first) {
        for (int i = 0; !stop.load(std::memory_order_relaxed); i++) {
            const int key = (first + i) % KEYS, depth = 1 + i % 20;
            POS_T p = KeyedPosition(900 + 2 * (key % 3), key + 1);
            MOVE_T m;
            InitMove(&m, W_PAWN, (SQ_T)(key % 64), (SQ_T)(depth % 64), 0, '-', false);
            hash_c.HashInsert(&p, depth, 0, value_of(key, depth), &m);
        }
    };
    std::thread w1(writer, 0), w2(writer, 5);
    int found = 0;
    const auto end = std::chrono::steady_clock::now() + 1s;
    while (std::chrono::steady_clock::now() < end) {
        for (int key = 0; key < KEYS; key++) {
            POS_T p = KeyedPosition(900 + 2 * (key % 3), key + 1);
            HASHENTRY_T e;
            if (!hash_c.FetchHash(&p, &e)) continue;
            found++;
            ASSERT_EQ(e.low, value_of(key, e.depth_low)) << "key " << key;
            ASSERT_EQ(e.from, (uint32_t)(key % 64));
            ASSERT_EQ(e.to, (uint32_t)(e.depth_low % 64));
        }
    }
    stop = true;
    w1.join();
    w2.join();
    EXPECT_GT(found, 100);
    hash_c.HashReset();
}

// Helpers search along (their nodes count in the result), the main
// thread's answer is the mate, and a cancel ends them all at once.
TEST(EngineThreads, HelpersSearchAlongAndStopWithTheMainThread) {
    THREADS_T three(3);
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    ASSERT_TRUE(SetUpGame(opt));
    std::string error;
    ASSERT_TRUE(SetUpFen(MATE_IN_TWO, &error)) << error;
    hash_c.HashReset();
    SEARCH_LIMITS_T limits;
    limits.maxdepth = DIFF_HARD;
    limits.last_iteration = 5;
    limits.no_soft_limit = true;
    limits.seconds = 3600;
    MOVE_T move;
    SEARCH_RESULT_T r;
    POS_T root = state.position;
    EngineSearch(&root, &move, limits, &r);
    EXPECT_EQ(MoveToken(move), "d5f6");
    EXPECT_GE(r.value, 399999 - 3) << "a mate in two";
    EXPECT_GT(search_helper_nodes, 0u);
    EXPECT_GT(r.nodes, search_helper_nodes);

    // an analysis of an hour, cancelled
    std::atomic<bool> cancel{false}, done{false};
    std::thread worker([&] {
        SEARCH_LIMITS_T endless;
        endless.seconds = 3600;
        endless.no_soft_limit = true;
        endless.cancel = &cancel;
        POS_T copy = state.position;
        MOVE_T m;
        EngineSearch(&copy, &m, endless, nullptr);
        done = true;
    });
    std::this_thread::sleep_for(300ms);
    cancel = true;
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!done && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
    EXPECT_TRUE(done.load());
    worker.join();
    // and the next search, alone, is as it would be
    SetSearchThreads(1);
    root = state.position;
    EngineSearch(&root, &move, limits, &r);
    EXPECT_EQ(MoveToken(move), "d5f6");
    EXPECT_EQ(search_helper_nodes, 0u);
}

// With "think on your time" on, the engine fills the table while the
// player is to move, and the player's move still gets its answer.
TEST(EngineThreads, ThinkingOnThePlayersTimeGivesWayToTheirMove) {
    NewEngineGame(2, RULES_TDCL, DIFF_HARD);
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        StoreShared(state.tamzor, TAMZOR_BLACK);  // the player (White) is on move
        timers.timer_limit = 1;
    }
    hash_c.HashReset();
    ponder_on_players_time = true;
    Clutch(1);
    HASHENTRY_T e{};
    bool deep = false;
    for (auto end = std::chrono::steady_clock::now() + 20s; !deep && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(50ms);
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        deep = hash_c.FetchHash(&state.position, &e) && e.depth_low >= 4;
    }
    EXPECT_TRUE(deep) << "the player's position was searched";
    testing::internal::CaptureStdout();
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        MOVE_T m;
        std::string error;
        ASSERT_TRUE(MoveFromToken(&state.position, "e2e4", &m, &error)) << error;
        ASSERT_TRUE(PlayerMoved(&state.position, &m));
    }
    bool answered = false;
    for (auto end = std::chrono::steady_clock::now() + 20s; !answered && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(20ms);
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        answered = state.position.move_num >= 2;
    }
    ponder_on_players_time = false;
    Clutch(0);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(answered) << "the computer answered the player's move";
}

}  // namespace
