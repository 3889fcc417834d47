#include "tamzor.h"

thread_local int nodes;
thread_local int quiesce_nodes;
thread_local int quiesce_start_ply;
thread_local int search_depth;
thread_local int null_ply[MAX_PLY];
thread_local int mtd_count;
thread_local int si_converged;
thread_local constinit uint64_t* active_hash_list = state.hash_list;
std::atomic<uint64_t> soft_deadline_ms{0};
