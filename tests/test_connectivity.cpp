// Board connectivity: the step lists of every pin placement against the
// projection rule, and the telling rows and edge cases.
#include <gtest/gtest.h>

#include "test_util.h"

namespace {

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
    for (size_t i = 0; i < 2 * BC_CACHE_SIZE; i++) {
        POS_T p = Placement(all[i * 7][0], all[i * 7][1], all[i * 7][2], all[i * 7][3]);
        FindBoardConfig(&p);
        ASSERT_LE(bc_index, BC_CACHE_SIZE);
    }
    EXPECT_EQ(bc_index, BC_CACHE_SIZE);
    // the first placement was evicted long ago: it is rebuilt, and its maps too
    EXPECT_EQ(Step(&first, E4, NORTH), before);
    EXPECT_EQ(capmap_index, bc_search_index);
    EXPECT_EQ(bc_hashes[bc_search_index], PlacementKey(&first));
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
    POS_T home = Placement(ABW_QL1, ABW_QL6, ABW_KL1, ABW_KL6), paired = Placement(ABW_QL2, ABW_QL5, ABW_KL1, ABW_KL6);
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
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Panic: NULL 3d direction\nPanic: unknown 3d direction\n");
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
            ASSERT_EQ(l, inside ? std::vector<SQ_T>{(SQ_T)(x * 8 + y)} : std::vector<SQ_T>{}) << (int)sq << " " << k;
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
