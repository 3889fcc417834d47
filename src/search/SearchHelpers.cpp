// The helper threads of a search: parked between searches (their per-thread
// tables and caches stay warm), woken with a copy of the root.
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "search/search.h"

thread_local constinit bool search_helper;
thread_local constinit bool search_single_thread;
thread_local constinit uint64_t search_helper_nodes;

namespace {
std::atomic<int> thread_count{1};

// What a helper needs of the main thread's search.
struct JOB_T {
    POS_T root;
    uint64_t hashes[GAME_RECORD_SIZE];
    int ply_limit = 0;
    int mate_moves = 0;
    int side = 0;
    const std::vector<std::string>* only_moves = nullptr;
};

class HELPERS_C {
public:
    ~HELPERS_C() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        stop_ = true;
        wake_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    void Start(POS_T* root, int helpers) {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return running_ == 0; });
        while ((int)threads_.size() < helpers) {
            const int k = (int)threads_.size() + 1;
            threads_.emplace_back([this, k] { Body(k); });
        }
        job_.root = *root;
        memcpy(job_.hashes, active_hash_list, sizeof job_.hashes);
        job_.ply_limit = SearchPlyLimit();
        job_.mate_moves = search_mate_moves;
        job_.side = search_side;
        job_.only_moves = search_only_moves;
        wanted_ = helpers;
        stop_ = false;
        depth_ = 0;
        nodes_ = 0;
        running_ = helpers;  // counted now: Stop waits for every one of them
        generation_++;
        wake_.notify_all();
    }

    uint64_t Stop() {
        stop_ = true;
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return running_ == 0; });
        return nodes_;
    }

    void Depth(int depth) { depth_.store(depth, std::memory_order_relaxed); }

private:
    void Body(int k) {
        static thread_local JOB_T job;
        uint64_t seen = 0;
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
                if (quit_) return;
                seen = generation_;
                if (k > wanted_) continue;
                job = job_;
            }
            const uint64_t searched = Run(k, &job);
            std::lock_guard<std::mutex> lock(mutex_);
            nodes_ += searched;
            if (--running_ == 0) done_.notify_all();
        }
    }

    uint64_t Run(int k, JOB_T* job) {
        search_helper = true;
        active_hash_list = job->hashes;
        search_ply_limit = job->ply_limit;
        search_mate_moves = job->mate_moves;
        search_only_moves = job->only_moves;
        search_side = job->side;
        search_cancel = &stop_;
        POS_T* b = &job->root;
        // this thread's evaluation tables, as the main thread set its own
        RegenToPieces(b);
        Evaluate(b, INF_VALUE, SearchPlyLimit());
        EstimateGameStage(b, 1);
        b->oldb = nullptr;
        b->moves = nullptr;
        b->num_moves = 0;
        nodes = quiesce_nodes = 0;
        OrderClear(b->move_num);
        MOVE_T move;
        ZeroMove(&move);
        ETYPE_T v = 0;
        const int limit = imax(job->ply_limit, 3);
        // Odd helpers keep a ply ahead of the main thread, even ones at its
        // depth in another order of work: the table then holds results
        // the main thread has not reached yet.
        for (int depth = 2; depth < limit && !stop_.load(std::memory_order_relaxed); depth++) {
            depth = std::max(depth, depth_.load(std::memory_order_relaxed) + (k & 1));
            if (depth >= limit) break;
            v = MTDSearch(b, &move, depth, v);
        }
        const uint64_t searched = (uint64_t)nodes + (uint64_t)quiesce_nodes;
        search_cancel = nullptr;
        search_only_moves = nullptr;
        search_mate_moves = 0;
        search_ply_limit = 0;
        search_side = 0;
        active_hash_list = state.hash_list;
        return searched;
    }

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::vector<std::thread> threads_;
    JOB_T job_;
    uint64_t generation_ = 0;
    int wanted_ = 0;
    int running_ = 0;
    bool quit_ = false;
    uint64_t nodes_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> depth_{0};
};

HELPERS_C& Helpers() {
    static HELPERS_C helpers;
    return helpers;
}
}  // namespace

int MaxSearchThreads() { return (int)std::clamp(std::thread::hardware_concurrency(), 1u, 64u); }
void SetSearchThreads(int n) { thread_count = std::clamp(n, 1, MaxSearchThreads()); }
int SearchThreads() { return thread_count.load(); }

void HelpersStart(POS_T* root, int helpers) { Helpers().Start(root, helpers); }
uint64_t HelpersStop() { return Helpers().Stop(); }
void HelpersDepth(int depth) { Helpers().Depth(depth); }
