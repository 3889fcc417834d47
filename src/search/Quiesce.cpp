// Quiescence: stand pat on the evaluation, then forcing moves only.
#include <cstdlib>

#include "MateAdjust.h"
#include "levels.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"

ETYPE_T StartQuiesce(POS_T* b, ETYPE_T testv, int ply) {
    quiesce_start_ply = ply + 1;
    nodes++;
    return Quiesce(b, testv, ply + 1);
}

ETYPE_T QuiesceCheck(POS_T* b, ETYPE_T testv, int ply) {
    if (!(b->flags & FLAG_EVALUATED)) Evaluate(b, testv, 1);
    if (!b->moves) GenMoveList(b, ply, nullptr, testv);
    ETYPE_T g = -400000;
    for (int i = 0; i < b->num_moves; i++) {
        MOVE_T* move = &b->moves[i];
        if (!IsValidMove(b, *move)) {
            Panic(false, "QuiesceCheck");
            continue;
        }
        POS_T b1;
        if (!DoMovePart1(&b1, b, move)) continue;
        ETYPE_T v = -Quiesce(&b1, flipv(testv), ply + 1);
        if (v > g) {
            g = v;
            if (g >= testv) break;
        }
    }
    hash_c.HashInsert(b, 0, testv, g, nullptr);
    return ExitMateAdjust(g);
}

ETYPE_T Quiesce(POS_T* b, ETYPE_T testv, int ply) {
    if (ply != quiesce_start_ply) quiesce_nodes++;
    if (ply > search_seldepth) search_seldepth = ply;
    testv = EntryMateAdjust(testv);
    ETYPE_T g;
    if (hash_c.CheckHash(b, 0, testv, &g, nullptr)) return ExitMateAdjust(g);
    MOVE_T last = b->last_move;
    if (!DoMovePart2(b, &last)) return 400000;
    if (InsufficientMaterial(b)) return 0;  // a capture left neither side able to mate
    if ((b->flags & FLAG_IN_CHECK) && ply < SearchPlyLimit()) return QuiesceCheck(b, testv, ply);

    MOVE_T m1;
    ZeroMove(&m1);
    g = Evaluate(b, testv, 0);
    if (g >= testv || ply >= SearchPlyLimit()) return ExitMateAdjust(g);
    if (!(b->flags & FLAG_EVALUATED)) {
        g = Evaluate(b, testv, 1);
        if (g >= testv) return ExitMateAdjust(g);
    }
    const ETYPE_T stand_pat = g;
    if (g < testv - 6500) g = testv - 6500;

    const bool white = IsWhitesMove(b);
    const uint64_t own = white ? 0xFFFFull : 0xFFFF0000ull, opp = ~own & 0xFFFFFFFFull;
    const int pawn = white ? W_PAWN : B_PAWN;
    POS_T b1;
    // Makes m1 and searches it; true when the node is done. A capture judged
    // hopeless is dropped unless it gives check (it may mate).
    auto Try = [&](bool hopeless = false) {
        MOVE_T made = m1;
        if (!DoMovePart1(&b1, b, &made)) return false;
        // (an ordinary move learns whether it checks in the second part)
        if (hopeless && (!DoMovePart2(&b1, &made) || !(b1.flags & FLAG_IN_CHECK))) return false;
        ETYPE_T v = -Quiesce(&b1, flipv(testv), ply + 1);
        if (v > g) g = v;
        return g >= testv;
    };
    // A mate's test value is reached by mating only: nothing is hopeless there.
    const bool may_prune = testv < 300000;
    const ETYPE_T* worth = &new_coefficients[COEFF_MATERIAL];
    const ETYPE_T pawn_worth = worth[1];

    // promotion pushes
    for (uint64_t s = b->pawns7th & own; s; s &= s - 1) {
        int slot = FFOne(s);
        if (b->pieces[slot].p != pawn) continue;
        SQ_T t[4];
        BTO_T rec{0, t};
        int n = DirTo(b, b->pieces[slot].pos, white ? NORTH : SOUTH, &rec);
        for (int i = 0; i < n; i++) {
            if (b->board[t[i]]) continue;
            InitMove(&m1, pawn, b->pieces[slot].pos, t[i], INF_VALUE, 'P', false);
            if (Try()) return ExitMateAdjust(g);
        }
    }
    // the capture the exchange estimate recommends
    const MOVE_T bc = b->best_capture;
    if (!IsZeroMove(&bc) && bc.to < 64 && bc.from < 64 && b->board[bc.to] && (b->board[bc.to] > 0) != white &&
        b->board[bc.from] && (b->board[bc.from] > 0) == white && b->pboard[bc.from] >= 0 &&
        (b->topieces[bc.to] >> b->pboard[bc.from] & 1)) {
        m1 = bc;
        if (Try()) return ExitMateAdjust(g);
    }
    // every capture, most valuable victim first, least valuable attacker first
    for (uint64_t victims = b->material_mask & opp; victims; victims &= victims - 1) {
        const PS_T& victim = b->pieces[FFOne(victims)];
        const ETYPE_T victim_value = worth[std::abs(victim.p)];
        // even two pawns to spare would not lift the capture to the test value
        const bool short_of_testv = may_prune && stand_pat + victim_value + 2 * pawn_worth < testv;
        const bool defended = (b->topieces[victim.pos] & opp) != 0;
        for (uint64_t att = b->topieces[victim.pos] & own; att;) {
            int a = FLOne(att);
            att &= ~(1ull << a);
            // a defended piece taken by one worth more loses the difference
            const bool losing = may_prune && GivesMaterialAway(victim_value, worth[std::abs(b->pieces[a].p)], defended);
            m1.piece_moving = b->pieces[a].p;
            m1.from = b->pieces[a].pos;
            m1.to = victim.pos;
            if (Try(short_of_testv || losing)) return ExitMateAdjust(g);
        }
    }
    // en passant (2D)
    if (state.dmode == 2 && b->enpassant && b->enpassant < 64) {
        for (uint64_t p = b->topieces[b->enpassant] & own & ~b->piece_mask; p; p &= p - 1) {
            int a = FFOne(p);
            m1.piece_moving = b->pieces[a].p;
            m1.from = b->pieces[a].pos;
            m1.to = b->enpassant;
            if (Try()) return ExitMateAdjust(g);
        }
    }
    return ExitMateAdjust(g);
}
