// The engine thread: it plays under the game lock, stops at once when asked,
// and plays only listed moves whatever the table handed over; several threads
// on one search never see a mixed table entry. Run under ThreadSanitizer by
// `make test-tsan`.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "cli.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"
#include "engine_game.h"
#include "live_game.h"
#include "test_util.h"

namespace {

using namespace std::chrono_literals;
using GameLock = std::lock_guard<std::recursive_mutex>;

int MoveNum() {
    GameLock lock(GameMutex());
    return state.position.move_num;
}

// Polls `done` every `step` until it holds or `limit` passes.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit,
             std::chrono::milliseconds step = 1ms) {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
        if (done()) return true;
        std::this_thread::sleep_for(step);
    }
    return done();
}

// The engine thread plays the side to move (both sides when `both`) until the game
// ends, `plies` more are played or `limit` passes; returns what was printed.
std::string ComputerPlays(bool both, int plies, std::chrono::seconds limit) {
    {
        GameLock lock(GameMutex());
        state.demo_mode = both ? 1 : 0;
        StoreShared(state.tamzor, NextToPlay(&state.position));
    }
    const int target = MoveNum() + plies;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();  // fault reports
    Clutch(1);
    WaitFor([&] {
        TamzorIdleFunc();
        GameLock lock(GameMutex());
        return state.position.move_num >= target || state.position.winner != 0;
    }, limit, 2ms);
    Clutch(0);
    const std::string out = testing::internal::GetCapturedStdout();
    return out + testing::internal::GetCapturedStderr();
}

// Starts a long think for White and waits until it is under way.
void StartLongThink() {
    NewEngineGame(2);
    {
        GameLock lock(GameMutex());
        StoreShared(state.maxdepth, DIFF_HARD);
        timers.timer_limit = 300;
        StoreShared(state.tamzor, TAMZOR_WHITE);
    }
    Clutch(1);
    ASSERT_TRUE(WaitFor([] { return makemovebusy.load(); }, 10s));
}

TEST(EngineThread, DoesNothingWhenSwitchedOffAndClutchOffOrChangingSidesStopsASearch) {
    NewEngineGame(2);
    Clutch(1);
    std::this_thread::sleep_for(300ms);
    Clutch(0);
    EXPECT_EQ(MoveNum(), 0);
    StartLongThink();
    auto t0 = std::chrono::steady_clock::now();
    Clutch(0);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 5s);  // against a 300 s time limit
    EXPECT_FALSE(makemovebusy.load());
    EXPECT_FALSE(EngineEngaged());
    EXPECT_EQ(MoveNum(), 0);  // the interrupted search played nothing
    StartLongThink();
    StoreShared(state.tamzor, TAMZOR_BLACK);  // the computer now plays Black; White is to move
    EXPECT_TRUE(WaitFor([] { return !makemovebusy; }, 5s));
    EXPECT_EQ(MoveNum(), 0);
    Clutch(0);
}

// A tick count just past a whole second when the test began, where counting the
// limit in whole seconds would give the search a second more.
std::chrono::steady_clock::time_point ticks_zero;
uint64_t TicksJustPastASecond() {
    using std::chrono::milliseconds, std::chrono::steady_clock;
    return 1001 + (uint64_t)std::chrono::duration_cast<milliseconds>(steady_clock::now() - ticks_zero).count();
}

// The computer's reply comes within its time limit and a few tenths, and it
// uses that time (hard, from the start: nothing ends the search sooner).
TEST(EngineThread, TheReplyComesWithinTheTimeLimit) {
    NewEngineGame(2);
    {
        GameLock lock(GameMutex());
        StoreShared(state.maxdepth, DIFF_HARD);
        timers.timer_limit = 1;
    }
    uint64_t (*saved_ticks)() = tick_source;
    ticks_zero = std::chrono::steady_clock::now();
    tick_source = TicksJustPastASecond;
    StoreShared(state.tamzor, TAMZOR_WHITE);
    testing::internal::CaptureStdout();
    Clutch(1);
    WaitFor([] { return makemovebusy.load(); }, 20s);
    const auto start = std::chrono::steady_clock::now();
    WaitFor([] { return MoveNum() != 0; }, 20s);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Clutch(0);
    testing::internal::GetCapturedStdout();
    tick_source = saved_ticks;
    timers.timer_limit = 5;
    ASSERT_EQ(MoveNum(), 1);
    EXPECT_GE(took, 0.9);
    // late on a loaded machine, but short of the 2 s of counting whole seconds
    EXPECT_LT(took, 1.6);
}

// The engine plays both sides of a short game while this thread, like the window,
// reads the live position, lists its moves and builds the spread map; the record replays.
TEST(EngineThread, PlaysBothSidesWhileTheInterfaceWorksMeanwhile) {
    for (int dmode : {2, 3}) {
        NewEngineGame(dmode);
        {
            GameLock lock(GameMutex());
            state.demo_mode = 1;
            StoreShared(state.tamzor, TAMZOR_WHITE);
        }
        testing::internal::CaptureStdout();
        Clutch(1);
        int queries = 0;
        MOVE_T list[MOVE_LIST_SIZE];
        WaitFor([&] {
            TamzorIdleFunc();
            GameLock lock(GameMutex());
            POS_T* b = &state.position;
            if (b->move_num >= 8 || b->winner) return true;
            int n = GetMoveCount(b, list);
            EXPECT_GT(n, 0);
            if (n == 0) return true;
            state.selected = list[queries % n].from;
            GenerateSpreadmap(b);
            POS_T copy = *b;
            MOVE_T m = list[queries % n];
            DoMove(&copy, b, &m);
            queries++;
            return false;
        }, 60s, 0ms);
        Clutch(0);
        const std::string out = testing::internal::GetCapturedStdout();
        ASSERT_GE(MoveNum(), 6) << "dmode " << dmode;
        EXPECT_NE(out.find("\n1. "), std::string::npos) << out;
        EXPECT_NE(out.find("\n1. ... "), std::string::npos) << out;
        EXPECT_GT(queries, 10);
        // the record replays from the start: every move the engine played is legal
        GameLock lock(GameMutex());
        const int n = state.position.move_num;
        Quietly([&] { EXPECT_TRUE(RebuildGame(n, false, "test", "record does not replay")); });
        EXPECT_EQ(state.position.move_num, n);
        EXPECT_EQ(state.dmode, dmode);
    }
}

// A task that searches a copy of the live position for `seconds`.
std::function<void()> AnalysisTask(double seconds, MOVE_T* found, std::atomic<bool>* started,
                                   std::atomic<bool>* done) {
    return [=] {
        static POS_T copy;
        {
            GameLock lock(GameMutex());
            copy = state.position;
        }
        SEARCH_LIMITS_T limits;
        limits.seconds = seconds;
        limits.no_soft_limit = seconds > 1;
        limits.cancel = &EngineTaskCancel();
        *started = true;
        EngineSearch(&copy, found, limits, nullptr);
        *done = true;
    };
}

// Work beside the game (a hint, a review) runs on the engine thread, plays
// for no side and leaves the game as it was; a cancel stops it at once.
TEST(EngineThread, TasksAnalyseBesideTheGame) {
    for (int dmode : {2, 3}) {
        NewEngineGame(dmode);
        {
            GameLock lock(GameMutex());
            StoreShared(state.tamzor, TAMZOR_BLACK);  // the player (White) is on move
            StoreShared(state.stop_search, 1);
        }
        Clutch(1);
        std::atomic<bool> started{false}, done{false}, second{false};
        MOVE_T found, m;
        ZeroMove(&found);
        EngineRunTask(AnalysisTask(0.5, &found, &started, &done));
        EXPECT_TRUE(WaitFor([&] { return done.load(); }, 20s, 5ms)) << "dmode " << dmode;
        EXPECT_FALSE(EngineTasksPending());
        {
            GameLock lock(GameMutex());
            EXPECT_TRUE(ListedMove(&state.position, &found)) << "dmode " << dmode;
            EXPECT_EQ(LoadShared(state.tamzor), TAMZOR_BLACK);
            EXPECT_EQ(LoadShared(state.stop_search), 1);
            EXPECT_EQ(state.position.move_num, 0);
        }
        // a long analysis cancelled, and a task queued behind it dropped
        started = done = false;
        EngineRunTask(AnalysisTask(60, &m, &started, &done));
        EngineRunTask([&] { second = true; });
        timers.timer_limit = 10;
        WaitFor([&] { return started.load(); }, 20s, 5ms);
        std::this_thread::sleep_for(100ms);
        // the analysis's own limit leaves the player's, which a menu shows and a choice changes
        EXPECT_EQ(timers.timer_limit.load(), 10u);
        EXPECT_EQ(timers.LimitS(), 60u);
        timers.timer_limit = 30;
        EngineCancelTasks();
        EXPECT_TRUE(WaitFor([&] { return done.load(); }, 20s, 5ms));
        EXPECT_EQ(timers.timer_limit.load(), 30u) << "a choice made meanwhile stays";
        EXPECT_EQ(timers.LimitS(), 30u);
        timers.timer_limit = 5;
        Clutch(0);
        EXPECT_FALSE(second);
        EXPECT_FALSE(EngineTasksPending());
    }
}

// --- several threads on one search ---------------------------------------------

POS_T KeyedPosition(uint64_t bucket, uint64_t salt) {
    POS_T p{};
    p.hash1 = bucket + salt * hash_c.hash_table_size;
    p.hash2 = salt * 0x9E3779B97F4A7C15ull + 1;
    return p;
}

// An entry read while another thread writes it is the old one, the new one
// or none: every mix of the two writes' words is refused. Writers racing on
// a few buckets never show a reader an entry other than its writer's.
TEST(EngineThreads, AnEntryIsWholeOrNotAtAll) {
    hash_c.HashReset();
    hash_c.HashChangeTag(0);
    POS_T p = KeyedPosition(800, 3);
    MOVE_T m1, m2;
    InitMove(&m1, W_KNIGHT, G1, F3, 0, '-', false);
    InitMove(&m2, W_PAWN, E2, E4, 0, '-', false);
    constexpr int WORDS = sizeof(HASHENTRY_T) / 8;
    uint64_t* raw = reinterpret_cast<uint64_t*>(&hash_c.hash_table[0]) + hash_c.GetIndex(&p) * WORDS;
    HASHENTRY_T a, b, got;
    uint64_t old_words[WORDS], new_words[WORDS];
    hash_c.HashInsert(&p, 3, 0, 100, &m1);
    ASSERT_TRUE(hash_c.FetchHash(&p, &a));
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
    constexpr int KEYS = 12;
    auto value_of = [](int key, int depth) { return (ETYPE_T)(key * 1000 + depth); };
    std::atomic<bool> stop{false};
    auto writer = [&](int first) {
        for (int i = 0; !stop.load(std::memory_order_relaxed); i++) {
            const int key = (first + i) % KEYS, depth = 1 + i % 20;
            POS_T q = KeyedPosition(900 + 2 * (key % 3), key + 1);
            MOVE_T m;
            InitMove(&m, W_PAWN, (SQ_T)(key % 64), (SQ_T)(depth % 64), 0, '-', false);
            hash_c.HashInsert(&q, depth, 0, value_of(key, depth), &m);
        }
    };
    std::thread w1(writer, 0), w2(writer, 5);
    int found = 0;
    for (const auto end = std::chrono::steady_clock::now() + 1s; std::chrono::steady_clock::now() < end;) {
        for (int key = 0; key < KEYS; key++) {
            POS_T q = KeyedPosition(900 + 2 * (key % 3), key + 1);
            HASHENTRY_T e;
            if (!hash_c.FetchHash(&q, &e)) continue;
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
    const int saved_threads = SearchThreads();
    SetSearchThreads(3);
    Live2D("r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1");  // mate in two
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
    EXPECT_TRUE(WaitFor([&] { return done.load(); }, 10s, 5ms));
    worker.join();
    // and the next search, alone, is as it would be
    SetSearchThreads(1);
    root = state.position;
    EngineSearch(&root, &move, limits, &r);
    EXPECT_EQ(MoveToken(move), "d5f6");
    EXPECT_EQ(search_helper_nodes, 0u);
    SetSearchThreads(saved_threads);
}

// With "think on your time" on, the engine fills the table while the
// player is to move, and the player's move still gets its answer.
TEST(EngineThreads, ThinkingOnThePlayersTimeGivesWayToTheirMove) {
    NewEngineGame(2, RULES_TDCL, DIFF_HARD);
    {
        GameLock lock(GameMutex());
        StoreShared(state.tamzor, TAMZOR_BLACK);  // the player (White) is on move
        timers.timer_limit = 1;
    }
    hash_c.HashReset();
    ponder_on_players_time = true;
    Clutch(1);
    EXPECT_TRUE(WaitFor([] {
        HASHENTRY_T e{};
        GameLock lock(GameMutex());
        return hash_c.FetchHash(&state.position, &e) && e.depth_low >= 4;
    }, 20s, 50ms)) << "the player's position was searched";
    testing::internal::CaptureStdout();
    {
        GameLock lock(GameMutex());
        MOVE_T m;
        std::string error;
        ASSERT_TRUE(MoveFromToken(&state.position, "e2e4", &m, &error)) << error;
        ASSERT_TRUE(PlayerMoved(&state.position, &m));
    }
    const bool answered = WaitFor([] { return MoveNum() >= 2; }, 20s, 20ms);
    ponder_on_players_time = false;
    Clutch(0);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(answered) << "the computer answered the player's move";
}

// --- the computer's moves ------------------------------------------------------

// The table's entry for the root names a move by its squares alone; with a
// ply limit the entry's depth already meets, that move is what is played.
void SeedRootMove(SQ_T from, SQ_T to) {
    GameLock lock(GameMutex());
    POS_T* b = &state.position;
    EstimateGameStage(b, 1);  // as the engine will: no table reset after seeding
    hash_c.HashChangeTag(b->move_num);
    MOVE_T m;
    InitMove(&m, b->board[from], from, to, 0, '?', false);
    hash_c.HashInsert(b, 20, 0, 0, &m);
}

TEST(ComputerMoves, CastlesWithItsRookWhenTheTableNamesTheKingsSquares) {
    // in 3D short castling exchanges king and rook; long brings the rook from
    // the queen-side board to the king's cell. NO_SQUARE: no cell left empty
    const struct {
        int dmode;
        SQ_T king_from, king_to, rook_to, rook_gone;
        char symbol;
    } cases[] = {{2, E1, G1, F1, H1, 'S'},        {2, E1, C1, D1, A1, 'L'}, {2, E8, G8, F8, H8, 'S'},
                 {2, E8, C8, D8, A8, 'L'},        {3, C1, D1, C1, NO_SQUARE, 'S'}, {3, C1, B1, C1, A1, 'L'},
                 {3, C8, D8, C8, NO_SQUARE, 'S'}, {3, C8, B8, C8, A8, 'L'}};
    for (const auto& c : cases) {
        const bool black = c.king_from == E8 || c.king_from == C8;
        SCOPED_TRACE(std::to_string(c.dmode) + "D " + (black ? "Black " : "White ") + c.symbol);
        NewEngineGame(c.dmode, RULES_TDCL, DIFF_EASY);
        {
            GameLock lock(GameMutex());
            std::string error;
            if (c.dmode == 2) {
                ASSERT_TRUE(SetUpFen("r3k2r/p7/8/8/8/8/P7/R3K2R w KQkq - 0 1", &error)) << error;
            } else {
                Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6},
                        {{C1, W_KING}, {D1, W_ROOK}, {A1, W_ROOK}, {A2, W_PAWN}, {C2, W_PAWN}, {D2, W_PAWN},
                         {F2, W_PAWN}, {C8, B_KING}, {D8, B_ROOK}, {A8, B_ROOK}, {A7, B_PAWN}, {C7, B_PAWN},
                         {D7, B_PAWN}, {F7, B_PAWN}},
                        true, 0xF);
                StoreShared(state.maxdepth, DIFF_EASY);
            }
            // Black to move first for Black's cases: a waiting move by White
            if (black) Quietly([&] { ASSERT_TRUE(PlayUserMoves(c.dmode == 2 ? "a2a3" : "f2f3", &error)) << error; });
        }
        SeedRootMove(c.king_from, c.king_to);
        const std::string out = ComputerPlays(false, 1, 60s);
        GameLock lock(GameMutex());
        ASSERT_EQ(state.position.move_num, 1 + black) << out;
        EXPECT_EQ(state.game_record[black].move_symbol, c.symbol) << out;
        EXPECT_EQ(state.position.board[c.king_to], black ? B_KING : W_KING) << out;
        EXPECT_EQ(state.position.board[c.rook_to], black ? B_ROOK : W_ROOK) << out;
        EXPECT_EQ(c.rook_gone == NO_SQUARE ? 0 : state.position.board[c.rook_gone], 0) << out;
        EXPECT_NE(out.find(c.symbol == 'S' ? "O-O" : "O-O-O"), std::string::npos) << out;
    }
}

TEST(ComputerMoves, ATableMoveThePositionLacksIsNotPlayedAndCastlingMates) {
    // another position's move under this position's keys: a king two steps
    NewEngineGame(2, RULES_TDCL, DIFF_EASY);
    SeedRootMove(E1, E3);
    std::string out = ComputerPlays(false, 1, 60s);
    {
        GameLock lock(GameMutex());
        EXPECT_EQ(out.find("TamzorLoses"), std::string::npos) << out;
        ASSERT_EQ(state.position.move_num, 1) << out;
        EXPECT_EQ(state.position.winner, 0);
        EXPECT_FALSE(state.game_record[0].from == E1 && state.game_record[0].to == E3);
    }
    // the only mates: the rook comes to f1 (d1) with the king covering g2 (c2)
    for (auto [fen, rook_to] : {std::pair<const char*, SQ_T>{"4R3/8/5N2/7N/8/5k2/8/4K2R w K - 0 1", F1},
                                {"4R3/8/8/NN6/8/3k4/8/R3K3 w Q - 0 1", D1}}) {
        SCOPED_TRACE(fen);
        NewEngineGame(2, RULES_TDCL, DIFF_EASY);
        {
            GameLock lock(GameMutex());
            std::string error;
            ASSERT_TRUE(SetUpFen(fen, &error)) << error;
        }
        out = ComputerPlays(false, 1, 60s);
        GameLock lock(GameMutex());
        EXPECT_EQ(state.position.board[rook_to], W_ROOK) << out;
        EXPECT_EQ(state.position.winner, 1) << out;
        EXPECT_NE(out.find("O-O"), std::string::npos) << out;
    }
}

}  // namespace
