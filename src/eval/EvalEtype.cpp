// The evaluation driver: cheap terms first, then (unless the lazy cut-off
// applies) the control layer, mobility and overload, each worked out against
// the evaluated parent where one exists.
#include <cstdlib>
#include <cstring>

#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "eval/eval.h"

namespace {

// The parent's control layer and piece values, the base of the incremental
// steps. Taken afresh at every evaluation, because the child may have been
// made before its parent was evaluated.
void TakeParentLayer(POS_T* b, const POS_T* ob) {
    memcpy(b->control, ob->control, sizeof b->control);
    memcpy(b->cont, ob->cont, sizeof b->cont);
    memcpy(b->safe_mobility, ob->safe_mobility, sizeof b->safe_mobility);
    memcpy(b->mobility, ob->mobility, sizeof b->mobility);
    memcpy(b->piece_values, ob->piece_values, sizeof b->piece_values);
    memcpy(b->flight, ob->flight, sizeof b->flight);
    b->white_moves = ob->white_moves;
    b->black_moves = ob->black_moves;
    b->board_control = ob->board_control;
    b->attacking_mask = ob->attacking_mask;
    b->hung_mask = ob->hung_mask;
    b->expensive = ob->expensive;
    b->wpassed_pawn_mask = ob->wpassed_pawn_mask & b->material_mask;
    b->bpassed_pawn_mask = ob->bpassed_pawn_mask & b->material_mask;
    b->flags = (b->flags & ~(uint64_t)FLAG_CONTROL_TAG) | (ob->flags & FLAG_CONTROL_TAG);
}

uint64_t SlotBit(const POS_T* b, int sq) {
    if (sq < 0 || sq >= 64 || b->pboard[sq] < 0) return 0;
    return 1ull << b->pboard[sq];
}

// Pieces whose terms the move may have changed beyond the squares the
// control layer marks.
uint64_t MoveMarks(POS_T* b, const POS_T* ob) {
    uint64_t pc = 0;
    const SQ_T f = b->last_move.from, t = b->last_move.to;
    if (f < 64 && t < 64) {
        const int pf = ob->board[f], pt = ob->board[t];
        if (pf == W_PAWN || pt == W_PAWN) pc |= 1;
        if (pf == B_PAWN || pt == B_PAWN) pc |= 1ull << 16;
        // A piece promoted in a pawn slot counts as a pawn where pawn terms
        // read the slot sets: when it moves or is taken, so do the pawns.
        const int sf = ob->pboard[f], st = ob->pboard[t];
        const bool promoted = (sf >= 0 && (sf & 8) && abs(pf) != 1) || (st >= 0 && (st & 8) && abs(pt) != 1);
        if (pf == W_KING || pf == B_KING || promoted) pc |= b->material_mask & ~b->piece_mask;
        if (pt == W_QUEEN || pt == W_BISHOP) pc |= 1ull << 16;
        if (pt == B_QUEEN || pt == B_BISHOP) pc |= 1;
        // passed pawns whose square ahead was entered or left
        const int nt = b->board[t];
        const int ti = (int)t, fi = (int)f;
        if (YPOS(t) > 1 && (SlotBit(b, ti - 1) & b->wpassed_pawn_mask) && ((nt < 0 && pt == 0) || pt != 0))
            pc |= SlotBit(b, ti - 1);
        if (YPOS(t) < 6 && (SlotBit(b, ti + 1) & b->bpassed_pawn_mask) && ((nt > 0 && pt == 0) || pt != 0))
            pc |= SlotBit(b, ti + 1);
        if (YPOS(f) > 1 && (SlotBit(b, fi - 1) & b->wpassed_pawn_mask) && nt < 0) pc |= SlotBit(b, fi - 1);
        if (YPOS(f) < 6 && (SlotBit(b, fi + 1) & b->bpassed_pawn_mask) && nt > 0) pc |= SlotBit(b, fi + 1);
    }
    pc |= 0xF000F0;  // minor pieces: outposts and x-ray lines depend on others
    if ((b->piece_mask & 0xFFFF) == 1) pc |= b->bpassed_pawn_mask;
    if (((b->piece_mask >> 16) & 0xFFFF) == 1) pc |= b->wpassed_pawn_mask;
    // The king terms read the castling rights and, in the mating stage, the
    // material and the other king; a piece promoted in a pawn slot has the
    // same dependencies as the minors.
    const uint64_t rights = b->flags ^ ob->flags;
    if (rights & 0x13) pc |= 1;
    if (rights & 0x2C) pc |= 1ull << 16;
    if (b->stage == MATING) pc |= 0x10001;
    pc |= b->piece_mask & 0xFF00FF00;
    return pc;
}

}  // namespace

ETYPE_T EvalEtype(POS_T* b, int alpha, int mode) {
    const int s = NextToPlay(b);
    InitEvalTables();
    if (b->stage < OPENING || b->stage > MATING)
        Panic(false, "Stage error");
    else
        coefficients = GameCoefficients() + b->stage * COEFF_SLICE;
    if (b->flags & FLAG_EVALUATED) return b->eval_result * s;
    if (b->flags & FLAG_NEED_PART2) Panic(false, "NEED_PART2 in eval");
    b->null_stoppable_pawn = b->null_unstoppable_pawn = 0;
    // line and capture maps of this position's game and board placement
    if (state.dmode == 2)
        EnsureMaps(b);
    else
        ActiveConfig(b);

    const bool everything = alpha == INF_VALUE;
    if (everything) b->oldb = nullptr;
    POS_T* ob = b->oldb;
    if (ob && !(ob->flags & FLAG_EVALUATED)) {
        Evaluate(ob, alpha, 1);
        if (b->stage >= OPENING && b->stage <= MATING) coefficients = GameCoefficients() + b->stage * COEFF_SLICE;
    }
    // A parent of another stage was weighed with another slice: no base.
    const bool base = ob && (ob->flags & FLAG_EVALUATED) && ob->stage == b->stage;
    if (base) TakeParentLayer(b, ob);

    ETYPE_T m = b->w_material - b->b_material;
    if (m > 300000) m = 300000;
    if (m < -300000) m = -300000;

    if (everything || mode >= 2 || !base) {
        b->piece_change = b->material_mask;
        // every pawn is weighed again, so the passed sets are rebuilt whole
        b->wpassed_pawn_mask = b->bpassed_pawn_mask = 0;
        if (ob && !base) new_pos_values = 1;
    } else {
        b->piece_change |= MoveMarks(b, ob);
    }

    // cheap terms; each positional term is weighed by itself, so that the
    // terms still add up to the evaluation
    FindPins(b);
    BuildPawnLoc(b);
    const ETYPE_T spec = WeighedTerm(EvalSpecifics(b));
    const uint64_t c0 = b->piece_change;
    const ETYPE_T v1 = PieceValues(b);
    const ETYPE_T king = WeighedTerm(KingSafety(b));
    const ETYPE_T tact = WeighedTerm(EvalTactics(b));
    const ETYPE_T l = spec + WeighedTerm(v1) + king + tact;
    // the terms the parent left, at their weight
    const ETYPE_T kept = WeighedTerm(b->expensive);

    if (mode < 1 && base && abs(b->expensive) < 20000 && alpha + 20000 < (kept + l + m) * s) {
        ETYPE_T u = ((kept + l + m) * s - 15000) * s;
        ETYPE_T r = (u + CheckMaterial(b, u)) * s;
        if (r >= alpha) {
            // Nothing is cached: a later evaluation starts from the parent
            // again and must weigh the same pieces again.
            b->piece_change = c0;
            return r;
        }
    }

    b->expensive = 0;
    const ETYPE_T raw_x1 = BoardControl1(b);
    const ETYPE_T raw_x2 = BoardControl2(b);
    b->expensive += raw_x1 + raw_x2;
    b->piece_change = (b->piece_change & ~c0) | b->wpassed_pawn_mask | b->bpassed_pawn_mask;
    const ETYPE_T v2 = WeighedTerm(PieceValues(b));
    const ETYPE_T raw_mob = EvalMobility(b);
    b->expensive += raw_mob;
    const ETYPE_T over = WeighedTerm(OverloadedPieces(b));
    b->flags |= FLAG_EVALUATED;
    const ETYPE_T x1 = WeighedTerm(raw_x1), x2 = WeighedTerm(raw_x2), mob = WeighedTerm(raw_mob);

    const ETYPE_T e = spec + v2 + king + tact + x1 + x2 + mob + over + m;
    const ETYPE_T corr = CheckMaterial(b, e);
    b->eval_result = e + corr;
    eval_terms = EVAL_TERMS_T{m, spec, v2, king, tact, x1, x2, mob, over, corr, b->eval_result, b->stage};
    return b->eval_result * s;
}
