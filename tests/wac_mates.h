// The mate problems of the tactical suite (tests/data/wac-mates.epd): its
// mates in two and three, each with the suite's best move.
#pragma once

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

struct PROBLEM_T {
    std::string fen, id;
    int mate_in;
    std::string bm;  // the suite's best move, as it writes it (Qxh5)
};

inline std::vector<PROBLEM_T> MateProblems() {
    std::ifstream in(std::string(TAMZOR_SOURCE_DIR) + "/tests/data/wac-mates.epd");
    std::vector<PROBLEM_T> out;
    std::regex dm("dm ([23]);"), id("id \"([^\"]+)\""), bm("bm ([^;]+);");
    for (std::string line; std::getline(in, line);) {
        std::smatch m, i, b;
        if (!std::regex_search(line, m, dm) || !std::regex_search(line, i, id) || !std::regex_search(line, b, bm))
            continue;
        std::istringstream fields(line);
        std::string f[4];
        for (auto& s : f) fields >> s;
        out.push_back({f[0] + " " + f[1] + " " + f[2] + " " + f[3] + " 0 1", i[1], std::stoi(m[1]), b[1]});
    }
    return out;
}
