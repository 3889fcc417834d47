// One search of a position, as the engine thread would run it.
#include <cstdio>
#include <cstring>

#include "cli.h"

int CmdSearch(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    SEARCH_LIMITS_T limits;
    bool verbose = false;
    for (int i = 0; i < argc; i++) {
        const char* a = argv[i];
        if (!strcmp(a, "--verbose")) {
            verbose = true;
        } else if (!strcmp(a, "--depth") || !strcmp(a, "--time")) {
            if (!ParseSearchLimit(argc, argv, &i, &limits)) return 2;
        } else if (!ParseCommonOption(argc, argv, &i, &opt)) {
            return 2;
        }
    }
    // a new iteration costs more than all before it
    limits.soft_seconds = limits.seconds / 2;
    if (int rc = SetUpPosition(opt)) return rc;
    POS_T* b = &state.position;
    eval_show = verbose;
    MOVE_T move;
    SEARCH_RESULT_T r;
    EngineSearch(b, &move, limits, &r);
    eval_show = false;
    if (verbose) printf("\n");
    // the text of the move in the position searched
    MOVE_T list[MOVE_LIST_SIZE];
    GetMoveCount(b, list);
    const char* text = IsZeroMove(&move) ? nullptr : ShortDisambiguateMovestr(&move);
    printf("move %s %s\n", IsZeroMove(&move) ? "none" : MoveToken(move).c_str(), text ? text : "-");
    printf("value %s\n", EvalStr(r.value));
    printf("depth %d\n", r.depth);
    printf("nodes %llu\n", (unsigned long long)r.nodes);
    printf("nps %llu\n", (unsigned long long)(r.elapsed_ms ? r.nodes * 1000 / r.elapsed_ms : r.nodes * 1000));
    printf("time %llu\n", (unsigned long long)r.elapsed_ms);
    return 0;
}
