#include <deque>
#include <mutex>

#include "search/search.h"

extern std::atomic<bool> engine_quit;

namespace {
std::mutex task_mutex;
std::deque<ENGINE_TASK_FN> queued;
std::atomic<bool> cancel{false};
std::atomic<int> pending{0};
}  // namespace

void EngineRunTask(ENGINE_TASK_FN task) {
    {
        std::lock_guard<std::mutex> lk(task_mutex);
        queued.push_back(std::move(task));
        pending++;
    }
    EngineNudge();
}

void EngineCancelTasks() {
    std::lock_guard<std::mutex> lk(task_mutex);
    pending -= (int)queued.size();
    queued.clear();
    cancel = true;
}

const std::atomic<bool>& EngineTaskCancel() { return cancel; }

bool EngineTasksPending() { return pending.load() > 0; }

void RunEngineTasks() {
    while (!engine_quit.load()) {
        ENGINE_TASK_FN task;
        {
            std::lock_guard<std::mutex> lk(task_mutex);
            if (queued.empty()) return;
            task = std::move(queued.front());
            queued.pop_front();
            // a cancel before this point was for the tasks before it
            cancel = false;
        }
        task();
        pending--;
    }
}
