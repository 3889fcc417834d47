// A fixed set of positions searched to a fixed depth from a cleared table:
// the node total is a signature of the search and the evaluation, and the
// speed a figure to compare builds by.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.h"
#include "tamzor.h"
#include "board/board.h"
#include "eval/eval.h"
#include "search/search.h"

namespace {
struct BENCH_POSITION_T {
    const char* name;
    const char* moves;
};

// Openings, middle games and endings of each game, reached by move lists.
const BENCH_POSITION_T bench_2d[] = {
    {"start", ""},
    {"ruy lopez", "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7"},
    {"nimzo-indian", "d2d4 g8f6 c2c4 e7e6 b1c3 f8b4 d1c2 e8g8 a2a3 b4c3 c2c3"},
    {"sicilian", "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6"},
    {"giuoco piano", "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 c2c3 g8f6 d2d4 e5d4 c3d4 c5b4 c1d2 b4d2 b1d2 d7d5 e4d5 "
                     "f6d5 d1b3 c6e7 e1g1 c7c6 f1e1 e8g8"},
    {"open middle game", "a2a4 b7b5 a4b5 d7d6 a1a7 f7f5 b5b6 h7h6 c2c4 f5f4 d1a4 c7c6 a4a2 c8h3 g1f3 h3d7 a7a8 "
                         "d8b6 a8b8 b6b8 e2e3 b8b5 g2g4 e7e6"},
    {"rook ending", "c2c4 h7h5 g1h3 b8a6 d2d4 h8h6 c1h6 g8h6 d1a4 h6g8 a4d7 e8d7 g2g3 d8e8 h3g5 b7b5 c4b5 g8h6 "
                    "b5a6 c8a6 g5f7 a6e2 f1e2 h6f7 e2h5 e7e5 h5f7 a8d8 d4e5 e8f7 b2b4 f8b4 e1e2 f7f2 e2f2 d8a8 f2g2 "
                    "b4f8 h2h4 d7e8 h1h2 e8d7 g2h1 a7a5 h1g2 f8e7 e5e6 d7e6 g2g1 e6f7 b1c3 e7h4 h2h4 a8h8 h4h8 g7g5 "
                    "a2a3 f7f6 a1e1 f6g7 e1a1 g7h8"},
    {"minor piece ending", "c2c4 d7d6 b1c3 g8f6 d1b3 d8d7 b3b7 c8b7 h2h4 b7g2 f1g2 h7h5 g2a8 a7a5 g1f3 f6g4 "
                           "d2d3 g4f2 e1f2 g7g5 f3g5 b8c6 g5f7 e8f7 a8c6 d7c6 a1b1 e7e6 f2g1 c6c4 d3c4 f8h6 c1h6 "
                           "h8h6 b1a1 c7c5 c3e4 h6g6 g1f1 g6h6 e4d6 f7g8 d6c8 g8f7 b2b3 e6e5 f1e1 f7g6 e2e3 g6f7 "
                           "b3b4 c5b4 h1g1 f7f8 e1d1 b4b3 a2b3 h6a6 a1a5 a6a5"},
};

const BENCH_POSITION_T bench_3d[] = {
    {"start", ""},
    {"opening a", "g2g4 h7h5 f2f4 g8h7 g4h5 h7f5 h2d4 g7c5"},
    {"opening b", "h1c3 f7b6 h2d4 h7d6 f2b4 e8f6 c2d3 f6a4"},
    {"middle game a", "f2b4 f7f5 h2h4 h8g6 e1b3 h7d6 b3e1 g7c6 h4h5 c6h5 g2g3 g8e6 e2a4 f5a4 g3g4 a4a3 c1d1 "
                      "g6b4 g1e3 f8g7 f1d3 g7h8 g4g5 d6g5 d3g4 b4g6 g4h5 e6g8 h1c3 c8d8"},
    {"middle game b", "e2a3 h8c6 h2h3 f7b6 e1b3 c6h8 h1c3 g7c5 b3c5 e8g7 c5h7 d7h7 c2h2 d8d2 d1d2 g7e6 f2f3 "
                      "h8g6 d2d8 c8d8 c3h5 g6h4 c1c2 h4f3 h5b6 f3g1 c2g1 e7b6 klw@kl2 b7e7"},
    {"ending a", "e2e4 c8d8 g2g4 e7a6 e1f3 f7b6 b1e1 a6e5 f3e5 b6e5 e1a4 e8b6 a4h7 b6h7 f1h3 g7c6 e4a5 f8h6 f2f3 "
                 "c6c5 f3f4 h6g5 f4g5 h7g5 h3b1 b7e7 h1f2 g5e4 f2e4 h8f7 e4c5 f7a5 c5f3 a5b3 f3e5 b3b2 e5f3 b2f3 "
                 "h2h4 f3g1 c1g1 e7e6 h4h5 c7h6 g1h1 g8f7 b1h3 f7h5 g4h5 c8h7 h3e6 b8e6 d1b1 e6b1 a1b1 h7c8 b1a6 "
                 "c8b8 a6h6 b8e5 c2d3 e5h5 h6h5 a8c8 h5c8 d8c8 qlw@ql2 c8h8 klw@kl2 h8c8"},
    {"ending b", "g2c3 h7d5 f2f3 e7e6 f3f4 d5h4 c3h4 h8g6 h4d5 g6f4 c1d1 f4e2 f1e2 b7a6 e1f3 g7g5 f3g5 f8g7 "
                 "g5a6 f7a6 e2b3 e6a5 b3e4 c8h8 e4d7 h8d7 h2d3 g7h6 b2e2 g8e6 d5d6 e6d3 b1b2 b8d6 g1a3 h6a3 c2h2 "
                 "a3c1 d1c1 a5a4 e2e3 d6e3 b2e3 e8f6 e3d3 f6h5 d3a6 c7d6 a6d6 d8c8 d6c8 d7c8 h2h3 h5c3 h1c3 c8c7 "
                 "c3a4 c7h7 a4b6 h7d7 a1b1 d7h8 b1a4 a8c8 a4b1 h8g7 b1e2 g7b6 e2a6 b6a6"},
    {"ending c", "h1g3 g7g5 f2b4 f7b6 b4g5 b6g5 e2e4 g5g4 h2h3 g4h3 g2h3 e7e6 g1f2 b7e7 c1g1 e8f6 c2d3 f6e4 "
                 "g3e4 c8d8 e1g2 h7h6 d1c1 h8g6 g2e1 g8h7 e1b3 g6f4 f2h4 b8b7 h4e7 h7e4 e7f8 b7f8 c1c2 f4h3 c2h3 "
                 "f8b3 h3b3 e4b3 b2e2 b3e2 f1h3 e2a2 d3d4 a2b1 h3b1 a8b8 a1a7 c8h8 a7c7 d8c7 klw@kl3 b8a6 "
                 "qlw@ql2 a6b1 g1h1 b1d4 d2d4 c7h7 h1d1 h7c7 d1c2 h8h7 c2h4 h7e7 h4h3 c7d8 h3d1 h6d5"},
};
}  // namespace

int CmdBench(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    int depth = 0;
    for (int i = 0; i < argc; i++) {
        if (!strcmp(argv[i], "--depth")) {
            SEARCH_LIMITS_T limits;
            if (!ParseSearchLimit(argc, argv, &i, &limits, &opt)) return 2;
            depth = limits.maxdepth - 1;
        } else if (!strcmp(argv[i], "--threads")) {
            if (!ParseThreads(argc, argv, &i, &opt)) return 2;
        } else if (!strcmp(argv[i], "--2d") || !strcmp(argv[i], "--3d") || !strcmp(argv[i], "--rules")) {
            if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
        } else {
            fprintf(stderr, "tamzor-cli: unknown option '%s'\n", argv[i]);
            return 2;
        }
    }
    if (!CheckOptionPairs(opt)) return 2;
    const bool two = opt.dmode == 2;
    // deep enough that the speed it reports is the search's, not its start's
    if (!depth) depth = 9;
    const BENCH_POSITION_T* set = two ? bench_2d : bench_3d;
    const int count = two ? (int)(sizeof bench_2d / sizeof *bench_2d) : (int)(sizeof bench_3d / sizeof *bench_3d);
    uint64_t total = 0, ms = 0;
    for (int k = 0; k < count; k++) {
        CLI_OPTIONS_T o = opt;
        o.moves = set[k].moves;
        if (int rc = SetUpPosition(o)) return rc;
        // a cleared table and memories: the same search every run
        hash_c.HashReset();
        hash_c.OrderReset();
        hash_c.hash_tag = 0;
        // the game's full ply limit, so quiescence is not cut short; only the
        // iterations stop at the bench depth
        SEARCH_LIMITS_T limits;
        limits.maxdepth = DIFF_HARD;
        limits.last_iteration = depth;
        limits.seconds = 3600;
        MOVE_T move;
        SEARCH_RESULT_T r;
        EngineSearch(&state.position, &move, limits, &r);
        total += r.nodes;
        ms += r.elapsed_ms;
        printf("%d %-20s %-8s %8s %10llu\n", k + 1, set[k].name, IsZeroMove(&move) ? "none" : MoveToken(move).c_str(),
               EvalStr(r.value), (unsigned long long)r.nodes);
        fflush(stdout);
    }
    printf("Total nodes: %llu\n", (unsigned long long)total);
    printf("Nodes per second: %llu\n", (unsigned long long)(ms ? total * 1000 / ms : total * 1000));
    printf("Time: %.3f s\n", ms / 1000.0);
    return 0;
}
