// The terminal game: the first byte picks the options (game, notation,
// rules, the computer's side), the rest is what a person types at the
// prompt. The computer plays shallow and quick here.
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_util.h"
#include "tamzor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    FuzzForgetSavedGame();
    if (size == 0) return 0;
    const uint8_t pick = data[0];
    std::vector<std::string> args = {pick & 1 ? "--3d" : "--2d", "--notation", std::to_string((pick >> 1) % 3),
                                     "--rules", pick & 8 ? "tournament" : "tdcl", "--computer"};
    static const char* const sides[] = {"none", "none", "white", "black"};
    args.push_back(sides[(pick >> 4) % 4]);
    for (const char* a : {"--depth", "2", "--time", "1"}) args.push_back(a);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());

    std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    std::streambuf* keep = std::cin.rdbuf(in.rdbuf());
    CmdPlay((int)argv.size(), argv.data());
    std::cin.rdbuf(keep);
    std::cin.clear();
    return 0;
}
