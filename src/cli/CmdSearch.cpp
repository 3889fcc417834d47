// One search of a position, as the engine thread would run it.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.h"
#include "search/levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {
// The position searched, untouched by the search (which works on a copy):
// the move texts come from it.
POS_T* searched;
uint64_t start_ms;
int shown_depth;

// "e2e4 e4": the move's token and the program's text of it, "none -" for no move.
std::string MoveTexts(const MOVE_T& move) {
    if (IsZeroMove(&move)) return "none -";
    MOVE_T list[MOVE_LIST_SIZE];
    GetMoveCount(searched, list);
    MOVE_T m = move;
    const char* text = IsValidMove(searched, m) ? ShortDisambiguateMovestr(&m) : nullptr;
    return MoveToken(move) + " " + (text ? text : "-");
}

// --verbose: a line for every completed iteration. One cut short by the
// clock reports the depth before it again, and is not shown.
void ShowIteration(POS_T* root, MOVE_T* move, ETYPE_T value, int depth) {
    (void)root;
    if (depth <= shown_depth) return;
    shown_depth = depth;
    printf("iteration %d: move %s, value %s, nodes %llu, time %llu ms\n", depth, MoveTexts(*move).c_str(),
           EvalStr(value), (unsigned long long)nodes + (unsigned long long)quiesce_nodes,
           (unsigned long long)(TickCount() - start_ms));
    fflush(stdout);
}
}  // namespace

int CmdSearch(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    SEARCH_LIMITS_T limits;
    bool verbose = false;
    int level = LEVEL_FULL;
    for (int i = 0; i < argc; i++) {
        const char* a = argv[i];
        if (!strcmp(a, "--verbose")) {
            verbose = true;
        } else if (!strcmp(a, "--depth") || !strcmp(a, "--time")) {
            if (!ParseSearchLimit(argc, argv, &i, &limits, &opt)) return 2;
        } else if (!strcmp(a, "--level")) {
            if (!ParseLevel(argc, argv, &i, &level, &opt)) return 2;
        } else if (!strcmp(a, "--threads")) {
            if (!ParseThreads(argc, argv, &i, &opt)) return 2;
        } else if (!ParseCommonOption(argc, argv, &i, &opt)) {
            return 2;
        }
    }
    if (!CheckLevelAndDepth(opt)) return 2;
    if (limits.maxdepth > 0 && limits.seconds <= 0) {
        // a depth without a time: that depth, however long it takes
        limits.no_soft_limit = true;
        limits.seconds = 3600.0 * 24 * 30;
    } else {
        // a new iteration costs more than all before it
        limits.soft_seconds = limits.seconds / 2;
    }
    if (int rc = SetUpPosition(opt)) return rc;
    // a level plays through the difficulty field, which a ply limit would replace
    if (LevelRating(level)) StoreShared(state.maxdepth, level);
    searched = &state.position;
    shown_depth = 0;
    start_ms = TickCount();
    if (verbose) search_progress = ShowIteration;
    MOVE_T move;
    SEARCH_RESULT_T r;
    EngineSearch(searched, &move, limits, &r);
    search_progress = nullptr;
    printf("move %s\n", MoveTexts(move).c_str());
    printf("value %s\n", EvalStr(r.value));
    printf("depth %d\n", r.depth);
    printf("nodes %llu\n", (unsigned long long)r.nodes);
    printf("nps %llu\n", (unsigned long long)(r.elapsed_ms ? r.nodes * 1000 / r.elapsed_ms : r.nodes * 1000));
    printf("time %llu\n", (unsigned long long)r.elapsed_ms);
    return 0;
}
