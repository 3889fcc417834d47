// The engine thread: it watches the game, and when the computer is to move
// it searches a private copy of the position and plays the move it found.
// The live game is only touched under the game lock; the search itself runs
// on the copy, with its own hash list, so the interface stays free meanwhile.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <thread>

#include "book.h"
#include "levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"
#include "shell/clock.h"
#include "thinking.h"

std::atomic<bool> makemovebusy{false};
std::atomic<bool> engine_quit{false};
std::atomic<bool> ponder_cancel{false};

namespace {
std::mutex wake_mutex;
std::condition_variable wake;

// Takes the game lock, unless the engine is asked to stop meanwhile.
bool LockGame(std::unique_lock<std::recursive_mutex>* lock) {
    while (!lock->try_lock()) {
        if (engine_quit.load()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::atomic<unsigned> nudges{0};

// Sleeps up to 100 ms, waking at once when the engine is disengaged or the
// game moved on (a nudge).
void Pause() {
    const unsigned seen = nudges.load();
    std::unique_lock<std::mutex> lk(wake_mutex);
    wake.wait_for(lk, std::chrono::milliseconds(100), [seen] {
        return engine_quit.load() || nudges.load() != seen || EngineTasksPending();
    });
}

bool ComputerOnMove() {
    int tamzor = LoadShared(state.tamzor);
    return tamzor != TAMZOR_OFF && NextToPlay(&state.position) == tamzor && state.position.winner == 0 &&
           replay == -1;
}

// One move of the computer; false when the engine should stop trying.
void ThinkAndMove() {
    std::unique_lock<std::recursive_mutex> lock(GameMutex(), std::defer_lock);
    if (!LockGame(&lock)) return;
    if (!ComputerOnMove()) return;
    if (eval_show) printf("\nMakeMove");
    makemovebusy = true;
    POS_T* position = &state.position;
    if (IsWhitesMove(position))
        position->flags |= FLAG_TAMZOR_WHITE;
    else
        position->flags &= ~(uint64_t)FLAG_TAMZOR_WHITE;
    StoreShared(state.stop_search, 0);
    // A game already over (the opponent's last move ended it) is announced,
    // not played on.
    if (FindWinner(position, nullptr) || JudgeGame(position)) {
        makemovebusy = false;
        CallRedraw();
        return;
    }
    RegenToPieces(position);
    Evaluate(position, INF_VALUE, SearchPlyLimit());
    EstimateGameStage(position, 1);
    static POS_T copy;
    copy = *position;
    copy.oldb = nullptr;
    copy.moves = nullptr;
    copy.num_moves = 0;
    // the search writes its lines into a hash list of its own
    static uint64_t search_hashes[GAME_RECORD_SIZE];
    memcpy(search_hashes, state.hash_list, sizeof search_hashes);
    const int hide_ply = position->move_num;
    lock.unlock();

    active_hash_list = search_hashes;
    search_side = NextToPlay(&copy);
    timers.TimerStart();
    ClockSearchStart(search_side);  // a timed game's own clock, not the menu's limit
    MOVE_T move;
    ZeroMove(&move);
    // the window's thinking panel follows the search
    ThinkingBegin(&copy);
    search_progress = ThinkingProgress;
    const int rating = LevelRating(LoadShared(state.maxdepth));
    // a book move is played at once, without a search
    const bool from_book = book_on.load() && BookProbe(&copy, &move);
    if (from_book) ThinkingBook(&copy, move);
    ETYPE_T v = from_book ? 0 : rating ? LevelSearch(&copy, &move, rating) : Search(&copy, &move);
    search_progress = nullptr;
    ThinkingEnd();
    ClockSearchEnd();
    if (eval_show) printf("\nSearched %lu ms", (unsigned long)timers.TimerElapsedMs());
    timers.timer_state = TIMER_IDLE;
    search_side = 0;
    active_hash_list = state.hash_list;

    if (!LockGame(&lock)) {
        makemovebusy = false;
        return;
    }
    // The game may have changed while the computer thought (undo, a new
    // game, the computer switched off): then the move is dropped.
    if (position->hash1 != copy.hash1 || position->move_num != hide_ply || !ComputerOnMove() ||
        engine_quit.load()) {
        makemovebusy = false;
        return;
    }
    position->evaluation = NextToPlay(&copy) * v;
    move.v = position->evaluation;
    makemovebusy = false;
    // The move played is the legal list's own entry; the search gives one
    // whenever a legal move exists, and one that no longer fits is replaced
    // by the first legal move rather than giving the game up.
    if (IsZeroMove(&move) || !ListedMove(position, &move)) {
        static MOVE_T legal[4 * MOVE_LIST_SIZE];
        if (LegalMoves(position, legal) > 0) {
            move = legal[0];
            move.v = position->evaluation;
        } else {
            ZeroMove(&move);
        }
    }
    if (IsZeroMove(&move)) {
        TamzorLoses("Tamzor has no more moves");
    } else if (!LegalMove(position, &move, "MoveThread")) {
        TamzorLoses("Tamzor cannot move");
    } else if (!PlayerMoved(position, &move)) {
        TamzorLoses("Tamzor made a legal but illegal move");
    } else {
        // A move that ends the game is played like any other, so the board
        // shows it; the result is announced after it.
        JudgeGame(position, true);
    }
    CallRedraw();
}
}  // namespace

void* MoveThread(void* parm) {
    (void)parm;
    while (!engine_quit.load()) {
        ThinkAndMove();
        RunEngineTasks();
        ThinkOnPlayersTime();
        Pause();
    }
    return nullptr;
}

namespace {
// The engine thread; one still running when the program ends is stopped.
struct ENGINE_THREAD_T {
    std::thread thread;
    ~ENGINE_THREAD_T() {
        if (!thread.joinable()) return;
        engine_quit = true;
        thread.join();
    }
};
ENGINE_THREAD_T engine_thread;
std::thread& engine = engine_thread.thread;
}  // namespace

void Clutch(int start) {
    if (eval_show) printf("\nClutch %s", start ? "ON" : "OFF");
    if (!start) {
        if (!engine.joinable()) return;
        engine_quit = true;
        StoreShared(state.stop_search, 1);
        {
            std::lock_guard<std::mutex> lk(wake_mutex);
        }
        wake.notify_all();
        engine.join();
        engine_quit = false;
        makemovebusy = false;
        return;
    }
    if (!engine.joinable()) engine = std::thread(MoveThread, nullptr);
}

bool EngineEngaged() { return engine.joinable(); }

unsigned EngineNudges() { return nudges.load(); }

void EngineNudge() {
    {
        std::lock_guard<std::mutex> lk(wake_mutex);
        nudges++;
    }
    ponder_cancel = true;  // a search on the player's time gives way
    wake.notify_all();
}

std::recursive_mutex& GameMutex() {
    static std::recursive_mutex m;
    return m;
}

void TamzorIdleFunc() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    const int side = NextToPlay(&state.position);
    if (state.demo_mode && state.position.winner == 0 && side != LoadShared(state.tamzor)) {
        StoreShared(state.stop_search, 1);
        StoreShared(state.tamzor, side);
        EngineNudge();
    }
}

void TamzorLoses(const char* whylost) {
    Panic(false, whylost);
    const int tamzor = LoadShared(state.tamzor);
    printf("\nTamzorLoses:%s", tamzor == TAMZOR_WHITE ? "White" : "Black");
    fflush(stdout);
    StoreShared(state.tamzor, TAMZOR_OFF);
    // the side the computer did not play wins
    state.position.winner = tamzor == TAMZOR_WHITE ? -1 : 1;
    StoreShared(state.stop_search, 1);
}
