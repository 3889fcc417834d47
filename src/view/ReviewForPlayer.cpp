// "Review game" in the window: the review runs as an engine task, the
// window shows its progress, then the marks and a note on the last marked
// move.
#include <cstdio>

#include "search/review.h"
#include "tamzor.h"
#include "search/search.h"
#include "viewlogic.h"

REVIEW_RUN_T review_run;

namespace {
// How long a position is searched in the window.
constexpr double WINDOW_REVIEW_SECONDS = 1.0;
}  // namespace

bool StartReviewForPlayer(double seconds) {
    if (review_run.phase.load() == REVIEW_RUNNING) {
        snprintf(info_string, sizeof info_string, "The review is still running (Esc stops it)");
        return false;
    }
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        const int first = state.oeb.inited ? state.oeb.pos_0.move_num : 0;
        if (state.position.move_num <= first) {
            snprintf(info_string, sizeof info_string, "No moves to review yet");
            return false;
        }
    }
    review_run.done = 0;
    review_run.total = 0;
    review_run.phase = REVIEW_RUNNING;
    snprintf(info_string, sizeof info_string, "Reviewing the game (Esc stops)");
    const double s = seconds > 0 ? seconds : WINDOW_REVIEW_SECONDS;
    EngineRunTask([s] {
        REVIEW_OPTIONS_T o;
        o.seconds = s;
        o.cancel = &EngineTaskCancel();
        o.progress = [](int done, int total) {
            review_run.total = total;
            review_run.done = done;
            CallRedraw();
        };
        GAME_REVIEW_T review;
        const bool done = ReviewGame(o, &review);
        if (done) {
            KeepReview(review);
            std::lock_guard<std::mutex> lk(review_run.mutex);
            review_run.summary = ReviewSummary(review);
        }
        review_run.phase = done ? REVIEW_FINISHED : REVIEW_STOPPED;
        CallRedraw();
    });
    return true;
}

bool CancelReviewForPlayer() {
    if (review_run.phase.load() != REVIEW_RUNNING) return false;
    EngineCancelTasks();
    return true;
}

bool TakeReviewOutcome() {
    const int phase = review_run.phase.load();
    if (phase == REVIEW_FINISHED) {
        // "White 1??, 2?; Black 1?!" from the counts
        int counts[2][4] = {};
        int last_marked = -1;
        {
            std::lock_guard<std::recursive_mutex> lock(GameMutex());
            for (int ply = 0; ply < state.position.move_num && ply < GAME_RECORD_SIZE; ply++) {
                REVIEW_PLY_T p;
                if (!ReviewedPly(ply, &p)) continue;
                counts[p.white ? 0 : 1][p.mark]++;
                if (p.mark != MARK_NONE) last_marked = ply;
            }
        }
        std::string text = "Review done:";
        for (int side = 0; side < 2; side++) {
            text += side ? "; Black" : " White";
            std::string marks;
            for (int m = MARK_BLUNDER; m >= MARK_INACCURACY; m--)
                if (counts[side][m])
                    marks += (marks.empty() ? " " : ", ") + std::to_string(counts[side][m]) +
                             MarkText((REVIEW_MARK_T)m);
            text += marks.empty() ? " no marks" : marks;
        }
        if (last_marked >= 0) text += ". " + ReviewNote(last_marked);
        snprintf(info_string, sizeof info_string, "%s", text.c_str());
        std::lock_guard<std::mutex> lk(review_run.mutex);
        printf("\nReview:\n%s", review_run.summary.c_str());
        if (last_marked >= 0) printf("%s\n", ReviewNote(last_marked).c_str());
        fflush(stdout);
    } else if (phase == REVIEW_STOPPED) {
        snprintf(info_string, sizeof info_string, "Review stopped");
    } else {
        return false;
    }
    review_run.phase = REVIEW_IDLE;
    return true;
}

std::string ReviewProgressText() {
    if (review_run.phase.load() != REVIEW_RUNNING) return "";
    const int total = review_run.total.load(), done = review_run.done.load();
    if (total <= 0) return "Reviewing the game (Esc stops)";
    char s[96];
    snprintf(s, sizeof s, "Reviewing the game: %d of %d positions (Esc stops)", done, total);
    return s;
}
