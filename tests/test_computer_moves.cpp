// The computer's moves on the live game, through the engine thread: every
// move it plays is one the rules list, whatever the search handed over (a
// move found in the table, a move of another position with the same keys,
// none at all), and a game it plays is given up only when no move is left.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "cli.h"
#include "engine_game.h"
#include "test_util.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

using namespace std::chrono_literals;
using GameLock = std::lock_guard<std::recursive_mutex>;

void NewGame(int dmode, int rules, int maxdepth) { NewEngineGame(dmode, rules, maxdepth); }

// A move played as a person plays it, its record line unprinted.
void PlayQuietly(const char* moves) {
    std::string error;
    testing::internal::CaptureStdout();
    const bool played = PlayUserMoves(moves, &error);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(played) << error;
}

int MoveNumNow() {
    GameLock lock(GameMutex());
    return state.position.move_num;
}

// Lets the engine thread play the side to move (both sides when `both`)
// until the game ends, `plies` have been played, or `limit` passes.
// Returns what was printed.
std::string ComputerPlays(bool both, int plies, std::chrono::seconds limit) {
    {
        GameLock lock(GameMutex());
        state.demo_mode = both ? 1 : 0;
        StoreShared(state.tamzor, NextToPlay(&state.position));
    }
    const int target = MoveNumNow() + plies;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();  // fault reports
    Clutch(1);
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        TamzorIdleFunc();
        {
            GameLock lock(GameMutex());
            if (state.position.move_num >= target || state.position.winner) break;
        }
        std::this_thread::sleep_for(2ms);
    }
    Clutch(0);
    const std::string out = testing::internal::GetCapturedStdout();
    return out + testing::internal::GetCapturedStderr();
}

// Walks the game from `start`: each ply's move must be an entry of the
// position's move list (same piece, from and to) whose making gives exactly
// the game's next position, keys included (3D keys cover the boards).
void ExpectEveryMoveFromTheList(const POS_T& start) {
    GameLock lock(GameMutex());
    POS_T pos = start;
    static MOVE_T list[MOVE_LIST_SIZE];
    for (int ply = start.move_num; ply < state.position.move_num; ply++) {
        SCOPED_TRACE("ply " + std::to_string(ply) + " " + GameListGet(ply + 1));
        const MOVE_T& played = state.game_record[ply];
        const uint64_t next_key = ply + 1 < state.position.move_num ? state.hash_list[ply + 1] : state.position.hash1;
        POS_T copy = pos, child;
        const int n = GetMoveCount(&copy, list);
        bool found = false;
        for (int i = 0; i < n && !found; i++) {
            MOVE_T m = list[i];
            if (m.piece_moving != played.piece_moving || m.from != played.from || m.to != played.to) continue;
            if (DoMove(&child, &copy, &m) && child.hash1 == next_key) found = true;
        }
        ASSERT_TRUE(found) << "the move played is no listed move of its position";
        child.oldb = nullptr;
        pos = child;
    }
}

// The game written as PGN and read back is the same game.
void ExpectPgnRoundTrip() {
    GameLock lock(GameMutex());
    const uint64_t key = state.position.hash1;
    const int plies = state.position.move_num, dmode = state.dmode;
    const std::string pgn = PgnText(PGN_TAGS_T());
    std::string error;
    ASSERT_TRUE(PgnLoadGame(pgn, 1, &error)) << error << "\n" << pgn;
    EXPECT_EQ(state.position.hash1, key) << pgn;
    EXPECT_EQ(state.position.move_num, plies);
    EXPECT_EQ(state.dmode, dmode);
}

// The game's own move texts, played again from the start as a person types
// them, give the same position.
void ExpectTextsReplay(int dmode, int rules, const POS_T& start) {
    std::string texts;
    uint64_t key;
    int plies;
    {
        GameLock lock(GameMutex());
        for (int ply = start.move_num + 1; ply <= state.position.move_num; ply++)
            texts += std::string(texts.empty() ? "" : " ") + GameListGet(ply);
        key = state.position.hash1;
        plies = state.position.move_num;
    }
    NewGame(dmode, rules, DIFF_EASY);
    GameLock lock(GameMutex());
    std::string error;
    testing::internal::CaptureStdout();
    bool played = PlayUserMoves(texts, &error);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(played) << error << " in " << texts;
    EXPECT_EQ(state.position.move_num, plies);
    EXPECT_EQ(state.position.hash1, key) << texts;
}

// Whole games of the computer against itself from a few random plies: every
// move listed, the texts replay, and the game ends by the rules.
void SelfPlay(int dmode, int rules, int depth, unsigned seed) {
    SCOPED_TRACE(std::to_string(dmode) + "D, rules " + std::to_string(rules) + ", depth " + std::to_string(depth) +
                 ", seed " + std::to_string(seed));
    POS_T start;
    NewGame(dmode, rules, depth + 1);
    {
        GameLock lock(GameMutex());
        start = state.position;
        std::mt19937 rng(seed);
        testing::internal::CaptureStdout();
        for (int ply = 0; ply < 2; ply++) {
            const auto moves = LegalMoveTexts(&state.position);
            MOVE_T m = moves[rng() % moves.size()].move;
            bool over;
            ASSERT_TRUE(PlayUserMove(&m, &over));
        }
        testing::internal::GetCapturedStdout();
    }
    const std::string out = ComputerPlays(true, GAME_MAX_PLIES, 300s);
    EXPECT_EQ(out.find("TamzorLoses"), std::string::npos) << out.substr(out.size() > 3000 ? out.size() - 3000 : 0);
    EXPECT_EQ(out.find("Panic"), std::string::npos) << out.substr(out.size() > 3000 ? out.size() - 3000 : 0);
    {
        GameLock lock(GameMutex());
        EXPECT_NE(state.position.winner, 0) << "the game did not end";
        // a result stands only by the rules: no legal move, or a draw rule
        static MOVE_T legal[LEGAL_LIST_SIZE];
        POS_T copy = state.position;
        const bool moves_left = LegalMoves(&copy, legal) > 0;
        if (moves_left) {
            EXPECT_EQ(state.position.winner, 2) << "a side lost with legal moves left";
        }
    }
    ExpectEveryMoveFromTheList(start);
    ExpectPgnRoundTrip();
    ExpectTextsReplay(dmode, rules, start);
}

TEST(ComputerMoves, ThreeDGamesAtDepthsTwoAndThreePlayOnlyListedMoves) {
    for (int depth : {2, 3})
        for (int rules : {RULES_TDCL, RULES_TOURNAMENT}) SelfPlay(3, rules, depth, 17 * depth + rules);
}

TEST(ComputerMoves, TwoDGamePlaysOnlyListedMoves) { SelfPlay(2, RULES_TDCL, 2, 5); }

// The table's entry for the root names a move by its squares alone; with a
// ply limit the entry's depth already meets, that move is what is played.
void SeedRootMove(SQ_T from, SQ_T to) {
    GameLock lock(GameMutex());
    POS_T* b = &state.position;
    EstimateGameStage(b, 1);  // as the engine will: no table reset after seeding
    hash_c.HashChangeTag(b->move_num);
    MOVE_T m;
    InitMove(&m, b->board[from], from, to, 0, '?', false);
    hash_c.HashInsert(b, 20, 0, 0, &m);
}

struct CASTLE_CASE_T {
    SQ_T king_from, king_to;
    SQ_T rook_to;        // where the rook stands afterwards
    SQ_T rook_gone;      // a cell the rook has left (NO_SQUARE: the king's start, now the rook's)
    char symbol;
};

void ExpectComputerCastles(const CASTLE_CASE_T& c, int rook) {
    SeedRootMove(c.king_from, c.king_to);
    const std::string out = ComputerPlays(false, 1, 60s);
    GameLock lock(GameMutex());
    ASSERT_EQ(state.position.move_num, 1 + (rook < 0)) << out;
    const MOVE_T& played = state.game_record[rook < 0 ? 1 : 0];
    EXPECT_EQ(played.move_symbol, c.symbol) << out;
    EXPECT_EQ(state.position.board[c.king_to], rook > 0 ? W_KING : B_KING) << out;
    EXPECT_EQ(state.position.board[c.rook_to], rook) << out;
    if (c.rook_gone != NO_SQUARE) {
        EXPECT_EQ(state.position.board[c.rook_gone], 0) << out;
    }
    EXPECT_NE(out.find(c.symbol == 'S' ? "O-O" : "O-O-O"), std::string::npos) << out;
}

TEST(ComputerMoves, CastlesWithItsRookWhenTheTableNamesTheKingsSquares) {
    // 2D: both kinds for both sides
    const CASTLE_CASE_T cases2d[4] = {{E1, G1, F1, H1, 'S'}, {E1, C1, D1, A1, 'L'},
                                      {E8, G8, F8, H8, 'S'}, {E8, C8, D8, A8, 'L'}};
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE("2D case " + std::to_string(i));
        NewGame(2, RULES_TDCL, DIFF_EASY);
        {
            GameLock lock(GameMutex());
            std::string error;
            // Black to move first for Black's cases: a waiting move by White
            ASSERT_TRUE(SetUpFen("r3k2r/p7/8/8/8/8/P7/R3K2R w KQkq - 0 1", &error)) << error;
            if (i >= 2) PlayQuietly("a2a3");
        }
        ExpectComputerCastles(cases2d[i], i < 2 ? W_ROOK : B_ROOK);
    }
    // 3D: short castling exchanges king and rook; long brings the rook
    // from the queen-side board to the king's cell
    const CASTLE_CASE_T cases3d[4] = {{C1, D1, C1, NO_SQUARE, 'S'}, {C1, B1, C1, A1, 'L'},
                                      {C8, D8, C8, NO_SQUARE, 'S'}, {C8, B8, C8, A8, 'L'}};
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE("3D case " + std::to_string(i));
        NewGame(3, RULES_TDCL, DIFF_EASY);
        {
            GameLock lock(GameMutex());
            Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6},
                    {{C1, W_KING}, {D1, W_ROOK}, {A1, W_ROOK}, {A2, W_PAWN}, {C2, W_PAWN}, {D2, W_PAWN},
                     {F2, W_PAWN}, {C8, B_KING}, {D8, B_ROOK}, {A8, B_ROOK}, {A7, B_PAWN}, {C7, B_PAWN},
                     {D7, B_PAWN}, {F7, B_PAWN}},
                    true, 0xF);
            StoreShared(state.maxdepth, DIFF_EASY);
            if (i >= 2) PlayQuietly("f2f3");
        }
        ExpectComputerCastles(cases3d[i], i < 2 ? W_ROOK : B_ROOK);
    }
}

TEST(ComputerMoves, ATableMoveThePositionLacksIsNotPlayed) {
    // another position's move under this position's keys: a king two steps
    NewGame(2, RULES_TDCL, DIFF_EASY);
    SeedRootMove(E1, E3);
    const std::string out = ComputerPlays(false, 1, 60s);
    GameLock lock(GameMutex());
    EXPECT_EQ(out.find("TamzorLoses"), std::string::npos) << out;
    ASSERT_EQ(state.position.move_num, 1) << out;
    EXPECT_EQ(state.position.winner, 0);
    const MOVE_T& played = state.game_record[0];
    EXPECT_FALSE(played.from == E1 && played.to == E3);
}

TEST(ComputerMoves, MatesByCastlingOfBothKinds) {
    // the only mates: the rook comes to f1 (d1) with the king covering g2 (c2)
    const struct {
        const char* fen;
        SQ_T rook_to;
    } cases[] = {{"4R3/8/5N2/7N/8/5k2/8/4K2R w K - 0 1", F1}, {"4R3/8/8/NN6/8/3k4/8/R3K3 w Q - 0 1", D1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fen);
        NewGame(2, RULES_TDCL, DIFF_EASY);
        {
            GameLock lock(GameMutex());
            std::string error;
            ASSERT_TRUE(SetUpFen(c.fen, &error)) << error;
        }
        const std::string out = ComputerPlays(false, 1, 60s);
        GameLock lock(GameMutex());
        EXPECT_EQ(state.position.board[c.rook_to], W_ROOK) << out;
        EXPECT_EQ(state.position.winner, 1) << out;
        EXPECT_NE(out.find("O-O"), std::string::npos) << out;
    }
}

}  // namespace
