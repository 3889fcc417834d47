// What the fuzz targets share: a private working directory (saved games are
// written and read there), standard output thrown away (set
// TAMZOR_FUZZ_VERBOSE to see it), and a short search for what an input set up.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

inline void FuzzSetUp() {
    static bool done = false;
    if (done) return;
    done = true;
    static char dir[] = "/tmp/tamzor_fuzz_XXXXXX";
    if (mkdtemp(dir) && chdir(dir) == 0)
        atexit([] {
            // whatever the inputs wrote there goes with it
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        });
    if (!getenv("TAMZOR_FUZZ_VERBOSE") && !freopen("/dev/null", "w", stdout)) abort();
    timers.timer_limit = 5;  // as the terminal tool starts
}

// Each input starts without the saved game of the one before.
inline void FuzzForgetSavedGame() { std::remove("tamzor.sav"); }

// A property of accepted input that does not hold: a fault, whatever the input.
#define FUZZ_CHECK(cond)                                                                      \
    do {                                                                                      \
        if (!(cond)) {                                                                        \
            fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond);       \
            abort();                                                                          \
        }                                                                                     \
    } while (0)

// Every legal move of the position made and judged, then a shallow search:
// what a game in this position would do next.
inline void FuzzExercisePosition(POS_T* b) {
    MOVE_T legal[LEGAL_LIST_SIZE];
    const int n = LegalMoves(b, legal);
    for (int i = 0; i < n; i++) {
        POS_T child;
        MOVE_T m = legal[i];
        FUZZ_CHECK(DoMove(&child, b, &m) == 1);
        JudgeGame(&child);
    }
    LegalMoveTexts(b);
    Evaluate(b, INF_VALUE, 2);
    if (n > 0) {
        POS_T root = *b;
        MOVE_T move;
        SEARCH_LIMITS_T limits;
        limits.maxdepth = 3;
        limits.seconds = 2;
        SEARCH_RESULT_T r;
        EngineSearch(&root, &move, limits, &r);
        FUZZ_CHECK(!IsZeroMove(&move));
    }
}
