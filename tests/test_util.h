// Helpers shared by the tests.
#pragma once

#include <cstdlib>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tamzor.h"
#include "board/board.h"
#include "shell/shell.h"

// What a shell command writes on its standard output, and its exit status
// as pclose gives it.
inline std::string CommandOutput(const std::string& cmd, int* status = nullptr) {
    std::string out;
    FILE* f = popen(cmd.c_str(), "r");
    if (!f) {
        if (status) *status = -1;
        return out;
    }
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    const int st = pclose(f);
    if (status) *status = st;
    return out;
}

// The destinations of one step, as a vector.
inline std::vector<SQ_T> Step(POS_T* b, SQ_T sq, int dir) {
    SQ_T t[4];
    BTO_T rec{0, t};
    int n = DirTo(b, sq, dir, &rec);
    return std::vector<SQ_T>(t, t + n);
}

// A bare 3D position with the boards on the given pins (QLW, QLB, KLW, KLB).
inline POS_T Placement(int qlw, int qlb, int klw, int klb) {
    POS_T p{};
    p.whereis_board[0] = qlw;
    p.whereis_board[1] = qlb;
    p.whereis_board[2] = klw;
    p.whereis_board[3] = klb;
    p.whites_board[0] = p.whites_board[2] = 1;
    return p;
}

// Every placement of the four boards on distinct pins.
inline std::vector<std::vector<int>> AllPlacements() {
    std::vector<std::vector<int>> out;
    for (int a = 0; a < 12; a++)
        for (int b = 0; b < 12; b++)
            for (int c = 0; c < 12; c++)
                for (int d = 0; d < 12; d++) {
                    if (a == b || a == c || a == d || b == c || b == d || c == d) continue;
                    out.push_back({all_pins[a], all_pins[b], all_pins[c], all_pins[d]});
                }
    return out;
}

// A directory of the test's own under the temporary directory, removed with
// all it holds when the test ends (some tests write files of many megabytes).
struct SCRATCH_DIR_T {
    std::string path;
    explicit SCRATCH_DIR_T(const std::string& prefix) {
        std::string tmpl = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
        if (mkdtemp(tmpl.data())) path = tmpl;
    }
    ~SCRATCH_DIR_T() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    SCRATCH_DIR_T(const SCRATCH_DIR_T&) = delete;
    SCRATCH_DIR_T& operator=(const SCRATCH_DIR_T&) = delete;
};

// Long runs (deep perft, long self-play) only run under `make check-long`.
#define SKIP_UNLESS_LONG()                                                   \
    do {                                                                     \
        if (!getenv("TAMZOR_LONG")) GTEST_SKIP() << "long run: make check-long"; \
    } while (0)

struct PLACED_T {
    SQ_T sq;
    int piece;
};

// A 3D position with the given boards, pieces and side to move.
inline POS_T* Setup3D(std::vector<int> pins, std::vector<PLACED_T> pieces, bool white = true, uint64_t rights = 0) {
    EXPECT_TRUE(NewGameState(3));
    state.rules = RULES_TDCL;
    POS_T* b = &state.position;
    memset(b->board, 0, sizeof b->board);
    for (int i = 0; i < 4; i++) b->whereis_board[i] = pins[i];
    for (const PLACED_T& p : pieces) b->board[p.sq] = p.piece;
    b->move_num = white ? 0 : 1;
    b->flags = rights;
    EXPECT_EQ(CreatePBoard(b), 1);
    UpdateMaps(b);
    const PS_T& king = b->pieces[white ? 0 : 16];
    if (b->topieces[king.pos] & (white ? 0xFFFF0000ull : 0xFFFFull)) b->flags |= FLAG_IN_CHECK;
    return b;
}

