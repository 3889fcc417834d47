// What the search offers beside the declarations of tamzor.h: work for the
// engine thread other than the computer's own moves.
#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "tamzor.h"

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
