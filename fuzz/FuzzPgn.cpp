// PGN text: game 1 (or the game the first byte picks) read into the live
// game. A game the reader accepts must be written back as PGN that reads to
// the same game, and a refused one must leave the game before it as it was.
#include <cstdint>
#include <string>

#include "fuzz_util.h"
#include "tamzor.h"
#include "position/position.h"
#include "shell/shell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    if (size == 0) return 0;
    const int number = 1 + data[0] % 3;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    opt.moves = "e2e4 e7e5";
    if (SetUpPosition(opt)) abort();
    const uint64_t before = state.position.hash1;
    std::string error;
    if (!PgnLoadGame(text, number, &error)) {
        FUZZ_CHECK(!error.empty());
        FUZZ_CHECK(state.position.hash1 == before && state.position.move_num == 2 && state.dmode == 2);
        return 0;
    }
    const uint64_t key = state.position.hash1;
    const int plies = state.position.move_num;
    const std::string own = PgnText(PGN_TAGS_T());
    FUZZ_CHECK(SetUpPosition(opt) == 0);
    FUZZ_CHECK(PgnLoadGame(own, 1, &error));
    FUZZ_CHECK(state.position.hash1 == key && state.position.move_num == plies);
    FUZZ_CHECK(PgnText(PGN_TAGS_T()) == own);
    JudgeGame(&state.position);
    FuzzExercisePosition(&state.position);
    return 0;
}
