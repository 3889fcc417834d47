// The search: the transposition table and move ordering, alpha-beta and quiescence
// under the MTD(f) driver, the threads that search together, the engine thread,
// and work for it other than the computer's own moves.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tamzor.h"

// ---------------------------------------------------------------------------
// The transposition table's keys and the move-ordering memories
// ---------------------------------------------------------------------------

struct HVE_T {
    uint64_t v1[13][64];
    uint64_t v2[13][64];
};

extern bool ihv_initialized;

struct KILLER_T {
    MOVE_T k1;  // the last capture that caused a cut-off at this ply
    MOVE_T k2;  // the last quiet move that did
};

constexpr int MAX_PLY = 60;  // plies the per-ply search memories hold
constexpr uint64_t HISTORY_CAP = 1ull << 30;  // the most one move's cut-off history holds

// What one search thread learns about the order of moves as it goes, and
// its table counts: threads searching together share the table, but each
// keeps its own memories.
struct SEARCH_MEMORY_T {
    // cut-offs by move, 2^depth each; held at most HISTORY_CAP so that the
    // order built on it stays in an int however deep the search runs
    uint64_t history[64][64];
    KILLER_T killers[MAX_PLY];
    MOVE_T refutation[64][64];
    MOVE_T hash_move;
    int bad_updates, good_updates, hash_misses, hash_hits, hash_shallow;
    uint32_t epoch;  // the OrderReset these memories last followed
};
extern thread_local constinit SEARCH_MEMORY_T search_memory;
// How many times OrderReset was called.
uint32_t OrderEpoch();

// The transposition-table object: random key tables, key updates and the
// table itself, shared by every search thread without a lock. An entry is
// read and written word by word, and its hash2 is kept folded with its data:
// an entry read while another thread writes it fails the key check, so no
// thread takes a torn entry's move or value. The entries are allocated at
// the first use.
class HASH_C {
public:
    bool hash_table_initialized = false;
    HASHENTRY_T* hash_table = nullptr;   // hash_table_size entries; read them through FetchHash
    uint64_t hash_table_size = 0;
    char cret[30] = {};
    uint64_t hash_tag = 0;
    HVE_T hash_values;

    HASH_C();
    ~HASH_C();
    void HashValuesInit();
    // Piece p put on (or taken off) square pos: the same exclusive-or.
    void AddHash(POS_T* b, SQ_T pos, int p) {
        b->hash1 ^= hash_values.v1[p + 6][pos];
        b->hash2 ^= hash_values.v2[p + 6][pos];
    }
    void RemoveHash(POS_T* b, SQ_T pos, int p) { AddHash(b, pos, p); }
    // Where an attack board stands is part of a 3D position: the same men
    // with a board elsewhere have other moves, so neither the table nor the
    // repetition count may take one for the other. The term of board k on a
    // pin, applied again, takes it out. Bit 0 of hash1 stays the side's.
    static void BoardPinHash(POS_T* b, int k, int pin) {
        if (pin <= 0) return;  // the 8x8 game has no boards
        uint64_t x = (uint64_t)(k * 64 + pin) * 0x9E3779B97F4A7C15ull;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
        x ^= x >> 31;
        b->hash1 ^= x & ~1ull;
        b->hash2 ^= x * 0xD6E8FEB86659FD93ull;
    }
    void HashReset();
    // The table's values were found with the evaluation of one game stage:
    // a search in another stage clears it first.
    void MatchStage(int stage);
    // A table of about `megabytes` (the default is 48); the stored entries
    // go. Only while no search runs.
    void HashResize(uint64_t megabytes);
    // Every search thread's move-ordering memories start afresh (the calling
    // thread's now, the others' at their next search).
    void OrderReset();
    uint64_t GetIndex(POS_T* b);
    void HashChangeTag(int move_num);
    HASHENTRY_T* GetHashEntry(uint64_t index);
    // A copy of the entry of `b` in *out; false when the table holds none.
    bool FetchHash(POS_T* b, HASHENTRY_T* out);
    // The entry at `index` as stored (a torn one comes back with keys that
    // match no position), and an entry written there.
    void LoadEntry(uint64_t index, HASHENTRY_T* out) const;
    void StoreEntry(uint64_t index, const HASHENTRY_T& in);
    int CheckHash(POS_T* b, int depth, ETYPE_T testv, ETYPE_T* v, MOVE_T* move);
    int CheckHash2(POS_T* b, int depth, ETYPE_T testv, ETYPE_T* v);
    int CheckHashEtc(POS_T* b, MOVE_T* moves, int num_moves, int depth, ETYPE_T testv, ETYPE_T* v, MOVE_T* m1);
    void HashInsert(POS_T* b, int depth, ETYPE_T testv, ETYPE_T evaluation, MOVE_T* move);
    int HashOrdering(POS_T* b, MOVE_T* move, ETYPE_T testv);
    // Starts loading the buckets of the children of `b` by these moves.
    void PrefetchChildren(POS_T* b, MOVE_T* moves, int n);
    char* HashStats();

private:
    int last_move_num = 0;
    std::atomic<bool> table_dirty{false};  // something was stored since the last clear
    int table_stage = -1;      // the stage of the stored values; -1: none known yet
    void Allocate();
    void Release();  // gives the table back; Allocate makes a new one
    // The keys of the position after `move` as far as a plain move or
    // capture changes them (no move is made); the caller restores the keys.
    void LookAheadKeys(POS_T* b, MOVE_T* move);
};
int MaxDepthFunc(const HASHENTRY_T* he_t);
extern HASH_C hash_c;

// ---------------------------------------------------------------------------
// The engine thread (held while the game is changed wholesale)
// ---------------------------------------------------------------------------

void Clutch(int engage);

// ---------------------------------------------------------------------------
// Exchanges and draws as the search values them
// ---------------------------------------------------------------------------

// The value of a drawn position from White's point of view, with the
// computer's contempt for draws.
ETYPE_T DrawValue();

// Static exchange estimate on the attack maps, White (W) or Black (B) to
// move: that side's material balance after the captures. The position is
// changed while it runs and restored before it returns.
int MiniQuiesceW(POS_T* b, uint64_t caplist, uint64_t donelist, int beta, int ply);
int MiniQuiesceB(POS_T* b, uint64_t caplist, uint64_t donelist, int beta, int ply);
// One capture of the estimate played on the maps (2D: with the slider step)
// and taken back; the attack sets the slider step changed are kept in
// MQ_SAVED_T and restored in reverse order.
struct MQ_SAVED_T {
    int n = 0;
    SQ_T sq[8];
    uint64_t set[8];
};
uint64_t MiniQuiesceCapture(POS_T* b, int attacker, int victim, uint64_t caplist, uint64_t donelist,
                            MQ_SAVED_T* saved);
void MiniQuiesceUndo(POS_T* b, int attacker, int victim, SQ_T from, int victim_code, const MQ_SAVED_T* saved);

// ---------------------------------------------------------------------------
// Search: alpha-beta, quiescence, ordering, MTD(f) driver, engine thread
// ---------------------------------------------------------------------------

extern thread_local constinit int nodes;
extern thread_local constinit int quiesce_nodes;
extern thread_local constinit int quiesce_start_ply;
extern thread_local constinit int search_depth;
extern thread_local constinit int null_ply[MAX_PLY];
extern thread_local constinit int mtd_count;
extern thread_local constinit int si_converged;

// The game's hash list that moves write and repetition reads: the live
// record, or a search's private copy of it (a search runs lines far past the
// game's end that must not touch the record).
extern thread_local constinit uint64_t* active_hash_list;

inline ETYPE_T flipv(ETYPE_T testv) { return 1 - testv; }
inline int ComputersMove(const POS_T* b) {
    bool computer_white = (b->flags & FLAG_TAMZOR_WHITE) != 0;
    return IsWhitesMove(b) == computer_white ? 1 : 0;
}

ETYPE_T abroot(POS_T* b, int depth, ETYPE_T testv, MOVE_T* move);
ETYPE_T abtest(POS_T* b, int depth0, ETYPE_T testv, int ply);
int DepthExtensions(POS_T* b, int depth, int ply, ETYPE_T v1, ETYPE_T testv);
void CutoffHint(POS_T* b, int m, int depth, int ply);
ETYPE_T StartQuiesce(POS_T* b, ETYPE_T testv, int ply);
ETYPE_T Quiesce(POS_T* b, ETYPE_T testv, int ply);
ETYPE_T QuiesceCheck(POS_T* b, ETYPE_T testv, int ply);
void OrderMoves(POS_T* b, MOVE_T* moves, int n, int ply, MOVE_T* m1, ETYPE_T testv);
int OrderFunction(POS_T* b, MOVE_T* m, int ply, ETYPE_T testv);
void OrderClear(int move_num);
void SortMoves(MOVE_T* m, int n);
void SimpleMerge(MOVE_T* m1, MOVE_T* m2, MOVE_T* d, int n1, int n2);
void RootMoves(POS_T* b, MOVE_T* move);
int TerribleMove(POS_T* b, MOVE_T* move, ETYPE_T* v);
ETYPE_T Search(POS_T* b, MOVE_T* move_t);
ETYPE_T MTDSearch(POS_T* b, MOVE_T* move, int depth, ETYPE_T guess);
int MtdConverged(POS_T* b, int alpha, int depth);
int SearchExpired();
// The side (1 White, -1 Black) the running search thinks for; 0 when none.
extern thread_local constinit int search_side;

// A search's own limits beside the whole-second clock, for the terminal
// tool: stop a new iteration once soft_deadline_ms (tick count) has passed;
// 0 = the window program's fixed rule.
extern std::atomic<uint64_t> soft_deadline_ms;
// Where the hard deadline may move once (tick count; 0 = it may not): an
// iteration whose value falls well below the last one's has found the move
// about to be played failing, and looks for another.
extern std::atomic<uint64_t> stretch_deadline_ms;
// Moves the hard deadline to stretch_deadline_ms, once.
void StretchDeadline();
// Set while the search thinks on the opponent's time (UCI go ponder): no
// soft limit ends it. Whoever set it sets the deadlines and clears it when
// the opponent plays the move expected.
extern std::atomic<bool> search_pondering;
// The window's choice to think on the player's time: while the player is
// to move, the engine thread searches their position, and the table it
// fills answers the computer's own search after their move. Off at first.
extern std::atomic<bool> ponder_on_players_time;
// One such search when it is wanted (the computer plays one side, the
// player is to move, nothing else is asked of the engine); it ends with
// the next nudge. The engine thread's loop calls it.
void ThinkOnPlayersTime();

// The live game is shared by the interface thread and the engine thread:
// whoever reads or changes state.position, the game record or the captured
// list holds this lock.
std::recursive_mutex& GameMutex();
void* MoveThread(void* parm);
void TamzorIdleFunc();
void TamzorLoses(const char* whylost);
// True while the engine thread exists.
bool EngineEngaged();
// Wakes the engine thread's poll at once (the game moved on).
void EngineNudge();
extern std::atomic<bool> makemovebusy;

// A search as the engine thread runs it (the computer plays the side to
// move), for the terminal tool, benchmarks and tests.
struct SEARCH_LIMITS_T {
    int maxdepth = 0;        // the ply limit (iterations stop below it); 0 keeps state.maxdepth
    int last_iteration = 0;  // the deepest iteration to search; 0 = none beyond maxdepth
    double seconds = 0;      // hard limit; 0 keeps the clock's whole-second limit
    double soft_seconds = 0; // no new iteration after this; 0 = the fixed rule
    bool no_soft_limit = false;  // deepen until the depth, the nodes, the hard limit or a stop
    uint64_t max_nodes = 0;  // stop once this many nodes were searched; 0 = no limit
    double stretch_seconds = 0;  // the hard limit grows to this when the value falls; 0 = it never does
    int mate_moves = 0;      // prove a mate in at most this many moves, or that none exists; 0 = play
    std::vector<std::string> only_moves;  // the root's moves to search (tokens); empty = all
    // An analysis (a hint, a review) beside the game: it plays for no side, so
    // the game's computer side and stop request are neither changed nor
    // obeyed; the search stops when this flag is set. It searches at full
    // strength unless `maxdepth` says otherwise.
    const std::atomic<bool>* cancel = nullptr;
    // The computer's move in a game: a move of the opening book, when it has
    // one, is played without a search (not with only_moves or mate_moves).
    bool book = false;
};
struct SEARCH_RESULT_T {
    ETYPE_T value = 0;       // for the side to move
    int depth = 0;           // deepest completed iteration
    uint64_t nodes = 0;      // interior and quiescence nodes
    uint64_t elapsed_ms = 0;
    bool book = false;       // the move came from the opening book (depth and value 0)
};
extern thread_local constinit int search_edepth;  // deepest completed depth of the last Search
// Iterations beyond this depth are not started (0: only the ply limit counts).
extern thread_local constinit int search_last_iteration;
// The running search ignores the soft limits (a fixed depth, an analysis).
extern thread_local constinit bool search_no_soft_limit;
// Interior and quiescence nodes after which the running search stops; 0 = none.
extern thread_local constinit uint64_t search_node_limit;
// A mate in at most this many moves is sought (0: an ordinary search). The
// search then prunes nothing before its depth, so an iteration of 2N - 1
// plies either finds the mate or proves there is none.
extern thread_local constinit int search_mate_moves;
// The running search's own ply limit, set by EngineSearch; 0 takes the
// game's (SearchPlyLimit, search/levels.h). Kept apart so that an analysis
// beside the game neither changes the game's setting nor is changed by it.
extern thread_local constinit int search_ply_limit;
// The deepest ply the running search has reached (quiescence included).
extern thread_local constinit int search_seldepth;
// The deepest iteration the running search has completed itself, 0 before
// the first: a depth taken from the table is not counted.
extern thread_local constinit int search_done_depth;
// When set, the root's moves are only these (move tokens), and the root's
// own table entry is neither trusted nor written: it holds the whole list's value.
extern thread_local constinit const std::vector<std::string>* search_only_moves;
// The stop flag of an analysis search (SEARCH_LIMITS_T::cancel); nullptr in a
// search for the computer's move.
extern thread_local constinit const std::atomic<bool>* search_cancel;
// Called after every iteration of Search with the root, the move and value
// so far and the completed depth (the terminal tool's UCI info lines).
using SEARCH_PROGRESS_FN = void (*)(POS_T* root, MOVE_T* move, ETYPE_T value, int depth);
extern thread_local constinit SEARCH_PROGRESS_FN search_progress;
ETYPE_T EngineSearch(POS_T* b, MOVE_T* move, const SEARCH_LIMITS_T& limits, SEARCH_RESULT_T* result);

// Several threads search together: each runs the iterative MTD(f) driver on
// the same root and they share the table, so that the helpers' results,
// found at other depths and in another order, answer the main thread's
// probes; the main thread's move is played. The count (1: the search runs
// alone) is read when a search starts; 1 to MaxSearchThreads().
void SetSearchThreads(int n);
int SearchThreads();
int MaxSearchThreads();  // the machine's cores, at most 64
// Set on a thread that helps another's search.
extern thread_local constinit bool search_helper;
// Set where this thread's searches must run alone (the weaker levels,
// whose strength was measured so).
extern thread_local constinit bool search_single_thread;
// Interior and quiescence nodes the helpers of the last search on this
// thread searched (0 without helpers).
extern thread_local constinit uint64_t search_helper_nodes;
// Starts `helpers` threads on the root, before the search changes it, and
// stops them (waiting until they have) with their node count.
void HelpersStart(POS_T* root, int helpers);
uint64_t HelpersStop();
// The depth the main thread is searching, for the helpers to keep ahead of.
void HelpersDepth(int depth);

// A task for the engine thread (a hint, an analysis, a game review). Tasks
// run there one at a time, in the order given, between the computer's moves,
// with the game lock free: a task takes it to copy what it needs. Searches
// run with SEARCH_LIMITS_T::cancel = &EngineTaskCancel() stop when the task
// is cancelled or the engine disengaged.
using ENGINE_TASK_FN = std::function<void()>;
void EngineRunTask(ENGINE_TASK_FN task);
// Drops the queued tasks and stops the running one's searches (the game
// moved on under it). A cancelled task still returns through its own code,
// which should then report nothing.
void EngineCancelTasks();
// The running task's stop flag.
const std::atomic<bool>& EngineTaskCancel();
// Tasks queued or running.
bool EngineTasksPending();
// Runs the queued tasks on the calling thread (the engine thread's loop).
void RunEngineTasks();

// The line the table holds from the root: the first move, then the stored
// move of each position reached, while it is a legal move of that position
// and the line does not come round again; `max_plies` at most. Read right
// after the search, before another one overwrites the table.
std::vector<MOVE_T> PrincipalLine(POS_T* root, const MOVE_T& first, int max_plies);
