// Invariants of the rules engine checked at every position of many seeded
// random games in both games: the incremental maps and keys agree with a
// rebuild from scratch, making in place agrees with making into a copy, and
// check evasion offers exactly the legal moves of the full generator.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <tuple>

#include "test_util.h"
#include "movegen/movegen.h"
#include "position/position.h"

namespace {

using KEY_T = std::tuple<int, SQ_T, SQ_T>;

// The legal moves among those a generator lists (the evasion one, or the
// full one), and all it lists.
std::set<KEY_T> LegalSet(POS_T* b, bool full_generator, std::vector<MOVE_T>* legal = nullptr,
                         std::vector<MOVE_T>* listed = nullptr) {
    static MOVE_T list[MOVE_LIST_SIZE];
    POS_T scratch, copy = *b;
    const int n = full_generator ? GenerateMoves(&copy, list) : GetMoveList(&copy, list);
    std::set<KEY_T> keys;
    for (int i = 0; i < n; i++) {
        MOVE_T m = list[i];
        if (!DoMove(&scratch, &copy, &m)) continue;
        keys.insert({m.piece_moving, m.from, m.to});
        if (legal) legal->push_back(list[i]);
    }
    if (listed) listed->assign(list, list + n);
    return keys;
}

std::set<SQ_T> SlotSquares(const POS_T* b, uint64_t mask) {
    std::set<SQ_T> squares;
    for (int i = 0; i < 32; i++)
        if (mask >> i & 1) squares.insert(b->pieces[i].pos);
    return squares;
}

// What the random games went through, so a test can tell it met the rare rules.
struct SEEN_T {
    int checks = 0, board_moves = 0, promotions = 0, castles = 0;
};

// Checks one position and chooses a legal move at random; false when the
// game is over. `moved` holds the slots of pawns that made a move of their
// own (not one riding their board).
bool CheckPosition(POS_T* b, std::mt19937* rng, MOVE_T* chosen, int ply, SEEN_T* seen, uint64_t moved) {
    SCOPED_TRACE("ply " + std::to_string(ply));
    // reach map: incremental (2D) or regenerated equals a rebuild from scratch
    POS_T fresh = *b, rebuilt = *b;
    EXPECT_EQ(RegenToPieces(&fresh), 1);
    EXPECT_EQ(memcmp(fresh.topieces, b->topieces, sizeof b->topieces), 0) << "reach map";
    EXPECT_EQ(memcmp(fresh.xray_topieces, b->xray_topieces, sizeof b->xray_topieces), 0) << "x-ray map";
    // keys equal those of a position built from the bare board
    EXPECT_EQ(CreatePBoard(&rebuilt), 1);
    EXPECT_EQ(rebuilt.hash1, b->hash1) << "hash1";
    EXPECT_EQ(rebuilt.hash2, b->hash2) << "hash2";
    EXPECT_EQ(rebuilt.w_material, b->w_material);
    EXPECT_EQ(rebuilt.b_material, b->b_material);
    // the rebuild may number the slots differently: compare the squares
    EXPECT_EQ(SlotSquares(&rebuilt, rebuilt.pawns7th), SlotSquares(b, b->pawns7th)) << "pawns about to promote";

    // the evasion generator offers exactly the legal moves
    std::vector<MOVE_T> legal, listed;
    const std::set<KEY_T> keys = LegalSet(b, false, &legal, &listed);
    EXPECT_EQ(keys, LegalSet(b, true)) << (b->flags & FLAG_IN_CHECK ? "in check" : "not in check");
    if (b->flags & FLAG_IN_CHECK) seen->checks++;
    // a pawn that has moved is never offered a two-cell step again
    for (const MOVE_T& m : listed) {
        if (IsAB(m.piece_moving) || abs(m.piece_moving) != 1 || b->board[m.to] || m.move_symbol == 'e') continue;
        if (!(moved >> b->pboard[m.from] & 1)) continue;
        const std::vector<SQ_T> one = Step(b, m.from, m.piece_moving > 0 ? NORTH : SOUTH);
        EXPECT_NE(std::find(one.begin(), one.end(), m.to), one.end())
            << "moved pawn offered a double step " << (int)m.from << "-" << (int)m.to;
    }
    // every legal move has a text of its own, so a text names one move
    std::map<std::string, std::string> texts;
    POS_T for_texts = *b;
    for (const MOVE_TEXT_T& m : LegalMoveTexts(&for_texts)) {
        auto [at, fresh] = texts.emplace(m.text, m.token);
        EXPECT_TRUE(fresh) << at->second << " and " << m.token << " both read " << m.text;
    }
    if (legal.empty()) return false;
    *chosen = legal[(*rng)() % legal.size()];
    if (IsAB(chosen->piece_moving)) seen->board_moves++;
    if (strchr("QRBN", chosen->move_symbol) && chosen->move_symbol) seen->promotions++;
    if (chosen->move_symbol == 'S' || chosen->move_symbol == 'L') seen->castles++;

    // making into a copy and in place give the same position
    MOVE_T m1 = *chosen, m2 = *chosen;
    POS_T a, in_place = *b;
    EXPECT_EQ(DoMove(&a, b, &m1), 1);
    EXPECT_EQ(DoMove(&in_place, &in_place, &m2), 1);
    const POS_T& c = in_place;
    EXPECT_EQ(memcmp(a.board, c.board, sizeof a.board), 0);
    EXPECT_EQ(memcmp(a.whereis_board, c.whereis_board, sizeof a.whereis_board), 0);
    EXPECT_TRUE(state.dmode == 2 || !memcmp(a.whites_board, c.whites_board, sizeof a.whites_board));
    EXPECT_EQ(memcmp(a.topieces, c.topieces, sizeof a.topieces), 0);
    EXPECT_EQ(a.hash1, c.hash1);
    EXPECT_EQ(a.hash2, c.hash2);
    EXPECT_EQ(a.flags & 0x1FBF, c.flags & 0x1FBF);
    EXPECT_EQ(a.enpassant, c.enpassant);
    EXPECT_EQ(a.move_num, c.move_num);
    EXPECT_EQ(a.fifty_count, c.fifty_count);
    EXPECT_EQ(m1.check, m2.check);
    return true;
}

SEEN_T PlayRandomGames(int dmode, int rules, int games, int max_plies, unsigned seed) {
    std::mt19937 rng(seed);
    SEEN_T seen;
    for (int g = 0; g < games; g++) {
        SCOPED_TRACE("game " + std::to_string(g));
        EXPECT_TRUE(NewGameState(dmode));
        state.rules = rules;
        std::vector<POS_T> line(max_plies + 1);
        line[0] = state.position;
        uint64_t moved = 0;  // slots of pawns that have moved
        for (int ply = 0; ply < max_plies; ply++) {
            MOVE_T m;
            if (!CheckPosition(&line[ply], &rng, &m, ply, &seen, moved)) break;
            if (!IsAB(m.piece_moving) && abs(m.piece_moving) == 1) moved |= 1ull << line[ply].pboard[m.from];
            if (::testing::Test::HasFailure()) return seen;
            EXPECT_EQ(DoMove(&line[ply + 1], &line[ply], &m), 1);
        }
    }
    return seen;
}

TEST(RulesInvariants, RandomGamesOfBothGamesAndRules) {
    struct RUN_T {
        int dmode, rules, games;
        unsigned seed;
        int checks, board_moves, promotions, castles;  // more than this many seen
    } const runs[] = {{2, RULES_TDCL, 60, 2026, 50, -1, 3, 3},
                      {3, RULES_TDCL, 20, 7, 20, 50, -1, -1},
                      {3, RULES_TOURNAMENT, 20, 11, 20, 20, -1, -1}};
    for (const RUN_T& r : runs) {
        SCOPED_TRACE(std::to_string(r.dmode) + "D, rules " + std::to_string(r.rules));
        const SEEN_T seen = PlayRandomGames(r.dmode, r.rules, r.games, 200, r.seed);
        EXPECT_GT(seen.checks, r.checks);
        EXPECT_GT(seen.board_moves, r.board_moves);
        EXPECT_GT(seen.promotions, r.promotions);
        EXPECT_GT(seen.castles, r.castles);
    }
}

}  // namespace
