// Piece bookkeeping, slot layout and start positions.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <map>

#include "test_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "search/search.h"
#include "shell/shell.h"

namespace {

// Recomputes keys and masks from the slots and checks every redundant view
// of the position agrees with the board.
void ExpectConsistent(POS_T* b) {
    uint64_t h1 = 0, h2 = 0, material = 0, pieces = 0;
    int count = 0;
    for (int i = 0; i < 32; i++) {
        const PS_T& s = b->pieces[i];
        if (!s.p) continue;
        count++;
        EXPECT_EQ(b->board[s.pos], s.p) << "slot " << i;
        EXPECT_EQ(b->pboard[s.pos], i) << "slot " << i;
        EXPECT_EQ(s.p > 0, i < 16) << "slot " << i << " holds a piece of the wrong side";
        h1 ^= hash_c.hash_values.v1[s.p + 6][s.pos];
        h2 ^= hash_c.hash_values.v2[s.p + 6][s.pos];
        material |= 1ull << i;
        if (s.p != W_PAWN && s.p != B_PAWN) pieces |= 1ull << i;
    }
    int on_board = 0;
    for (int sq = 0; sq < 64; sq++) {
        if (b->board[sq]) on_board++;
        else EXPECT_EQ(b->pboard[sq], -1) << "square " << sq;
    }
    EXPECT_EQ(count, on_board);
    EXPECT_EQ(b->material_mask, material);
    EXPECT_EQ(b->piece_mask, pieces);
    POS_T boards{};  // the attack boards' terms alone
    for (int k = 0; k < 4; k++) HASH_C::BoardPinHash(&boards, k, b->whereis_board[k]);
    h1 ^= boards.hash1;
    h2 ^= boards.hash2;
    EXPECT_EQ(b->hash2, h2);
    h1 ^= (uint64_t)(b->move_num & 1) ^ (uint64_t)(uint32_t)(b->enpassant << 8) ^
          ((b->flags & 0xF) << 16);
    EXPECT_EQ(b->hash1, h1);
}

std::map<int, int> PieceCensus(const POS_T* b) {
    std::map<int, int> m;
    for (int sq = 0; sq < 64; sq++)
        if (b->board[sq]) m[b->board[sq]]++;
    return m;
}

TEST(Helpers, EdgeValues) {
    EXPECT_EQ(SameColor(0, W_PAWN), 1);
    EXPECT_EQ(SameColor(0, B_PAWN), 0);
    EXPECT_EQ(SameColor(B_KING, B_PAWN), 1);
    EXPECT_EQ(sign(0), 1);
    EXPECT_EQ(sign(-3), -1);
    EXPECT_EQ(FFOne(0), -1);
    EXPECT_EQ(FLOne(0), -1);
    EXPECT_EQ(FLOne(0x80000000u), 31);
    EXPECT_EQ(PopCount32(0xFFFFFFFF00000000ull), 0);
    EXPECT_EQ(PopCount32(0x1FFFFFFFFull), 32);
    EXPECT_EQ(CornerDistance(A8), 7);
    EXPECT_EQ(CornerDistance(D4), 3);
    EXPECT_EQ(CornerDistance(E5), 3);
    EXPECT_EQ(piecechar(7), '\0');
    EXPECT_EQ(piecechar(8), '?');
    EXPECT_EQ(piecechar(-6), 'k');
    EXPECT_EQ(piecechar(W_KNIGHT), 'N');
}

TEST(Helpers, BitScansAgreeWithBuiltinsOnEveryPattern) {
    // Every single bit, and a spread of mixed 32-bit values.
    for (int i = 0; i < 32; i++) {
        EXPECT_EQ(FFOne(1ull << i), i);
        EXPECT_EQ(FLOne(1ull << i), i);
    }
    uint32_t x = 0x9E3779B9u;
    for (int n = 0; n < 10000; n++) {
        x = x * 1664525u + 1013904223u;
        uint64_t v = ((uint64_t)n << 32) | x;  // high half must be ignored
        if (x) {
            EXPECT_EQ(FFOne(v), __builtin_ctz(x));
            EXPECT_EQ(FLOne(v), 31 - __builtin_clz(x));
        }
        EXPECT_EQ(PopCount32(v), __builtin_popcount(x));
        EXPECT_EQ(BitCount(v), __builtin_popcountll(v));
    }
}

TEST(Helpers, DirectionIndexCoversExactlyTheSixteenDirections) {
    int valid = 0;
    for (int d = -40; d <= 40; d++) valid += DirIndex(d) >= 0;
    EXPECT_EQ(valid, 16);
    for (int k = 0; k < 16; k++) {
        EXPECT_EQ(DirIndex(dir_order[k]), k);
        EXPECT_EQ(dir_order[k], dir_dfile[k] * 8 + dir_drank[k]);  // a step is file x 8 + rank
    }
}

TEST(Helpers, InvertMirrorsRanks) {
    ETYPE_T src[64], dst[64];
    for (int i = 0; i < 64; i++) src[i] = i * 3 + 1;
    invert(dst, src);
    for (int i = 0; i < 64; i++) {
        EXPECT_EQ(XPOS(i), XPOS(i ^ 7));
        EXPECT_EQ(YPOS(i) + YPOS(i ^ 7), 7u);
        EXPECT_EQ(dst[i], src[i ^ 7]);
    }
}

TEST(StartPosition, SlotLayout2D) {
    ASSERT_TRUE(NewGameState(2));
    POS_T* b = &state.position;
    const SQ_T white[8] = {E1, D1, H1, A1, F1, C1, G1, B1};
    const SQ_T black[8] = {E8, D8, H8, A8, F8, C8, G8, B8};
    for (int i = 0; i < 8; i++) {
        EXPECT_EQ(b->pieces[i].pos, white[i]) << i;
        EXPECT_EQ(b->pieces[16 + i].pos, black[i]) << i;
        EXPECT_EQ(b->pieces[8 + i].pos, (SQ_T)(8 * i + 1));
        EXPECT_EQ(b->pieces[24 + i].pos, (SQ_T)(8 * i + 6));
        EXPECT_TRUE(IsPawnHome(&b->pieces[8 + i], &b->pieces[8]));
        EXPECT_TRUE(IsPawnHome(&b->pieces[24 + i], &b->pieces[24]));
    }
    EXPECT_EQ(b->flags & ~(uint64_t)(FLAG_EVALUATED | FLAG_TACTICS_DONE | FLAG_CONTROL_TAG), 0xFu);  // the rest is the evaluation's
    EXPECT_EQ(b->material_mask, 0xFFFFFFFFull);
    EXPECT_EQ(b->piece_mask, 0x00FF00FFull);
    EXPECT_EQ(b->sliding_mask, 0x003E003Eull);
    EXPECT_EQ(b->w_material, b->b_material);
    EXPECT_EQ(b->whereis_board[0], 0);
    ExpectConsistent(b);
}

TEST(StartPosition, SlotLayout3D) {
    ASSERT_TRUE(NewGameState(3));
    POS_T* b = &state.position;
    const SQ_T white[8] = {C1, B1, D1, A1, F1, G1, H1, E1};
    const SQ_T black[8] = {C8, B8, D8, A8, F8, G8, H8, E8};
    const SQ_T wp[8] = {A2, B2, C2, D2, E2, F2, G2, H2};
    const SQ_T bp[8] = {A7, B7, C7, D7, E7, F7, G7, H7};
    for (int i = 0; i < 8; i++) {
        EXPECT_EQ(b->pieces[i].pos, white[i]) << i;
        EXPECT_EQ(b->pieces[16 + i].pos, black[i]) << i;
        EXPECT_EQ(b->pieces[8 + i].pos, wp[i]) << i;
        EXPECT_EQ(b->pieces[24 + i].pos, bp[i]) << i;
        EXPECT_TRUE(IsPawnHome(&b->pieces[8 + i], &b->pieces[8]));
    }
    EXPECT_EQ(b->flags & ~(uint64_t)(FLAG_EVALUATED | FLAG_TACTICS_DONE | FLAG_CONTROL_TAG), 0xFu);  // the rest is the evaluation's
    const int pins[4] = {ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6};
    const int owners[4] = {1, 0, 1, 0};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(b->whereis_board[i], pins[i]);
        EXPECT_EQ(b->whites_board[i], owners[i]);
    }
    EXPECT_EQ(state.tamzor, TAMZOR_BLACK);
    EXPECT_EQ(state.selected, NO_SQUARE);
    ExpectConsistent(b);
}

class EditedBoard : public ::testing::Test {
protected:
    POS_T* b = &state.position;
    void SetUp() override {
        ASSERT_TRUE(NewGameState(2));
        memset(b->board, 0, sizeof b->board);
        b->flags = 0xF;
    }
};

TEST_F(EditedBoard, KingsOnlyBuildsAndLosesCastling) {
    b->board[E1] = W_KING;
    b->board[E8] = B_KING;
    ASSERT_EQ(CreatePBoard(b), 1);
    EXPECT_EQ(b->pieces[0].p, W_KING);
    EXPECT_EQ(b->pieces[16].p, B_KING);
    for (int i = 1; i < 16; i++) {
        EXPECT_EQ(b->pieces[i].p, 0);
        EXPECT_EQ(b->pieces[16 + i].p, 0);
    }
    EXPECT_EQ(b->flags & 0xF, 0u);
    ExpectConsistent(b);
}

TEST_F(EditedBoard, MissingRookClearsOnlyItsRight) {
    b->board[E1] = W_KING;
    b->board[H1] = W_ROOK;
    b->board[E8] = B_KING;
    ASSERT_EQ(CreatePBoard(b), 1);
    EXPECT_TRUE(b->flags & FLAG_WK_CASTLE);
    EXPECT_FALSE(b->flags & FLAG_WQ_CASTLE);
    EXPECT_EQ(b->pieces[2].p, W_ROOK);
    EXPECT_EQ(b->pieces[1].p, 0);  // no queen: its slot stays empty
    ExpectConsistent(b);
}

TEST_F(EditedBoard, MissingKingIsRefused) {
    b->board[E1] = W_KING;
    testing::internal::CaptureStdout();
    EXPECT_EQ(CreatePBoard(b), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nno king");
}

TEST_F(EditedBoard, SurplusPiecesAreNeverLost) {
    // Three queens and three rooks with five pawns: 16 White pieces, more
    // queens and rooks than the layout has room for.
    b->board[E1] = W_KING;
    for (SQ_T sq : {D1, D2, D3}) b->board[sq] = W_QUEEN;
    for (SQ_T sq : {A1, H1, A3}) b->board[sq] = W_ROOK;
    for (SQ_T sq : {B1, G1}) b->board[sq] = W_KNIGHT;
    for (SQ_T sq : {C1, F1}) b->board[sq] = W_BISHOP;
    for (SQ_T sq : {A2, B2, C2, E2, F2}) b->board[sq] = W_PAWN;
    b->board[E8] = B_KING;
    b->board[D8] = B_QUEEN;
    b->board[C8] = B_QUEEN;
    auto before = PieceCensus(b);
    ASSERT_EQ(CreatePBoard(b), 1);
    EXPECT_EQ(PieceCensus(b), before);
    EXPECT_EQ(b->pieces[0].p, W_KING);
    EXPECT_EQ(b->pieces[1].p, W_QUEEN);
    EXPECT_EQ(b->pieces[2].p, W_ROOK);
    EXPECT_EQ(b->pieces[3].p, W_ROOK);
    EXPECT_EQ(b->pieces[17].p, B_QUEEN);
    // pawns stay packed at the top of the side
    for (int i = 8; i < 11; i++) EXPECT_NE(b->pieces[i].p, W_PAWN) << i;
    for (int i = 11; i < 16; i++) EXPECT_EQ(b->pieces[i].p, W_PAWN) << i;
    ExpectConsistent(b);
}

TEST_F(EditedBoard, TooManyPiecesOfOneSideIsRefusedNotTruncated) {
    b->board[E1] = W_KING;
    b->board[E8] = B_KING;
    for (SQ_T sq = A2; sq <= H2; sq += 8) b->board[sq] = W_PAWN;
    for (SQ_T sq : {A1, B1, C1, D1, F1, G1, H1, A3}) b->board[sq] = W_QUEEN;  // 17 pieces
    testing::internal::CaptureStdout();
    EXPECT_EQ(CreatePBoard(b), 0);
    testing::internal::GetCapturedStdout();
}

TEST_F(EditedBoard, SecondKingIsRefused) {
    b->board[E1] = W_KING;
    b->board[A1] = W_KING;
    b->board[E8] = B_KING;
    testing::internal::CaptureStdout();
    EXPECT_EQ(CreatePBoard(b), 0);
    testing::internal::GetCapturedStdout();
}

TEST_F(EditedBoard, BishopColoursSelectTheirSlots) {
    b->board[E1] = W_KING;
    b->board[E8] = B_KING;
    b->board[C1] = W_BISHOP;  // dark square (sum even)
    b->board[F1] = W_BISHOP;  // light square
    b->board[C8] = B_BISHOP;  // light square (sum odd)
    b->board[F8] = B_BISHOP;  // dark square
    ASSERT_EQ(CreatePBoard(b), 1);
    EXPECT_EQ(b->pieces[4].pos, F1);
    EXPECT_EQ(b->pieces[5].pos, C1);
    EXPECT_EQ(b->pieces[20].pos, F8);
    EXPECT_EQ(b->pieces[21].pos, C8);
}

TEST_F(EditedBoard, PawnsOnTheirStartCellsKeepTheirColumnsSlots) {
    b->board[E1] = W_KING;
    b->board[E8] = B_KING;
    b->board[A2] = W_PAWN;  // on its start cell: the slot of column a
    b->board[C4] = W_PAWN;  // moved on: packed at the top, in column h's slot
    b->board[G7] = B_PAWN;
    ASSERT_EQ(CreatePBoard(b), 1);
    EXPECT_EQ(b->pieces[8].pos, A2);
    EXPECT_TRUE(IsPawnHome(&b->pieces[8], &b->pieces[8]));
    EXPECT_EQ(b->pieces[15].pos, C4);
    EXPECT_FALSE(IsPawnHome(&b->pieces[15], &b->pieces[8]));
    EXPECT_EQ(b->pieces[16 + 8 + 6].pos, G7);
    EXPECT_TRUE(IsPawnHome(&b->pieces[30], &b->pieces[24]));
}

TEST(Bookkeeping, AddThenRemoveRestoresKeysAndMasks) {
    ASSERT_TRUE(NewGameState(2));
    POS_T p = state.position;
    POS_T q = p;
    PS_T* slot = &q.pieces[1];  // the queen
    RemovePiece(&q, slot);
    EXPECT_EQ(slot->p, 0);
    EXPECT_EQ(slot->pos, D1);  // kept
    EXPECT_EQ(q.pboard[D1], -1);
    EXPECT_EQ(q.board[D1], 0);
    EXPECT_NE(q.hash1, p.hash1);
    AddPiece(&q, W_QUEEN, D1, slot);
    EXPECT_EQ(q.hash1, p.hash1);
    EXPECT_EQ(q.hash2, p.hash2);
    EXPECT_EQ(q.material_mask, p.material_mask);
    EXPECT_EQ(q.w_material, p.w_material);
}

TEST(Bookkeeping, MovePieceKeepsEveryViewConsistent) {
    ASSERT_TRUE(NewGameState(2));
    POS_T q = state.position;
    ASSERT_EQ(MovePiece(&q, GetPBoard(&q, G1), F3), 1);
    EXPECT_EQ(q.board[G1], 0);
    EXPECT_EQ(q.board[F3], W_KNIGHT);
    ExpectConsistent(&q);
    testing::internal::CaptureStderr();
    EXPECT_EQ(MovePiece(&q, nullptr, F3), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Panic: NULL @ MovePiece\n");
}

TEST(Bookkeeping, PromotionUsesTheFreeQueenSlot) {
    ASSERT_TRUE(NewGameState(2));
    POS_T q = state.position;
    PS_T* pawn = GetPBoard(&q, A2);
    // queen still on the board: the pawn's slot changes in place
    ChangePiece(&q, pawn, W_QUEEN);
    EXPECT_EQ(pawn->p, W_QUEEN);
    EXPECT_EQ(q.pboard[A2], 8);
    EXPECT_TRUE(q.sliding_mask & (1ull << 8));
    EXPECT_TRUE(q.piece_mask & (1ull << 8));
    ExpectConsistent(&q);
    // queen gone: the next new queen moves into slot 1
    RemovePiece(&q, &q.pieces[1]);
    PS_T* pawn2 = GetPBoard(&q, B2);
    ChangePiece(&q, pawn2, W_QUEEN);
    EXPECT_EQ(q.pboard[B2], 1);
    EXPECT_EQ(q.pieces[1].p, W_QUEEN);
    EXPECT_EQ(pawn2->p, 0);
    ExpectConsistent(&q);
}

TEST(Bookkeeping, PawnLocationTables) {
    ASSERT_TRUE(NewGameState(2));
    BuildPawnLoc(&state.position);
    for (int x = 0; x < 8; x++) {
        EXPECT_EQ(white_pawn_loc[x], 1);
        EXPECT_EQ(black_pawn_loc[x], 6);
    }
}

TEST(Bookkeeping, RegenRefusesASlotOffTheBoard) {
    ASSERT_TRUE(NewGameState(2));
    POS_T q = state.position;
    q.pieces[9].pos = 70;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RegenToPieces(&q), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Panic: RegenToPieces pi present but pos\n");
}

TEST(HashKeys, TableProperties) {
    hash_c.HashValuesInit();
    std::set<uint64_t> seen;
    for (int i = 0; i < 13; i++)
        for (int j = 0; j < 64; j++) {
            uint64_t v1 = hash_c.hash_values.v1[i][j], v2 = hash_c.hash_values.v2[i][j];
            if (i == 6) {
                EXPECT_EQ(v1, 0u);
                EXPECT_EQ(v2, 0u);
                continue;
            }
            EXPECT_EQ(v1 & 1, 0u);
            EXPECT_LT(v1, 1ull << 31);
            EXPECT_LT(v2, 1ull << 31);
            seen.insert(v1);
        }
    EXPECT_GT(seen.size(), 760u);  // distinct enough to tell positions apart
}

TEST(HashKeys, PlacementOfBoardsIsPartOfTheKey) {
    ASSERT_TRUE(NewGameState(3));
    POS_T a = state.position;
    ASSERT_EQ(CreatePBoard(&a), 1);
    // every placement of one board gives keys of its own, in the same game
    std::set<uint64_t> keys1, keys2;
    for (int pin : all_pins) {
        POS_T b = a;
        if (IsAttackBoardThere(&b, pin) != NO_SQUARE && pin != ABW_QL1) continue;
        b.whereis_board[0] = pin;
        ASSERT_EQ(CreatePBoard(&b), 1);
        keys1.insert(b.hash1);
        keys2.insert(b.hash2);
        // the side to move is still bit 0 alone
        POS_T c = b;
        c.move_num = 1;
        ASSERT_EQ(CreatePBoard(&c), 1);
        EXPECT_EQ(b.hash1 ^ c.hash1, 1u);
        EXPECT_EQ(b.hash2, c.hash2);
    }
    EXPECT_EQ(keys1.size(), 9u);
    EXPECT_EQ(keys2.size(), 9u);
}

TEST(Placement, StartQueries) {
    ASSERT_TRUE(NewGameState(3));
    POS_T* b = &state.position;
    EXPECT_EQ(IsAttackBoardThere(b, ABW_QL1), 0u);
    EXPECT_EQ(IsAttackBoardThere(b, ABW_QL3), NO_SQUARE);
    for (AB_E ab : {AB_QLW, AB_QLB, AB_KLW, AB_KLB}) EXPECT_TRUE(IsAttackBoardHome(b, ab));
    EXPECT_EQ(WhereIsAB_C(2), (SQ_T)C1);
    EXPECT_EQ(WhereIsAttackBoard(b, AB_KLB), (SQ_T)ABW_KL6);
    EXPECT_TRUE(WhiteOwns(b, AB_QLW));
    EXPECT_FALSE(WhiteOwns(b, AB_KLB));
    testing::internal::CaptureStderr();
    EXPECT_EQ(WhereIsAttackBoard(b, 5), NO_SQUARE);
    EXPECT_FALSE(WhiteOwns(b, 7));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Panic: Bad which_ab @ GenAtBoMoves\nPanic: WhiteOwns can't find board\n");
}

TEST(Placement, LevelsFollowThePins) {
    POS_T p = Placement(ABW_QL5, ABW_QL6, ABW_KL3, ABW_KL2);
    EXPECT_EQ(GetAttackBoardLevel(&p, 0), 7);
    EXPECT_EQ(GetAttackBoardLevel(&p, 2), 5);
    EXPECT_EQ(GetAttackBoardLevel(&p, 3), 3);
}

TEST(Placement, OwnershipFollowsALonePassenger) {
    ASSERT_TRUE(NewGameState(3));
    POS_T* b = &state.position;
    memset(b->board, 0, sizeof b->board);
    b->board[A1] = B_PAWN;  // alone on White's queen-side board
    AlignAttackBoards(b);
    EXPECT_EQ(b->whites_board[0], 0);
    b->board[A2] = W_KNIGHT;  // two pieces: no change
    AlignAttackBoards(b);
    EXPECT_EQ(b->whites_board[0], 0);
    b->board[A1] = b->board[A2] = 0;  // empty: back to White
    AlignAttackBoards(b);
    EXPECT_EQ(b->whites_board[0], 1);
    b->board[D8] = W_ROOK;  // alone on Black's king-side board
    AlignAttackBoards(b);
    EXPECT_EQ(b->whites_board[3], 1);
}

// Reports go to standard error, never into the game record's output, each
// one whole line.
TEST(Panic, NonFatalReturnsFatalExits420) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Panic(false, "x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Panic: x\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EXIT(Panic(true, "boom"), testing::ExitedWithCode(420 & 0xFF),
                "Panic: boom\nUNSTABLE");  // 420 as the OS reports it
}

// The window program keeps non-fatal reports for its verbose mode; a fatal
// one is always told.
TEST(Panic, QuietHookSilencesOnlyNonFatalReports) {
    CORE_HOOKS_T saved = core_hooks;
    core_hooks.quiet_reports = [] { return true; };
    testing::internal::CaptureStderr();
    Panic(false, "hidden");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EXIT(Panic(true, "told"), testing::ExitedWithCode(420 & 0xFF), "Panic: told\nUNSTABLE");
    core_hooks.quiet_reports = [] { return false; };
    testing::internal::CaptureStderr();
    Panic(false, "shown");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Panic: shown\n");
    core_hooks = saved;
}

}  // namespace
