// Properties of the evaluation over many positions: incremental equals fresh, colour-mirrored
// twins are exact negatives, values stay in bounds, threads keep their own stage.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>
#include <tuple>
#include <vector>

#include "live_game.h"
#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "eval/eval.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

std::vector<MOVE_T> Legal(POS_T* b) {
    static thread_local MOVE_T list[4 * MOVE_LIST_SIZE];
    return std::vector<MOVE_T>(list, list + LegalMoves(b, list));
}

// A random legal move of `parent` made into `child`; false when there is none.
bool RandomChild(POS_T* parent, POS_T* child, std::mt19937& rng) {
    auto moves = Legal(parent);
    if (moves.empty()) return false;
    MOVE_T mv = moves[rng() % moves.size()];
    EXPECT_EQ(DoMove(child, parent, &mv), 1) << "a legal move was refused";
    return true;
}

// Plays a random legal move on `cur`, the parent link dropped.
bool RandomMove(POS_T* cur, std::mt19937& rng) {
    POS_T next;
    if (!RandomChild(cur, &next, rng)) return false;
    *cur = next;
    cur->oldb = nullptr;
    return true;
}

// The position evaluated from scratch: maps rebuilt, no parent, every term.
POS_T Fresh(const POS_T& b) {
    POS_T f = b;
    RegenToPieces(&f);
    return f;
}

auto Layer(const POS_T& a) {
    return std::make_tuple(a.eval_result, a.board_control, a.white_moves, a.black_moves, a.pinned_mask, a.hung_mask,
                           a.attacking_mask, a.wpassed_pawn_mask, a.bpassed_pawn_mask, a.tactics);
}

// Compares the evaluation layer of two evaluations of one position.
void ExpectSameLayer(const POS_T& a, const POS_T& f, const std::string& where) {
    ASSERT_TRUE(a.flags & FLAG_EVALUATED) << where;
    EXPECT_EQ(Layer(a), Layer(f)) << where;
    for (int sq = 0; sq < 64; sq++)
        EXPECT_EQ(std::tie(a.control[sq], a.cont[sq], a.flight[sq]), std::tie(f.control[sq], f.cont[sq], f.flight[sq]))
            << where << " square " << sq;
    for (int s = 0; s < 32; s++) {
        if (!a.pieces[s].p) continue;
        EXPECT_EQ(a.piece_values[s], f.piece_values[s]) << where << " slot " << s;
        if (!(a.piece_mask >> s & 1)) continue;
        EXPECT_EQ(std::tie(a.mobility[s], a.safe_mobility[s]), std::tie(f.mobility[s], f.safe_mobility[s]))
            << where << " slot " << s;
    }
}

const char* kStarts[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "4k3/8/8/3n4/8/2B5/8/R3K3 w - - 0 1",
    "6k1/5ppp/8/8/8/8/2P2PPP/6K1 w - - 0 1",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R b KQ - 0 8",
};

// Seeded random games from several starts: along each, the child evaluated
// against its parent equals the same position evaluated from scratch.
TEST(EvalIncremental, EqualsFullAlongRandomGames) {
    std::mt19937 rng(20240611);
    int compared = 0;
    for (const char* fen : kStarts) {
        for (int game = 0; game < 6; game++) {
            Live2D(fen);
            state.tamzor = game % 3 == 0 ? TAMZOR_WHITE : TAMZOR_BLACK;
            std::vector<POS_T> line(121);
            line[0] = state.position;
            EstimateGameStage(&line[0], 1);
            for (int ply = 0; ply < 120; ply++) {
                POS_T* parent = &line[ply];
                if (ply % 15 == 7) EstimateGameStage(parent, 1);  // may change the slice
                if (ply % 11 == 5) parent->flags ^= FLAG_TAMZOR_WHITE;
                if (!RandomChild(parent, &line[ply + 1], rng)) break;
                // some are left unevaluated, as inner nodes of a search are:
                // evaluating the child then evaluates its parent first
                if (ply % 4 == 3) continue;
                Evaluate(&line[ply + 1], (int)(rng() % 40000) - 20000, 1);
                ExpectSameLayer(line[ply + 1], Fresh(line[ply + 1]), std::string(fen) + " ply " + std::to_string(ply));
                if (HasFailure()) return;
                compared++;
            }
        }
    }
    EXPECT_GT(compared, 3000);
    // 3D games late in a fifty-move count, where the value fades with the
    // count: a board's move is evaluated with the count the child will have
    int board_moves = 0;
    for (int game = 0; game < 4; game++) {
        // a few men on the main levels, the boards empty and free to move
        ASSERT_TRUE(NewGameState(3));
        std::vector<SQ_T> cells;
        for (SQ_T sq = 0; sq < 64; sq++)
            if (BoardOfCell(sq) < 0) cells.push_back(sq);
        const size_t n = cells.size();
        POS_T* b = Setup3D({ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6},
                           {{cells[1], W_KING}, {cells[n - 2], B_KING}, {cells[4 + game], W_PAWN},
                            {cells[n - 5 - game], B_PAWN}, {cells[9], W_KNIGHT}, {cells[n - 10], B_KNIGHT}});
        POS_T line[2] = {*b, *b};
        for (int ply = 0; ply < 60; ply++) {
            POS_T &parent = line[ply & 1], &child = line[(ply + 1) & 1];
            parent.fifty_count = 80 + ply % 20;
            parent.oldb = nullptr;
            if (!RandomChild(&parent, &child, rng)) break;
            board_moves += memcmp(child.whereis_board, parent.whereis_board, sizeof child.whereis_board) != 0;
            EXPECT_EQ(Layer(child), Layer(Fresh(child))) << "3D ply " << ply;
        }
    }
    EXPECT_GT(board_moves, 10);
}

// The colour-mirrored twin: ranks flipped, colours and side to move swapped,
// castling rights and en passant mirrored, the computer's side swapped. The
// slot of each piece is mirrored as well (White slot s <-> Black slot s ^ 16),
// so that equal pieces are taken in the same order on both boards.
POS_T Mirror(const POS_T& src) {
    POS_T m;
    memset(&m, 0, sizeof m);
    memset(m.pboard, -1, sizeof m.pboard);
    m.move_num = src.move_num + 1;
    m.fifty_count = src.fifty_count;
    m.stage = src.stage;
    const uint64_t f = src.flags;
    m.flags = ((f & 0x3) << 2) | ((f >> 2) & 0x3) | ((f & FLAG_W_CASTLED) << 1) | ((f & FLAG_B_CASTLED) >> 1) |
              ((f & FLAG_TAMZOR_WHITE) ^ FLAG_TAMZOR_WHITE);
    m.enpassant = src.enpassant ? src.enpassant ^ 7 : 0;
    for (int s = 0; s < 32; s++)
        if (src.pieces[s].p) AddPiece(&m, -src.pieces[s].p, src.pieces[s].pos ^ 7, &m.pieces[s ^ 16]);
    return m;
}

void ExpectMirrored(const POS_T& b, const std::string& where) {
    const int tamzor = state.tamzor;
    POS_T f = Fresh(b);
    state.tamzor = tamzor == TAMZOR_WHITE ? TAMZOR_BLACK : tamzor == TAMZOR_BLACK ? TAMZOR_WHITE : tamzor;
    POS_T m = Mirror(b);
    RegenToPieces(&m);
    state.tamzor = tamzor;
    EXPECT_EQ(m.eval_result, -f.eval_result) << where;
    EXPECT_EQ(Evaluate(&m, INF_VALUE, 2), Evaluate(&f, INF_VALUE, 2)) << where;  // for the side to move
    for (int s = 0; s < 32; s++)
        EXPECT_EQ(m.piece_values[s ^ 16], f.pieces[s].p ? -f.piece_values[s] : m.piece_values[s ^ 16])
            << where << " slot " << s;
}

TEST(EvalSymmetry, MirroredTwinsAreExactNegatives) {
    std::mt19937 rng(99);
    int compared = 0;
    for (const char* fen : kStarts) {
        for (int game = 0; game < 4; game++) {
            Live2D(fen);
            state.tamzor = game == 0 ? TAMZOR_OFF : game == 1 ? TAMZOR_WHITE : TAMZOR_BLACK;
            POS_T b = state.position;
            if (game == 3) b.flags |= FLAG_TAMZOR_WHITE;
            for (int stage = OPENING; stage <= MATING; stage++) {
                POS_T s = b;
                s.stage = stage;  // every slice, whatever the material
                ExpectMirrored(s, std::string(fen) + " start, stage " + std::to_string(stage));
            }
            for (int ply = 0; ply < 60 && RandomMove(&b, rng); ply++) {
                EstimateGameStage(&b, 1);
                ExpectMirrored(b, std::string(fen) + " ply " + std::to_string(ply));
                if (HasFailure()) return;
                compared++;
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST(EvalBounds, LopsidedPositionsStayWithinTheBound) {
    const char* fens[] = {"6k1/8/PPPPP3/8/8/8/8/RNBQKBNR w - - 0 1", "rnbqkbnr/8/8/8/8/ppppp3/8/6K1 b - - 0 1",
                          "rnbqkbnr/8/8/8/8/ppppp3/8/6K1 w - - 0 1", "K7/8/8/8/8/8/8/7k w - - 0 1"};
    for (const char* fen : fens) {
        POS_T* b = Live2D(fen);
        for (int stage = OPENING; stage <= MATING; stage++) {
            POS_T s = *b;
            s.stage = stage;
            RegenToPieces(&s);
            const ETYPE_T v = Evaluate(&s, INF_VALUE, 2);
            EXPECT_LE(v, 399852) << fen;
            EXPECT_GE(v, -399852) << fen;
        }
    }
    // the first one is far beyond the bound before it is bounded
    POS_T* b = Live2D(fens[0]);
    b->flags &= ~(uint64_t)FLAG_EVALUATED;
    EXPECT_GT(EvalEtype(b, INF_VALUE, 2), 399852);
    b->flags &= ~(uint64_t)FLAG_EVALUATED;
    EXPECT_EQ(Evaluate(b, INF_VALUE, 2), 399852);
}

// Two threads evaluating positions of different stages at once get the
// values each would get alone.
TEST(EvalThreads, StagesOfTwoThreadsDoNotMix) {
    POS_T a = *Live2D(kStarts[0]), b = *Live2D(kStarts[3]);
    a.stage = OPENING;
    b.stage = ENDING;
    auto run = [](POS_T p, ETYPE_T expected, bool* ok) {
        *ok = true;
        for (int i = 0; i < 300; i++)
            if (Fresh(p).eval_result != expected) *ok = false;
    };
    bool ok1 = false, ok2 = false;
    std::thread t1(run, a, Fresh(a).eval_result, &ok1), t2(run, b, Fresh(b).eval_result, &ok2);
    t1.join();
    t2.join();
    EXPECT_TRUE(ok1);
    EXPECT_TRUE(ok2);
}

}  // namespace
