// The game the options name, reviewed: the annotated PGN on standard output,
// the progress and a summary a side on standard error.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli.h"
#include "search/review.h"
#include "tamzor.h"
#include "search/search.h"

namespace {
// A bar redrawn in place on a terminal; a plain line a position when
// standard error is a file or a pipe, which a log keeps readable.
void ShowProgress(int done, int total, bool terminal) {
    if (terminal) {
        constexpr int WIDTH = 30;
        const int filled = total ? done * WIDTH / total : WIDTH;
        fprintf(stderr, "\rreviewing [%s%s] %d/%d", std::string(filled, '#').c_str(),
                std::string(WIDTH - filled, '.').c_str(), done, total);
        if (done == total) fputc('\n', stderr);
    } else if (done > 0) {
        fprintf(stderr, "reviewed %d/%d\n", done, total);
    }
    fflush(stderr);
}
}  // namespace

int CmdReview(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    REVIEW_OPTIONS_T review_options;
    SEARCH_LIMITS_T depth_limit;
    for (int i = 0; i < argc; i++) {
        const char* a = argv[i];
        if (!strcmp(a, "--seconds")) {
            if (i + 1 >= argc) {
                fprintf(stderr, "tamzor-cli: --seconds needs a value\n");
                return 2;
            }
            const char* v = argv[++i];
            char* end;
            const double seconds = strtod(v, &end);
            if (!*v || *end || !(seconds >= 0.01 && seconds <= 3600)) {
                fprintf(stderr, "tamzor-cli: bad time '%s' (0.01 to 3600)\n", v);
                return 2;
            }
            char value[32];
            snprintf(value, sizeof value, "%g", seconds);
            if (!NoteOption(&opt, a, value)) return 2;
            review_options.seconds = seconds;
        } else if (!strcmp(a, "--depth")) {
            if (!ParseSearchLimit(argc, argv, &i, &depth_limit, &opt)) return 2;
        } else if (!ParseCommonOption(argc, argv, &i, &opt)) {
            return 2;
        }
    }
    if (depth_limit.maxdepth > 0) {
        review_options.maxdepth = depth_limit.maxdepth;
        // a depth without a time: that depth, however long it takes
        bool timed = false;
        for (const auto& [name, value] : opt.given) timed = timed || name == "--seconds";
        if (!timed) review_options.seconds = 0;
    }
    if (int rc = SetUpPosition(opt)) return rc;
    const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
    if (state.position.move_num <= first) {
        fprintf(stderr, "tamzor-cli: the game has no moves to review\n");
        return 2;
    }
    const bool terminal = isatty(2);
    review_options.progress = [terminal](int done, int total) { ShowProgress(done, total, terminal); };
    GAME_REVIEW_T review;
    WithoutConsole([&] { return ReviewGame(review_options, &review); });
    KeepReview(review);
    fputs(GamePgn(TAMZOR_OFF).c_str(), stdout);
    fputs(ReviewSummary(review).c_str(), stderr);
    return 0;
}
