// Makes 3D mate problems: positions met in games of the computer against
// itself (from random openings, searched a few plies deep), each with a
// forced mate in 1 to 3 moves proven by exhaustive search, and all of its
// mating first moves. Writes them as PGN games with Board3D, Mate and
// Solutions tags, the form tests/data/mates-3d.pgn keeps them in.
//
//     mine_3d_mates [COUNT [SEED]] > tests/data/mates-3d.pgn
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

#include "cli.h"
#include "mate_prover.h"

namespace {
// The position as the problem file will give it back: rebuilt from its
// Board3D text, which forgets the game that led to it.
bool Rebuilt(const std::string& board3d, POS_T* p) {
    *p = POS_T{};
    std::string error;
    if (!ParseBoard3D(board3d, p, &error) || !CreatePBoard(p)) return false;
    UpdateMaps(p);
    DropStaleEnPassant(p);
    const bool white = IsWhitesMove(p);
    const SQ_T own = p->pieces[white ? 0 : 16].pos;
    if (p->topieces[own] & (white ? 0xFFFF0000ull : 0xFFFFull)) p->flags |= FLAG_IN_CHECK;
    return true;
}

// The shortest forced mate of the side to move, up to 3 moves; 0 for none.
int ShortestMate(POS_T* p) {
    for (int n = 1; n <= 3; n++)
        if (CanMate(p, n)) return n;
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const int want = argc > 1 ? atoi(argv[1]) : 120;
    std::mt19937 rng(argc > 2 ? (unsigned)atoi(argv[2]) : 2026);
    // the problems to the real standard output; the game's own record lines
    // to nowhere
    FILE* out = fdopen(dup(1), "w");
    if (!out || !freopen("/dev/null", "w", stdout)) return 1;
    int found[4] = {0, 0, 0, 0};
    std::set<std::string> seen;
    timers.timer_limit = 5;
    for (int game = 0; found[1] + found[2] + found[3] < want; game++) {
        CLI_OPTIONS_T opt;
        opt.dmode = 3;
        opt.rules = game % 2 ? RULES_TOURNAMENT : RULES_TDCL;
        if (!SetUpGame(opt)) return 1;
        static MOVE_T legal[LEGAL_LIST_SIZE];
        for (int ply = 0; ply < 240 && !state.position.winner; ply++) {
            POS_T* b = &state.position;
            const int n = LegalMoves(b, legal);
            if (!n) break;
            MOVE_T move = legal[rng() % n];
            if (ply >= 4) {
                SEARCH_LIMITS_T limits;
                limits.maxdepth = 5;
                limits.seconds = 2;
                SEARCH_RESULT_T r;
                MOVE_T searched;
                EngineSearch(b, &searched, limits, &r);
                if (!IsZeroMove(&searched) && rng() % 8) move = searched;
                const std::string board3d = Board3DText(b);
                POS_T p;
                if (r.value >= 400001 - 2 * 3 && !seen.count(board3d) && Rebuilt(board3d, &p)) {
                    seen.insert(board3d);
                    const int mate = ShortestMate(&p);
                    // not too many of the short ones
                    if (mate && found[mate] < (mate == 1 ? want / 4 : want / 2)) {
                        std::string solutions;
                        for (const MOVE_T& m : MatingMoves(&p, mate))
                            solutions += (solutions.empty() ? "" : " ") + MoveToken(m);
                        found[mate]++;
                        fprintf(out, "[Event \"3D mate in %d\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"%d\"]\n"
                               "[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n[Variant \"3D\"]\n[Rules \"%s\"]\n"
                               "[Board3D \"%s\"]\n[Mate \"%d\"]\n[Solutions \"%s\"]\n\n*\n\n",
                               mate, found[1] + found[2] + found[3], state.rules == RULES_TDCL ? "tdcl" : "tournament",
                               board3d.c_str(), mate, solutions.c_str());
                        fflush(out);
                        fprintf(stderr, "game %d ply %d: mate in %d (%d %d %d)\n", game, ply, mate, found[1],
                                found[2], found[3]);
                    }
                }
            }
            bool over;
            MOVE_T m = move;
            if (!PlayerMoved(b, &m)) break;
            over = JudgeGame(b) == 1;
            if (over) break;
        }
    }
    return 0;
}
