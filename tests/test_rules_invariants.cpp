// Invariants of the rules engine checked at every position of many seeded
// random games in both games: the incremental maps and keys agree with a
// rebuild from scratch, making in place agrees with making into a copy, and
// check evasion offers exactly the legal moves of the full generator.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <map>
#include <set>
#include <tuple>

#include "cli.h"
#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

namespace {

using KEY_T = std::tuple<int, SQ_T, SQ_T>;

std::set<KEY_T> LegalSet(POS_T* b, bool full_generator) {
    static MOVE_T list[MOVE_LIST_SIZE];
    POS_T scratch;
    POS_T copy = *b;
    int n = full_generator ? GenerateMoves(&copy, list) : GetMoveList(&copy, list);
    std::set<KEY_T> legal;
    for (int i = 0; i < n; i++) {
        MOVE_T m = list[i];
        if (DoMove(&scratch, &copy, &m)) legal.insert({m.piece_moving, m.from, m.to});
    }
    return legal;
}

std::set<SQ_T> SlotSquares(const POS_T* b, uint64_t mask) {
    std::set<SQ_T> squares;
    for (int i = 0; i < 32; i++)
        if (mask >> i & 1) squares.insert(b->pieces[i].pos);
    return squares;
}

void ExpectSamePosition(const POS_T& a, const POS_T& b, const char* what) {
    EXPECT_EQ(memcmp(a.board, b.board, sizeof a.board), 0) << what;
    EXPECT_EQ(memcmp(a.whereis_board, b.whereis_board, sizeof a.whereis_board), 0) << what;
    if (state.dmode == 3) {  // ownership means nothing on the 8x8 board
        EXPECT_EQ(memcmp(a.whites_board, b.whites_board, sizeof a.whites_board), 0) << what;
    }
    EXPECT_EQ(a.hash1, b.hash1) << what;
    EXPECT_EQ(a.hash2, b.hash2) << what;
    EXPECT_EQ(a.flags & 0x1FBF, b.flags & 0x1FBF) << what;
    EXPECT_EQ(a.enpassant, b.enpassant) << what;
    EXPECT_EQ(a.move_num, b.move_num) << what;
    EXPECT_EQ(a.fifty_count, b.fifty_count) << what;
}

// What the random games went through, so a test can tell it met the rare rules.
struct SEEN_T {
    int checks = 0, board_moves = 0, promotions = 0, en_passant = 0, castles = 0, mates = 0;
};

// Checks one position and returns the move chosen at random, or false when
// the game is over.
// A pawn that has made a move of its own (not one riding its board) is never
// offered a two-cell step again: `moved` holds the slots of such pawns.
void ExpectNoSecondDoubleStep(POS_T* b, uint64_t moved) {
    static MOVE_T list[MOVE_LIST_SIZE];
    POS_T copy = *b;
    int n = GetMoveList(&copy, list);
    for (int i = 0; i < n; i++) {
        const MOVE_T& m = list[i];
        if (IsAB(m.piece_moving) || abs(m.piece_moving) != 1 || b->board[m.to] || m.move_symbol == 'e') continue;
        if (!(moved >> b->pboard[m.from] & 1)) continue;
        std::vector<SQ_T> one = Step(b, m.from, m.piece_moving > 0 ? NORTH : SOUTH);
        EXPECT_NE(std::find(one.begin(), one.end(), m.to), one.end())
            << "moved pawn offered a double step " << (int)m.from << "-" << (int)m.to;
    }
}

bool CheckPosition(POS_T* b, std::mt19937* rng, MOVE_T* chosen, int ply, SEEN_T* seen, uint64_t moved) {
    SCOPED_TRACE("ply " + std::to_string(ply));
    // reach map: incremental (2D) or regenerated equals a rebuild from scratch
    POS_T fresh = *b;
    EXPECT_EQ(RegenToPieces(&fresh), 1);
    EXPECT_EQ(memcmp(fresh.topieces, b->topieces, sizeof b->topieces), 0) << "reach map";
    EXPECT_EQ(memcmp(fresh.xray_topieces, b->xray_topieces, sizeof b->xray_topieces), 0) << "x-ray map";
    // keys equal those of a position built from the bare board
    POS_T rebuilt = *b;
    EXPECT_EQ(CreatePBoard(&rebuilt), 1);
    EXPECT_EQ(rebuilt.hash1, b->hash1) << "hash1";
    EXPECT_EQ(rebuilt.hash2, b->hash2) << "hash2";
    EXPECT_EQ(rebuilt.w_material, b->w_material);
    EXPECT_EQ(rebuilt.b_material, b->b_material);
    // the rebuild may number the slots differently: compare the squares
    EXPECT_EQ(SlotSquares(&rebuilt, rebuilt.pawns7th), SlotSquares(b, b->pawns7th))
        << "pawns about to promote";

    // the evasion generator offers exactly the legal moves
    std::set<KEY_T> listed = LegalSet(b, false), all = LegalSet(b, true);
    EXPECT_EQ(listed, all) << (b->flags & FLAG_IN_CHECK ? "in check" : "not in check");
    if (b->flags & FLAG_IN_CHECK) seen->checks++;
    ExpectNoSecondDoubleStep(b, moved);
    // every legal move has a text of its own, so a text names one move
    std::map<std::string, std::string> texts;
    POS_T for_texts = *b;
    for (const MOVE_TEXT_T& m : LegalMoveTexts(&for_texts)) {
        auto [at, fresh] = texts.emplace(m.text, m.token);
        EXPECT_TRUE(fresh) << at->second << " and " << m.token << " both read " << m.text;
    }
    if (listed.empty()) {
        if (b->flags & FLAG_IN_CHECK) seen->mates++;
        return false;
    }

    static MOVE_T list[MOVE_LIST_SIZE];
    POS_T copy = *b;
    int n = GetMoveList(&copy, list);
    std::vector<MOVE_T> legal;
    POS_T child;
    for (int i = 0; i < n; i++) {
        MOVE_T m = list[i];
        if (DoMove(&child, &copy, &m)) legal.push_back(list[i]);
    }
    *chosen = legal[(*rng)() % legal.size()];
    if (IsAB(chosen->piece_moving)) seen->board_moves++;
    if (strchr("QRBN", chosen->move_symbol) && chosen->move_symbol) seen->promotions++;
    if (chosen->move_symbol == 'e') seen->en_passant++;
    if (chosen->move_symbol == 'S' || chosen->move_symbol == 'L') seen->castles++;

    // making into a copy and in place give the same position
    MOVE_T m1 = *chosen, m2 = *chosen;
    POS_T into, in_place = *b;
    EXPECT_EQ(DoMove(&into, b, &m1), 1);
    EXPECT_EQ(DoMove(&in_place, &in_place, &m2), 1);
    ExpectSamePosition(into, in_place, "in place");
    EXPECT_EQ(memcmp(into.topieces, in_place.topieces, sizeof into.topieces), 0);
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
    printf("checks %d, mates %d, board moves %d, promotions %d, en passant %d, castling %d\n",
           seen.checks, seen.mates, seen.board_moves, seen.promotions, seen.en_passant, seen.castles);
    return seen;
}

TEST(RulesInvariants, RandomGames2D) {
    SEEN_T seen = PlayRandomGames(2, RULES_TDCL, 60, 200, 2026);
    EXPECT_GT(seen.checks, 50);
    EXPECT_GT(seen.promotions, 3);
    EXPECT_GT(seen.castles, 3);
}

TEST(RulesInvariants, RandomGames3DTdcl) {
    SEEN_T seen = PlayRandomGames(3, RULES_TDCL, 20, 200, 7);
    EXPECT_GT(seen.checks, 20);
    EXPECT_GT(seen.board_moves, 50);
}

TEST(RulesInvariants, RandomGames3DTournament) {
    SEEN_T seen = PlayRandomGames(3, RULES_TOURNAMENT, 20, 200, 11);
    EXPECT_GT(seen.checks, 20);
    EXPECT_GT(seen.board_moves, 20);
}

}  // namespace
