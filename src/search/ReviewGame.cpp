// One analysis a position of the live game, then each move weighed against
// the best move of the position before it.
#include <cstring>

#include "review.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "search/search.h"

extern std::atomic<bool> engine_quit;

namespace {
// The replay and the lines walked write their positions' keys into a list of
// their own: the live game's is left alone.
struct OWN_HASH_LIST_T {
    uint64_t* saved = active_hash_list;
    explicit OWN_HASH_LIST_T(uint64_t* own) { active_hash_list = own; }
    ~OWN_HASH_LIST_T() { active_hash_list = saved; }
};

const std::atomic<bool> never{false};

// The mover's value of a position the game ended in: mated, or a draw.
constexpr ETYPE_T MATED = -400000;
}  // namespace

bool ReviewGame(const REVIEW_OPTIONS_T& o, GAME_REVIEW_T* review) {
    *review = GAME_REVIEW_T();
    GAME_REVIEW_T r;
    std::vector<POS_T> positions;
    std::vector<MOVE_T> played;  // as the record holds them
    std::vector<MOVE_T> listed;  // as the move lists hold them
    int final_winner = 0;
    static thread_local uint64_t hashes[GAME_RECORD_SIZE];
    OWN_HASH_LIST_T own(hashes);
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        memcpy(hashes, state.hash_list, sizeof hashes);
        const int last = state.position.move_num < GAME_MAX_PLIES ? state.position.move_num : GAME_MAX_PLIES;
        positions.reserve(last + 2);
        POS_T start;
        if (state.oeb.inited) {
            start = state.oeb.pos_0;
            start.bc_active = nullptr;
            start.moves = nullptr;
            start.oldb = nullptr;
            CreatePBoard(&start);
            UpdateMaps(&start);
        } else {
            StartPosition(&start);
        }
        r.dmode = state.dmode;
        r.rules = state.rules;
        r.from_setup = state.oeb.inited;
        r.start_key = state.oeb.inited ? start.hash1 : 0;
        r.first = start.move_num < 0 ? 0 : start.move_num;
        positions.push_back(start);
        for (int ply = r.first; ply < last; ply++) {
            POS_T* pos = &positions.back();
            MOVE_T m = state.game_record[ply];
            POS_T child;
            MOVE_T made = m;
            if (!ListedMove(pos, &m) || !(made = m, DoMove(&child, pos, &made))) break;
            child.oldb = nullptr;
            child.flags &= ~(uint64_t)(FLAG_W_PROMOTED | FLAG_B_PROMOTED);
            played.push_back(state.game_record[ply]);
            listed.push_back(m);
            positions.push_back(child);
        }
        const char* why;
        POS_T end = positions.back();
        final_winner = JudgeReached(&end, "", &why);
    }
    const int n = (int)played.size();
    std::vector<ETYPE_T> value(n + 1, 0);
    std::vector<MOVE_T> best(n + 1);
    std::vector<std::vector<MOVE_T>> line(n + 1);
    // the game's end, when it has one, needs no search
    const int searched = final_winner ? n : n + 1;
    if (final_winner) value[n] = final_winner == 2 ? 0 : MATED;

    SEARCH_LIMITS_T limits;
    limits.cancel = o.cancel ? o.cancel : &never;
    limits.maxdepth = o.maxdepth;
    limits.no_soft_limit = true;  // a fixed time: the whole of it
    limits.seconds = o.seconds > 0 ? o.seconds : 3600.0 * 24 * 30;
    if (o.progress) o.progress(0, searched);
    for (int k = 0; k < searched; k++) {
        // a disengaged engine (a game loaded, the window closing) stops it too
        if (limits.cancel->load() || engine_quit.load()) return false;
        POS_T copy = positions[k];
        ZeroMove(&best[k]);
        value[k] = EngineSearch(&copy, &best[k], limits, nullptr);
        if (limits.cancel->load() || engine_quit.load()) return false;
        if (!IsZeroMove(&best[k])) line[k] = PrincipalLine(&positions[k], best[k], 7);
        if (o.progress) o.progress(k + 1, searched);
    }

    for (int k = 0; k < n; k++) {
        REVIEW_PLY_T p;
        p.move = played[k];
        p.white = IsWhitesMove(&positions[k]);
        p.before = value[k];
        p.after = -value[k + 1];
        p.after_known = !(k + 1 == n && final_winner && final_winner != 2);
        const bool best_played = !IsZeroMove(&best[k]) && MoveToken(best[k]) == MoveToken(listed[k]);
        p.loss = best_played ? 0 : ReviewLoss(p.before, p.after);
        p.mark = MarkForLoss(p.loss);
        p.text = ReviewLineText(&positions[k], {listed[k]});
        if (p.mark != MARK_NONE && !line[k].empty()) {
            p.better = line[k];
            p.line_pgn = ReviewLineText(&positions[k], line[k], r.dmode != 2);
            p.line_note = ReviewLineText(&positions[k], line[k]);
        }
        r.plies.push_back(std::move(p));
    }
    *review = std::move(r);
    return true;
}
