// Leaf counts of the move tree, the usual check of a move generator.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "cli.h"
#include "tamzor.h"
#include "board/board.h"
#include "movegen/movegen.h"
#include "position/position.h"

int CmdPerft(int argc, char** argv) {
    CLI_OPTIONS_T opt;
    bool divide = false;
    int depth = -1;
    for (int i = 0; i < argc; i++) {
        const char* a = argv[i];
        if (!strcmp(a, "--divide")) {
            divide = true;
        } else if (a[0] == '-' && a[1] == '-') {
            if (!ParseCommonOption(argc, argv, &i, &opt)) return 2;
        } else if (depth < 0) {
            char* end;
            long d = strtol(a, &end, 10);
            if (!*a || *end || d < 0 || d > 99) {
                fprintf(stderr, "tamzor-cli: bad perft depth '%s' (a number from 0)\n", a);
                return 2;
            }
            depth = (int)d;
        } else {
            fprintf(stderr, "tamzor-cli: unexpected argument '%s'\n", a);
            return 2;
        }
    }
    if (depth < 0) {
        fprintf(stderr, "tamzor-cli: perft needs a depth\n");
        return 2;
    }
    if (int rc = SetUpPosition(opt)) return rc;
    POS_T* b = &state.position;
    // Every ply searched writes its key into the game's 1000-ply record.
    if (b->move_num + depth + 2 >= GAME_RECORD_SIZE) {
        fprintf(stderr, "tamzor-cli: perft depth %d is too deep for a game at ply %d\n", depth,
                b->move_num);
        return 2;
    }

    auto start = std::chrono::steady_clock::now();
    uint64_t total = 0;
    if (divide) {
        std::vector<MOVE_T> legal(LEGAL_LIST_SIZE);
        int n = depth > 0 ? LegalMoves(b, legal.data()) : 0;
        std::vector<std::pair<std::string, uint64_t>> lines;
        static POS_T child;
        for (int i = 0; i < n; i++) {
            MOVE_T m = legal[i];
            uint64_t count = 0;
            if (depth == 1) count = 1;
            else if (DoMove(&child, b, &m)) count = Perft(&child, depth - 1);
            lines.emplace_back(MoveToken(legal[i]), count);
            total += count;
        }
        std::sort(lines.begin(), lines.end());
        for (const auto& [token, count] : lines)
            printf("%s: %llu\n", token.c_str(), (unsigned long long)count);
        printf("\n");
        if (depth == 0) total = 1;
    } else {
        total = depth == 0 ? 1 : Perft(b, depth);
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("Nodes searched: %llu\n", (unsigned long long)total);
    fflush(stdout);
    fprintf(stderr, "time %.3f s, %.0f nodes/s\n", seconds,
            seconds > 0 ? (double)total / seconds : 0.0);
    return 0;
}
