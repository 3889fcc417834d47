#include "tamzor.h"
#include "search/search.h"

thread_local constinit int nodes;
thread_local constinit int quiesce_nodes;
thread_local constinit int quiesce_start_ply;
thread_local constinit int search_depth;
thread_local constinit int null_ply[MAX_PLY];
thread_local constinit int mtd_count;
thread_local constinit int si_converged;
thread_local constinit uint64_t* active_hash_list = state.hash_list;
std::atomic<uint64_t> soft_deadline_ms{0};
std::atomic<uint64_t> stretch_deadline_ms{0};
std::atomic<bool> search_pondering{false};
std::atomic<bool> ponder_on_players_time{false};
thread_local constinit bool search_no_soft_limit;
thread_local constinit uint64_t search_node_limit;
thread_local constinit int search_mate_moves;
thread_local constinit int search_ply_limit;
thread_local constinit int search_seldepth;
thread_local constinit int search_done_depth;
thread_local constinit const std::vector<std::string>* search_only_moves;
thread_local constinit const std::atomic<bool>* search_cancel;
