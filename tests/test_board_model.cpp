// The board model: piece bookkeeping, slot layout, start positions, keys, board
// placement, and connectivity (the step lists of every pin placement against
// the projection rule, and the telling rows and edge cases).
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "test_util.h"
#include "search/search.h"

namespace {

// Recomputes keys and masks from the slots: every redundant view of the
// position agrees with the board.
void ExpectConsistent(POS_T* b) {
    uint64_t h1 = 0, h2 = 0, material = 0, pieces = 0;
    int count = 0, on_board = 0;
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
    for (int sq = 0; sq < 64; sq++) {
        if (b->board[sq]) on_board++;
        else EXPECT_EQ(b->pboard[sq], -1) << "square " << sq;
    }
    EXPECT_EQ(count, on_board);
    EXPECT_EQ(b->material_mask, material);
    EXPECT_EQ(b->piece_mask, pieces);
    POS_T boards{};  // the attack boards' terms alone
    for (int k = 0; k < 4; k++) HASH_C::BoardPinHash(&boards, k, b->whereis_board[k]);
    EXPECT_EQ(b->hash2, h2 ^ boards.hash2);
    h1 ^= boards.hash1 ^ (uint64_t)(b->move_num & 1) ^ (uint64_t)(uint32_t)(b->enpassant << 8) ^
          ((b->flags & 0xF) << 16);
    EXPECT_EQ(b->hash1, h1);
}

TEST(Helpers, EdgeValuesBitScansDirectionsAndMirror) {
    const int cases[][2] = {  // {value, expected}
        {SameColor(0, W_PAWN), 1}, {SameColor(0, B_PAWN), 0}, {SameColor(B_KING, B_PAWN), 1}, {sign(0), 1},
        {sign(-3), -1}, {FFOne(0), -1}, {FLOne(0), -1}, {PopCount32(0xFFFFFFFF00000000ull), 0},
        {PopCount32(0x1FFFFFFFFull), 32}, {CornerDistance(A8), 7}, {CornerDistance(D4), 3},
        {CornerDistance(E5), 3}, {piecechar(7), 0}, {piecechar(8), '?'}, {piecechar(-6), 'k'},
        {piecechar(W_KNIGHT), 'N'}};
    for (size_t i = 0; i < std::size(cases); i++) EXPECT_EQ(cases[i][0], cases[i][1]) << "row " << i;
    for (int i = 0; i < 32; i++) {
        EXPECT_EQ(FFOne(1ull << i), i);
        EXPECT_EQ(FLOne(1ull << i), i);
    }
    uint32_t x = 0x9E3779B9u;
    for (int n = 0; n < 10000; n++) {
        x = x * 1664525u + 1013904223u;
        const uint64_t v = ((uint64_t)n << 32) | x;  // the high half is ignored
        if (x) {
            EXPECT_EQ(FFOne(v), __builtin_ctz(x));
            EXPECT_EQ(FLOne(v), 31 - __builtin_clz(x));
        }
        EXPECT_EQ(PopCount32(v), __builtin_popcount(x));
        EXPECT_EQ(BitCount(v), __builtin_popcountll(v));
    }
    int valid = 0;
    for (int d = -40; d <= 40; d++) valid += DirIndex(d) >= 0;
    EXPECT_EQ(valid, 16);
    for (int k = 0; k < 16; k++) {
        EXPECT_EQ(DirIndex(dir_order[k]), k);
        EXPECT_EQ(dir_order[k], dir_dfile[k] * 8 + dir_drank[k]);  // a step is file x 8 + rank
    }
    ETYPE_T src[64], dst[64];
    for (int i = 0; i < 64; i++) src[i] = i * 3 + 1;
    invert(dst, src);
    for (int i = 0; i < 64; i++) {
        EXPECT_EQ(XPOS(i), XPOS(i ^ 7));
        EXPECT_EQ(YPOS(i) + YPOS(i ^ 7), 7u);
        EXPECT_EQ(dst[i], src[i ^ 7]);
    }
}

TEST(StartPosition, SlotLayoutOfBothGames) {
    // slots 0-7 hold the pieces in each game's order, 8-15 the pawns by file;
    // Black's slots mirror them 16 on
    const SQ_T first2d[8] = {E1, D1, H1, A1, F1, C1, G1, B1}, first3d[8] = {C1, B1, D1, A1, F1, G1, H1, E1};
    for (int dmode : {2, 3}) {
        SCOPED_TRACE(dmode);
        ASSERT_TRUE(NewGameState(dmode));
        POS_T* b = &state.position;
        for (int i = 0; i < 8; i++) {
            const SQ_T first = dmode == 2 ? first2d[i] : first3d[i];
            EXPECT_EQ(b->pieces[i].pos, first) << i;
            EXPECT_EQ(b->pieces[16 + i].pos, (SQ_T)(first + 7)) << i;
            EXPECT_EQ(b->pieces[8 + i].pos, (SQ_T)(8 * i + 1));
            EXPECT_EQ(b->pieces[24 + i].pos, (SQ_T)(8 * i + 6));
            EXPECT_TRUE(IsPawnHome(&b->pieces[8 + i], &b->pieces[8]));
            EXPECT_TRUE(IsPawnHome(&b->pieces[24 + i], &b->pieces[24]));
        }
        // the rest of the flags is the evaluation's
        EXPECT_EQ(b->flags & ~(uint64_t)(FLAG_EVALUATED | FLAG_TACTICS_DONE | FLAG_CONTROL_TAG), 0xFu);
        ExpectConsistent(b);
    }
    POS_T* b = &state.position;
    const int pins[4] = {ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(b->whereis_board[i], pins[i]);
        EXPECT_EQ(b->whites_board[i], i % 2 == 0 ? 1 : 0);
    }
    EXPECT_EQ(state.tamzor, TAMZOR_BLACK);
    EXPECT_EQ(state.selected, NO_SQUARE);
    ASSERT_TRUE(NewGameState(2));
    EXPECT_EQ(b->material_mask, 0xFFFFFFFFull);
    EXPECT_EQ(b->piece_mask, 0x00FF00FFull);
    EXPECT_EQ(b->sliding_mask, 0x003E003Eull);
    EXPECT_EQ(b->w_material, b->b_material);
    EXPECT_EQ(b->whereis_board[0], 0);
    BuildPawnLoc(b);
    for (int x = 0; x < 8; x++) {
        EXPECT_EQ(white_pawn_loc[x], 1);
        EXPECT_EQ(black_pawn_loc[x], 6);
    }
}

// An edited 2D board of the given men, every castling right claimed:
// CreatePBoard's verdict, and what it printed.
int Edited(const std::vector<PLACED_T>& men, std::string* said = nullptr) {
    EXPECT_TRUE(NewGameState(2));
    POS_T* b = &state.position;
    memset(b->board, 0, sizeof b->board);
    b->flags = 0xF;
    for (const PLACED_T& m : men) b->board[m.sq] = m.piece;
    testing::internal::CaptureStdout();
    const int built = CreatePBoard(b);
    const std::string out = testing::internal::GetCapturedStdout();
    if (said) *said = out;
    return built;
}

TEST(EditedBoard, RefusesBoardsWithoutRoomOrKings) {
    std::string said;
    EXPECT_EQ(Edited({{E1, W_KING}}, &said), 0);
    EXPECT_EQ(said, "\nno king");
    EXPECT_EQ(Edited({{E1, W_KING}, {A1, W_KING}, {E8, B_KING}}), 0) << "a second king";
    std::vector<PLACED_T> men = {{E1, W_KING}, {E8, B_KING}};
    for (SQ_T sq = A2; sq <= H2; sq += 8) men.push_back({sq, W_PAWN});
    for (SQ_T sq : {A1, B1, C1, D1, F1, G1, H1, A3}) men.push_back({sq, W_QUEEN});
    EXPECT_EQ(Edited(men), 0) << "17 men of one side are refused, not cut short";
    // eleven men, but eight queens beyond the layout fill the pawn slots and
    // leave the pawn none: refused, though the knights' slots are free
    men = {{E1, W_KING}, {E8, B_KING}, {A3, W_PAWN}};
    for (SQ_T sq : {A1, B1, C1, D1, F1, G1, H1, A4, B4}) men.push_back({sq, W_QUEEN});
    EXPECT_EQ(Edited(men, &said), 0);
    EXPECT_EQ(said, "\ntoo many pieces");
}

TEST(EditedBoard, SlotsAndCastlingRightsFollowTheMen) {
    POS_T* b = &state.position;
    ASSERT_EQ(Edited({{E1, W_KING}, {E8, B_KING}}), 1);
    EXPECT_EQ(b->pieces[0].p, W_KING);
    EXPECT_EQ(b->pieces[16].p, B_KING);
    for (int i = 1; i < 16; i++) EXPECT_TRUE(!b->pieces[i].p && !b->pieces[16 + i].p) << i;
    EXPECT_EQ(b->flags & 0xF, 0u);
    ExpectConsistent(b);
    // a missing rook clears only its right; the queen's slot stays empty
    ASSERT_EQ(Edited({{E1, W_KING}, {H1, W_ROOK}, {E8, B_KING}}), 1);
    EXPECT_TRUE(b->flags & FLAG_WK_CASTLE);
    EXPECT_FALSE(b->flags & FLAG_WQ_CASTLE);
    EXPECT_EQ(b->pieces[2].p, W_ROOK);
    EXPECT_EQ(b->pieces[1].p, 0);
    ExpectConsistent(b);
    // bishops go to the slot of their square's colour
    ASSERT_EQ(Edited({{E1, W_KING}, {E8, B_KING}, {C1, W_BISHOP}, {F1, W_BISHOP}, {C8, B_BISHOP},
                      {F8, B_BISHOP}}), 1);
    EXPECT_EQ(b->pieces[4].pos, F1);
    EXPECT_EQ(b->pieces[5].pos, C1);
    EXPECT_EQ(b->pieces[20].pos, F8);
    EXPECT_EQ(b->pieces[21].pos, C8);
    // a pawn on its start cell keeps its file's slot; one moved on is packed at the top
    ASSERT_EQ(Edited({{E1, W_KING}, {E8, B_KING}, {A2, W_PAWN}, {C4, W_PAWN}, {G7, B_PAWN}}), 1);
    EXPECT_EQ(b->pieces[8].pos, A2);
    EXPECT_TRUE(IsPawnHome(&b->pieces[8], &b->pieces[8]));
    EXPECT_EQ(b->pieces[15].pos, C4);
    EXPECT_FALSE(IsPawnHome(&b->pieces[15], &b->pieces[8]));
    EXPECT_EQ(b->pieces[30].pos, G7);
    EXPECT_TRUE(IsPawnHome(&b->pieces[30], &b->pieces[24]));
    // 16 White men, more queens and rooks than the layout has room for: none is lost
    std::vector<PLACED_T> men = {{E1, W_KING}, {E8, B_KING}, {D8, B_QUEEN}, {C8, B_QUEEN}};
    for (SQ_T sq : {D1, D2, D3}) men.push_back({sq, W_QUEEN});
    for (SQ_T sq : {A1, H1, A3}) men.push_back({sq, W_ROOK});
    for (SQ_T sq : {B1, G1}) men.push_back({sq, W_KNIGHT});
    for (SQ_T sq : {C1, F1}) men.push_back({sq, W_BISHOP});
    for (SQ_T sq : {A2, B2, C2, E2, F2}) men.push_back({sq, W_PAWN});
    ASSERT_EQ(Edited(men), 1);
    for (const PLACED_T& m : men) EXPECT_EQ(b->board[m.sq], m.piece) << (int)m.sq;
    const int slots[5][2] = {{0, W_KING}, {1, W_QUEEN}, {2, W_ROOK}, {3, W_ROOK}, {17, B_QUEEN}};
    for (const auto& s : slots) EXPECT_EQ(b->pieces[s[0]].p, s[1]) << s[0];
    for (int i = 8; i < 16; i++) EXPECT_EQ(b->pieces[i].p == W_PAWN, i >= 11) << "pawns packed on top: " << i;
    ExpectConsistent(b);
}

TEST(Bookkeeping, AddRemoveMoveAndChangeKeepEveryView) {
    ASSERT_TRUE(NewGameState(2));
    const POS_T p = state.position;
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

    ASSERT_EQ(MovePiece(&q, GetPBoard(&q, G1), F3), 1);
    EXPECT_EQ(q.board[G1], 0);
    EXPECT_EQ(q.board[F3], W_KNIGHT);
    ExpectConsistent(&q);
    testing::internal::CaptureStderr();
    EXPECT_EQ(MovePiece(&q, nullptr, F3), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Panic: NULL @ MovePiece\n");

    // a promotion with the queen still on the board changes the pawn's slot in place
    PS_T* pawn = GetPBoard(&q, A2);
    ChangePiece(&q, pawn, W_QUEEN);
    EXPECT_EQ(pawn->p, W_QUEEN);
    EXPECT_EQ(q.pboard[A2], 8);
    EXPECT_TRUE(q.sliding_mask & (1ull << 8));
    EXPECT_TRUE(q.piece_mask & (1ull << 8));
    ExpectConsistent(&q);
    // the queen gone, the next new queen moves into slot 1
    RemovePiece(&q, &q.pieces[1]);
    PS_T* pawn2 = GetPBoard(&q, B2);
    ChangePiece(&q, pawn2, W_QUEEN);
    EXPECT_EQ(q.pboard[B2], 1);
    EXPECT_EQ(q.pieces[1].p, W_QUEEN);
    EXPECT_EQ(pawn2->p, 0);
    ExpectConsistent(&q);

    q = p;
    q.pieces[9].pos = 70;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RegenToPieces(&q), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Panic: RegenToPieces pi present but pos\n");
}

TEST(HashKeys, TablesAndBoardPlacement) {
    hash_c.HashValuesInit();
    std::set<uint64_t> seen;
    for (int i = 0; i < 13; i++)
        for (int j = 0; j < 64; j++) {
            const uint64_t v1 = hash_c.hash_values.v1[i][j], v2 = hash_c.hash_values.v2[i][j];
            if (i == 6) {  // no piece
                EXPECT_TRUE(v1 == 0 && v2 == 0) << j;
                continue;
            }
            EXPECT_EQ(v1 & 1, 0u);
            EXPECT_LT(v1, 1ull << 31);
            EXPECT_LT(v2, 1ull << 31);
            seen.insert(v1);
        }
    EXPECT_GT(seen.size(), 760u);  // distinct enough to tell positions apart
    // every placement of one board gives keys of its own; the side to move is bit 0 alone
    ASSERT_TRUE(NewGameState(3));
    POS_T a = state.position;
    ASSERT_EQ(CreatePBoard(&a), 1);
    std::set<uint64_t> keys1, keys2;
    for (int pin : all_pins) {
        POS_T b = a;
        if (IsAttackBoardThere(&b, pin) != NO_SQUARE && pin != ABW_QL1) continue;
        b.whereis_board[0] = pin;
        ASSERT_EQ(CreatePBoard(&b), 1);
        keys1.insert(b.hash1);
        keys2.insert(b.hash2);
        POS_T c = b;
        c.move_num = 1;
        ASSERT_EQ(CreatePBoard(&c), 1);
        EXPECT_EQ(b.hash1 ^ c.hash1, 1u);
        EXPECT_EQ(b.hash2, c.hash2);
    }
    EXPECT_EQ(keys1.size(), 9u);
    EXPECT_EQ(keys2.size(), 9u);
}

TEST(Placement, QueriesLevelsAndOwners) {
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
    POS_T p = Placement(ABW_QL5, ABW_QL6, ABW_KL3, ABW_KL2);
    EXPECT_EQ(GetAttackBoardLevel(&p, 0), 7);
    EXPECT_EQ(GetAttackBoardLevel(&p, 2), 5);
    EXPECT_EQ(GetAttackBoardLevel(&p, 3), 3);
    // a lone passenger makes the board its side's; two change nothing; empty goes back
    memset(b->board, 0, sizeof b->board);
    const struct {
        SQ_T sq;
        int piece, board, white;
    } steps[] = {{A1, B_PAWN, 0, 0}, {A2, W_KNIGHT, 0, 0}, {A2, 0, 0, 0}, {A1, 0, 0, 1}, {D8, W_ROOK, 3, 1}};
    for (const auto& s : steps) {
        b->board[s.sq] = s.piece;
        AlignAttackBoards(b);
        EXPECT_EQ(b->whites_board[s.board], s.white) << (int)s.sq << " " << s.piece;
    }
}

// Reports go to standard error, never into the game record's output, each one
// whole line; the window's quiet hook keeps non-fatal ones for its verbose mode.
TEST(Panic, NonFatalReturnsFatalExits420AndIsAlwaysTold) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Panic(false, "x");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Panic: x\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EXIT(Panic(true, "boom"), testing::ExitedWithCode(420 & 0xFF), "Panic: boom\nUNSTABLE");
    const CORE_HOOKS_T saved = core_hooks;
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

// The projection rule written out independently of the engine: projected
// (file, rank) of every cell for a placement, files z..e = 0..5.
void Project(const POS_T& p, int sq, int* f, int* r) {
    const int x = sq >> 3, y = sq & 7;
    if (sq >= 32 || (y >= 2 && y <= 5)) {  // the main levels
        *f = sq >= 32 ? x - 3 : x + 1;
        *r = y + 1;
        return;
    }
    const int pin = p.whereis_board[(x >= 2 ? 2 : 0) + (y >= 6 ? 1 : 0)];
    int low = 8;  // QL6, KL6
    if (pin == ABW_QL1 || pin == ABW_KL1) low = 0;
    else if (pin == ABW_QL3 || pin == ABW_KL3) low = 2;
    else if (pin == ABW_QL2 || pin == ABW_QL5 || pin == ABW_KL2 || pin == ABW_KL5) low = 4;
    else if (pin == ABW_QL4 || pin == ABW_KL4) low = 6;
    const bool king_line = pin == ABW_KL1 || pin == ABW_KL2 || pin == ABW_KL3 || pin == ABW_KL4 ||
                           pin == ABW_KL5 || pin == ABW_KL6;
    *f = (king_line ? 4 : 0) + (x & 1);
    *r = low + (y >= 6 ? y - 6 : y);
}

const BTO_T* List(int k, int sq) { return bc_stored[bc_search_index]->all[k * 64 + sq]; }

TEST(PlacementSweep, EveryListFollowsTheProjectionRule) {
    state.dmode = 3;
    BoardConfigCacheClear();
    for (const auto& pins : AllPlacements()) {
        POS_T p = Placement(pins[0], pins[1], pins[2], pins[3]);
        FindBoardConfig(&p);
        int proj[64][2];
        for (int s = 0; s < 64; s++) Project(p, s, &proj[s][0], &proj[s][1]);
        int main_links[4] = {0, 0, 0, 0};
        for (int k = 0; k < 16; k++) {
            for (int s = 0; s < 64; s++) {
                const BTO_T* l = List(k, s);
                ASSERT_LE(l->n, 4u);
                std::set<int> expected;
                for (int t = 0; t < 64; t++)
                    if (proj[t][0] == proj[s][0] + dir_dfile[k] && proj[t][1] == proj[s][1] + dir_drank[k])
                        expected.insert(t);
                const std::set<int> got(l->tos, l->tos + l->n);
                ASSERT_EQ(got.size(), l->n) << "duplicate entry";
                ASSERT_EQ(got, expected) << GetAttackBoardString(&p) << " dir " << k << " sq " << s;
                // in a main-level cell's list the main-level cells come first,
                // White/Black level before middle
                bool seen_board = false;
                int last_main = 64;
                for (uint32_t i = 0; i < l->n; i++) {
                    const int t = (int)l->tos[i];
                    if (BoardOfCell(t) >= 0) {
                        seen_board = true;
                    } else if (BoardOfCell(s) >= 0) {
                        main_links[BoardOfCell(s)]++;
                    } else {
                        ASSERT_FALSE(seen_board) << "core entry after a board entry";
                        ASSERT_LT(t, last_main);
                        last_main = t;
                    }
                    const BTO_T* back = List((k + 8) % 16, t);
                    ASSERT_NE(std::find(back->tos, back->tos + back->n, (SQ_T)s), back->tos + back->n)
                        << "link without its reverse";
                }
            }
        }
        // links from each board to the main levels, by the pin it stands on
        for (int board = 0; board < 4; board++) {
            const int num = PinIndex(pins[board]) % 6 + 1;
            ASSERT_EQ(main_links[board], (num == 1 || num == 6) ? 18 : (num == 3 || num == 4) ? 46 : 60)
                << GetShortABStr(pins[board]);
        }
    }
}

TEST(PlacementSweep, CacheFindsStoredPlacementsAndReusesSlotsWhenFull) {
    state.dmode = 3;
    BoardConfigCacheClear();
    POS_T a = Placement(ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6);
    POS_T b = Placement(ABW_QL3, ABW_QL6, ABW_KL1, ABW_KL6);
    FindBoardConfig(&a);
    const int ia = bc_search_index;
    FindBoardConfig(&b);
    EXPECT_EQ(bc_index, 2);
    FindBoardConfig(&a);  // found, not built again
    EXPECT_EQ(bc_search_index, ia);
    EXPECT_EQ(bc_index, 2);
    const auto all = AllPlacements();
    POS_T first = Placement(all[0][0], all[0][1], all[0][2], all[0][3]);
    const std::vector<SQ_T> before = Step(&first, E4, NORTH);
    auto find = [&](size_t k) {
        POS_T p = Placement(all[k][0], all[k][1], all[k][2], all[k][3]);
        FindBoardConfig(&p);
        return bc_search_index;
    };
    std::map<int, size_t> held;  // slot -> the placement stored there
    for (size_t i = 0; i < 2 * BC_CACHE_SIZE; i++) {
        held[find(i * 7)] = i * 7;
        ASSERT_LE(bc_index, BC_CACHE_SIZE);
    }
    EXPECT_EQ(bc_index, BC_CACHE_SIZE);
    // the first placement was evicted long ago: it is rebuilt, and its maps too
    EXPECT_EQ(Step(&first, E4, NORTH), before);
    EXPECT_EQ(capmap_index, bc_search_index);
    EXPECT_EQ(bc_hashes[bc_search_index], PlacementKey(&first));
    // full: the slot the last lookup found is passed over when the next is reused
    const int next = (find(1) + 1) % BC_CACHE_SIZE;
    ASSERT_TRUE(held.count(next));
    EXPECT_EQ(find(held[next]), next);
    EXPECT_EQ(find(8), (next + 1) % BC_CACHE_SIZE);
    EXPECT_EQ(find(held[next]), next);
}

TEST(Connectivity, TellingRowsOfTheCoreAndOfPlacements) {
    auto core = [](SQ_T sq, int dir) {
        const BTO_T* l = bc_core->all[DirIndex(dir) * 64 + sq];
        return std::vector<SQ_T>(l->tos, l->tos + l->n);
    };
    EXPECT_EQ(core(A3, NORTH), (std::vector<SQ_T>{E4, A4}));
    EXPECT_EQ(core(E4, NORTH), (std::vector<SQ_T>{E5, A5}));
    EXPECT_EQ(core(A6, NORTH), (std::vector<SQ_T>{E7}));
    EXPECT_EQ(core(A3, N_N_E), (std::vector<SQ_T>{F5, B5}));
    EXPECT_EQ(core(E1, NORTH), (std::vector<SQ_T>{E2}));
    EXPECT_EQ(core(E8, NORTH), (std::vector<SQ_T>{}));
    // attack-board cells have no core links; unused entries hold the filler
    for (int k = 0; k < 16; k++) {
        EXPECT_EQ(bc_core->all[k * 64 + A1]->n, 0u);
        EXPECT_EQ(bc_core->all[k * 64 + A1]->tos[0], NO_SQUARE);
        EXPECT_EQ(bc_core->all[k * 64 + D8]->n, 0u);
    }
    state.dmode = 3;
    POS_T home = Placement(ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6);
    POS_T paired = Placement(ABW_QL2, ABW_QL5, ABW_KL1, ABW_KL6);
    const struct {
        POS_T* p;
        SQ_T sq;
        int dir;
        std::vector<SQ_T> to;
    } rows[] = {
        {&home, E8, NORTH, {B8}},  // a8 to the QLB board's a9
        {&home, A3, NORTH, {E4, A4}},
        {&home, E1, SOUTH, {B1}},
        {&home, B2, NORTH, {E2}},
        {&home, E2, SOUTH, {E1, B2}},
        {&home, B1, NORTH, {E1, B2}},
        {&home, A1, NORTH, {A2}},
        {&home, A1, EAST, {B1}},
        {&paired, A1, EAST, {E4, A4, B1, B7}},  // paired boards share their cells
        {&paired, E4, NORTH, {E5, A5, B2, B8}},
        {&paired, E4, WEST, {A1, A7}},
    };
    for (const auto& r : rows) EXPECT_EQ(Step(r.p, r.sq, r.dir), r.to) << (int)r.sq << " " << r.dir;
    EXPECT_TRUE(OffBoard(&home, A1, WEST));
    EXPECT_FALSE(OffBoard(&home, A1, NORTH));
    // bad inputs give empty lists
    SQ_T t[4];
    BTO_T rec{0, t};
    EXPECT_EQ(DirTo(&home, 64, NORTH, &rec), 0);
    EXPECT_EQ(t[0], NO_SQUARE);
    testing::internal::CaptureStderr();
    EXPECT_EQ(DirTo(&home, A3, 0, &rec), 0);
    EXPECT_EQ(DirTo(&home, A3, 3, &rec), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Panic: NULL 3d direction\nPanic: unknown 3d direction\n");
}

TEST(Connectivity, TwoDimensionalStepsAndEmptyLines) {
    state.dmode = 2;
    POS_T p{};
    EXPECT_EQ(Step(&p, G6, N_N_E), (std::vector<SQ_T>{H8}));
    EXPECT_EQ(Step(&p, D4, S_S_W), (std::vector<SQ_T>{C2}));
    // every 2D step stays on the board and moves by the direction's offsets
    for (int k = 0; k < 16; k++)
        for (SQ_T sq = 0; sq < 64; sq++) {
            const auto l = Step(&p, sq, dir_order[k]);
            const int x = (int)XPOS(sq) + dir_dfile[k], y = (int)YPOS(sq) + dir_drank[k];
            const bool inside = x >= 0 && x < 8 && y >= 0 && y < 8;
            ASSERT_EQ(l, inside ? std::vector<SQ_T>{(SQ_T)(x * 8 + y)} : std::vector<SQ_T>{})
                << (int)sq << " " << k;
        }
    p.board[A4] = W_PAWN;
    EXPECT_FALSE(EmptyLine(&p, A1, A8));
    EXPECT_TRUE(EmptyLine(&p, A1, A2));
    EXPECT_TRUE(EmptyLine(&p, A1, A4));  // the end square itself is not looked at
    EXPECT_TRUE(EmptyLine(&p, C3, C3));
    EXPECT_TRUE(EmptyLine(&p, A1, H8));
    p.board[D4] = B_KNIGHT;
    EXPECT_FALSE(EmptyLine(&p, A1, H8));
    EXPECT_FALSE(EmptyLine(&p, A1, B3));  // not a line: walks off the board without harm
}

TEST(Coordinates, LevelsAndPlaces) {
    state.dmode = 3;
    POS_T p = Placement(ABW_QL1, ABW_QL6, ABW_KL3, ABW_KL6);
    const int levels[][2] = {{E1, 2}, {A3, 4}, {H8, 6}, {A1, 3}, {C2, 5}, {D8, 7}};
    for (const auto& l : levels) EXPECT_EQ(GetLevel(&p, l[0]), l[1]) << l[0];
    P3D_T c;
    GetCoords(&p, 4, 0, &c);  // E1
    EXPECT_EQ((std::vector<float>{c.x, c.y, c.z}), (std::vector<float>{-2, -4, -2}));
    GetCoords(&p, 0, 1, &c);  // A2 on QL1
    EXPECT_EQ((std::vector<float>{c.x, c.y, c.z}), (std::vector<float>{-3, -4, -1}));
    // cells at one projected position are drawn at one horizontal place
    EXPECT_TRUE(IsSameCell(&p, E3, A3));
    EXPECT_FALSE(IsSameCell(&p, E3, A4));
    POS_T q = Placement(ABW_QL2, ABW_QL5, ABW_KL1, ABW_KL6);
    EXPECT_TRUE(IsSameCell(&q, A1, A7));
    EXPECT_FALSE(IsSameCell(&q, A1, B1));
    state.dmode = 2;
    EXPECT_EQ(GetLevel(&p, E1), 0);
    GetCoords(&p, 0, 0, &c);
    EXPECT_EQ((std::vector<float>{c.x, c.y}), (std::vector<float>{-4, -4}));
}

}  // namespace
