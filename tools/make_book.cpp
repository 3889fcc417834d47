// Makes the opening books (scripts/make_books.py runs it; see there).
//
//     make_book lines --2d|--3d LINES OUT.bin [--plies N]
//         A book from opening lines, one a line of LINES: move tokens from the
//         start, separated by blanks. Every move of the first N plies (all by
//         default) counts once for its position; its weight is that count.
//     make_book selfplay --3d|--2d LINES [--games G] [--plies P] [--depth D]
//                        [--nodes K] [--margin M] [--seed S]
//         G games (100) of the engine against itself for P plies (12): in each
//         position every legal move is valued by a search of its own, D plies
//         (4) within K nodes (30000), and one of the moves within M pawns (0.3)
//         of the best is played at random. The lines go to LINES, one a game.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "search/book.h"

namespace {
int Usage() {
    fprintf(stderr,
            "usage: make_book lines --2d|--3d LINES OUT.bin [--plies N]\n"
            "       make_book selfplay --2d|--3d LINES [--games G] [--plies P] [--depth D] [--nodes K]\n"
            "                 [--margin M] [--seed S]\n");
    return 2;
}

bool NewGame(int dmode) {
    CLI_OPTIONS_T opt;
    opt.dmode = dmode;
    return SetUpGame(opt);
}

bool Play(const std::string& token) {
    std::string error;
    return PlayMoves(token, &error);
}

int Lines(int dmode, const std::string& in_path, const std::string& out_path, int plies) {
    std::ifstream in(in_path);
    if (!in) {
        fprintf(stderr, "make_book: cannot read %s\n", in_path.c_str());
        return 1;
    }
    std::map<std::pair<uint64_t, uint16_t>, unsigned> count;
    int games = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        if (!NewGame(dmode)) return 1;
        int ply = 0;
        for (std::string token; ply < plies && words >> token; ply++) {
            MOVE_T m;
            std::string error;
            if (!MoveFromToken(&state.position, token, &m, &error)) {
                fprintf(stderr, "make_book: game %d, ply %d: %s\n", games + 1, ply + 1, error.c_str());
                break;
            }
            count[{BookKey(&state.position), BookMoveCode(&state.position, m)}]++;
            if (!Play(token)) break;
        }
        games++;
    }
    std::vector<BOOK_ENTRY_T> entries;
    for (const auto& [k, n] : count) entries.push_back({k.first, k.second, (uint16_t)std::min(n, 65535u), 0});
    std::string error;
    if (!BookWrite(out_path, entries, &error)) {
        fprintf(stderr, "make_book: %s\n", error.c_str());
        return 1;
    }
    fprintf(stderr, "%s: %zu entries from %d games\n", out_path.c_str(), entries.size(), games);
    return 0;
}

struct VALUED_T {
    std::string token;
    ETYPE_T value;
};

// Every legal move of the live position valued by a short search of its own.
std::vector<VALUED_T> ValueMoves(int depth, uint64_t max_nodes) {
    std::vector<VALUED_T> valued;
    static MOVE_T legal[LEGAL_LIST_SIZE];
    const int n = LegalMoves(&state.position, legal);
    for (int i = 0; i < n; i++) {
        SEARCH_LIMITS_T limits;
        limits.maxdepth = DIFF_HARD;
        limits.last_iteration = depth;
        limits.max_nodes = max_nodes;
        limits.no_soft_limit = true;
        limits.seconds = 600;
        limits.only_moves = {MoveToken(legal[i])};
        POS_T root = state.position;
        MOVE_T found;
        const ETYPE_T v = EngineSearch(&root, &found, limits, nullptr);
        valued.push_back({MoveToken(legal[i]), v});
    }
    return valued;
}

int SelfPlay(int dmode, const std::string& out_path, int games, int plies, int depth, uint64_t max_nodes,
             double margin, uint64_t seed) {
    std::ofstream out(out_path);
    if (!out) {
        fprintf(stderr, "make_book: cannot write %s\n", out_path.c_str());
        return 1;
    }
    std::mt19937_64 rng(seed);
    std::map<std::pair<uint64_t, int>, std::vector<VALUED_T>> known;  // by key and ply
    const ETYPE_T within = (ETYPE_T)std::lround(margin * 10052);
    for (int g = 0; g < games; g++) {
        if (!NewGame(dmode)) return 1;
        std::string line;
        for (int ply = 0; ply < plies && state.position.winner == 0; ply++) {
            const std::pair<uint64_t, int> key{BookKey(&state.position), ply};
            auto it = known.find(key);
            if (it == known.end()) it = known.emplace(key, ValueMoves(depth, max_nodes)).first;
            const std::vector<VALUED_T>& moves = it->second;
            if (moves.empty()) break;
            ETYPE_T best = moves[0].value;
            for (const VALUED_T& m : moves) best = std::max(best, m.value);
            std::vector<const VALUED_T*> near;
            for (const VALUED_T& m : moves)
                if (m.value >= best - within) near.push_back(&m);
            const std::string token = near[rng() % near.size()]->token;
            if (!Play(token)) break;
            line += (line.empty() ? "" : " ") + token;
        }
        out << line << "\n";
        out.flush();
        fprintf(stderr, "game %d: %s\n", g + 1, line.c_str());
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Usage();
    const std::string mode = argv[1];
    int dmode = !strcmp(argv[2], "--2d") ? 2 : !strcmp(argv[2], "--3d") ? 3 : 0;
    if (!dmode) return Usage();
    std::vector<std::string> files;
    int plies = -1, games = 100, depth = 4;
    uint64_t max_nodes = 30000, seed = 1;
    double margin = 0.3;
    for (int i = 3; i < argc; i++) {
        const std::string a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a.rfind("--", 0) != 0) {
            files.push_back(a);
            continue;
        }
        if (!v) return Usage();
        i++;
        if (a == "--plies") plies = atoi(v);
        else if (a == "--games") games = atoi(v);
        else if (a == "--depth") depth = atoi(v);
        else if (a == "--nodes") max_nodes = strtoull(v, nullptr, 10);
        else if (a == "--margin") margin = atof(v);
        else if (a == "--seed") seed = strtoull(v, nullptr, 10);
        else return Usage();
    }
    if (mode == "lines" && files.size() == 2) return Lines(dmode, files[0], files[1], plies < 0 ? 1000 : plies);
    if (mode == "selfplay" && files.size() == 1)
        return SelfPlay(dmode, files[0], games, plies < 0 ? 12 : plies, depth, max_nodes, margin, seed);
    return Usage();
}
