// The configuration cache: one connectivity table per placement of the four
// attack boards, built on first use. There are far more placements (4 boards
// on 12 pins) than the cache holds, so when it is full the oldest entry is
// reused; every reader goes through DirTo, which looks the placement up again
// at each call, so no position keeps a stale table.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tamzor.h"
#include "board/board.h"

int MainCellsAt(int file, int rank, SQ_T out[2]);

thread_local constinit int bc_hash;
thread_local constinit int bc_hashes[BC_CACHE_SIZE];
thread_local constinit BC_T* bc_stored[BC_CACHE_SIZE];
thread_local constinit int bc_index;
thread_local constinit int bc_search_index;
thread_local constinit int bc_recurse;
thread_local constinit int abo_a, abo_b, abo_c, abo_d;
thread_local constinit int abi_a, abi_b, abi_c, abi_d;
thread_local constinit int ab_outer, ab_inner;
thread_local constinit int capmap_index = -1;

namespace {
struct CONFIG_BLOCK_T {
    BC_T bc;
    BTO_T rec[1024];
    SQ_T sq[1024][4];
    signed char levels[64];          // level of every cell for this placement
    bool maps_built;                 // `lines` and `sliders` hold this placement's maps
    LINE_MAP_T lines;
    CAPTURE_SLICE_T sliders[6];
};

// Frees this thread's tables when the thread ends.
struct CACHE_OWNER_T {
    ~CACHE_OWNER_T() {
        for (BC_T*& blk : bc_stored) {
            free(blk);
            blk = nullptr;
        }
        bc_index = 0;
    }
};
thread_local constinit CACHE_OWNER_T cache_owner;

thread_local constinit int bc_evict_next;   // next slot to reuse once the cache is full
thread_local constinit int bc_previous;     // the slot found before the last one

typedef void (*ADDPATH_F)(int, int);
const ADDPATH_F add_path[16] = {AddPath_N, AddPath_NNE, AddPath_NE, AddPath_ENE,
                                AddPath_E, AddPath_ESE, AddPath_SE, AddPath_SSE,
                                AddPath_S, AddPath_SSW, AddPath_SW, AddPath_WSW,
                                AddPath_W, AddPath_WNW, AddPath_NW, AddPath_NNW};

// Pin number 1..6 within its line and the line (0 queen's, 1 king's), from a
// pin index 0..11.
inline int PinNumber(int pin_index) { return pin_index % 6 + 1; }
inline int PinLine(int pin_index) { return pin_index / 6; }

void SetBoardCells(int board, int* a, int* b, int* c, int* d) {
    int base = (int)WhereIsAB_C(board);
    *c = base;
    *a = base + 1;
    *d = base + 8;
    *b = base + 9;
}

const char* PinError(int pin_index) {
    static const char* const msg[12] = {
        "Error! QL1 @ DirTo", "Error! QL2 @ DirTo", "Error! QL3 @ DirTo",
        "Error! QL4 @ DirTo", "Error! QL5 @ DirTo", "Error! QL6 @ DirTo",
        "Error! KL1 @ DirTo", "Error! KL2 @ DirTo", "Error! KL3 @ DirTo",
        "Error! KL4 @ DirTo", "Error! KL5 @ DirTo", "Error! KL6 @ DirTo"};
    return msg[pin_index];
}

// Links between the outer board and another board of the placement.
void JoinPair(int outer_pin, int inner_pin_value) {
    int inner_pin = PinIndex(inner_pin_value);
    if (outer_pin < 0) Panic(true, "Error! Bad inner board @ DirTo");
    if (inner_pin < 0 || inner_pin == outer_pin) Panic(true, PinError(outer_pin));
    if (PinLine(inner_pin) != PinLine(outer_pin)) return;
    int o = PinNumber(outer_pin), i = PinNumber(inner_pin);
    // pin rows along a line: 1 (ranks 0-1), 3 (2-3), 2 and 5 (4-5), 4 (6-7), 6 (8-9)
    static const int row[7] = {0, 0, 2, 1, 3, 2, 4};
    if (row[i] == row[o] + 1)
        UpPattern();
    else if (row[i] + 1 == row[o])
        DownPattern();
    else if (row[i] == row[o])
        SamePattern();
}

void BuildConfig(POS_T* pos) {
    CONFIG_BLOCK_T* blk = reinterpret_cast<CONFIG_BLOCK_T*>(bc_stored[bc_search_index]);
    for (int k = 0; k < 1024; k++) {
        blk->bc.all[k] = &blk->rec[k];
        blk->rec[k].tos = blk->sq[k];
        const BTO_T* core = bc_core->all[k];
        blk->rec[k].n = core->n;
        for (int j = 0; j < 4; j++) blk->sq[k][j] = core->tos[j];
    }
    for (int sq = 0; sq < 64; sq++) {
        int board = BoardOfCell((SQ_T)sq);
        blk->levels[sq] = (signed char)(board < 0 ? (sq >= 32 ? (YPOS(sq) < 4 ? 2 : 6) : 4)
                                                  : GetAttackBoardLevel(pos, board));
    }
    bc_recurse = 0;
    for (ab_outer = 0; ab_outer < 4; ab_outer++) {
        SetBoardCells(ab_outer, &abo_a, &abo_b, &abo_c, &abo_d);
        int outer_pin = PinIndex(pos->whereis_board[ab_outer]);
        if (outer_pin < 0) Panic(true, "Bad outer board @ DirTo");
        const int cells[4] = {abo_a, abo_b, abo_c, abo_d};
        for (int k = 0; k < 16; k++) {
            for (int cell : cells) {
                int f, r;
                ProjectedCell(pos, (SQ_T)cell, &f, &r);
                SQ_T targets[2];
                int n = MainCellsAt(f + dir_dfile[k], r + dir_drank[k], targets);
                for (int t = 0; t < n; t++) add_path[k](cell, (int)targets[t]);
            }
        }
        for (ab_inner = 0; ab_inner < 4; ab_inner++) {
            SetBoardCells(ab_inner, &abi_a, &abi_b, &abi_c, &abi_d);
            if (ab_inner == ab_outer)
                SamePattern();
            else
                JoinPair(outer_pin, pos->whereis_board[ab_inner]);
        }
    }
}

int FindSlot(int key) {
    if (bc_search_index < bc_index && bc_hashes[bc_search_index] == key) return bc_search_index;
    if (bc_previous < bc_index && bc_hashes[bc_previous] == key) return bc_previous;
    for (int i = 0; i < bc_index; i++)
        if (bc_hashes[i] == key) return i;
    return -1;
}
}  // namespace

int PlacementKey(const POS_T* b) {
    return (b->whereis_board[0] << 24) + (b->whereis_board[1] << 16) +
           (b->whereis_board[2] << 8) + b->whereis_board[3];
}

void FindBoardConfig(POS_T* b) {
    bc_hash = PlacementKey(b);
    int slot = FindSlot(bc_hash);
    if (slot >= 0) {
        if (slot != bc_search_index) bc_previous = bc_search_index;
        bc_search_index = slot;
        return;
    }
    bc_previous = bc_search_index;
    if (bc_index < BC_CACHE_SIZE) {
        slot = bc_index++;
        (void)&cache_owner;  // registers the clean-up for this thread
        if (!bc_stored[slot])
            bc_stored[slot] = reinterpret_cast<BC_T*>(calloc(1, sizeof(CONFIG_BLOCK_T)));
        if (!bc_stored[slot]) Panic(true, "Realloc failed");
    } else {
        // Full: reuse the oldest slot, never the one the last lookup found.
        slot = bc_evict_next;
        if (slot == bc_search_index) slot = (slot + 1) % BC_CACHE_SIZE;
        bc_evict_next = (slot + 1) % BC_CACHE_SIZE;
        if (capmap_index == slot) capmap_index = -1;  // its maps describe the old placement
    }
    bc_search_index = slot;
    bc_hashes[slot] = bc_hash;
    reinterpret_cast<CONFIG_BLOCK_T*>(bc_stored[slot])->maps_built = false;
    if (eval_show) printf("\nBuilding %s #%d", GetAttackBoardString(b), bc_index);
    BuildConfig(b);
}

STORED_MAPS_T StoredMaps(int slot) {
    CONFIG_BLOCK_T* blk = reinterpret_cast<CONFIG_BLOCK_T*>(bc_stored[slot]);
    return {&blk->lines, blk->sliders, &blk->maps_built};
}

const signed char* ConfigLevels(const BC_T* bc) {
    return reinterpret_cast<const CONFIG_BLOCK_T*>(bc)->levels;
}

void BoardConfigCacheClear() {
    // Blocks are kept for reuse; only the keys are forgotten.
    for (int i = 0; i < BC_CACHE_SIZE; i++) bc_hashes[i] = 0;
    bc_recurse = 0;
    bc_hash = 0;
    bc_index = 0;
    bc_search_index = 0;
    bc_previous = 0;
    bc_evict_next = 0;
    capmap_index = -1;
}
