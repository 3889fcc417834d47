// FEN text: read, checked and set up as the live 2D game. A position the
// set-up accepts must be playable and must give back its own FEN.
#include <cstdint>
#include <string>

#include "fuzz_util.h"
#include "tamzor.h"
#include "board/board.h"
#include "position/position.h"
#include "shell/shell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    const std::string text(reinterpret_cast<const char*>(data), size);
    FEN_T fen;
    std::string error;
    const bool parsed = ParseFen(text, &fen, &error);
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    if (!SetUpGame(opt)) abort();
    if (!SetUpFen(text, &error)) return 0;
    FUZZ_CHECK(parsed);

    const std::string own = FenText(&state.position);
    const uint64_t key = state.position.hash1;
    FUZZ_CHECK(SetUpGame(opt) && SetUpFen(own, &error));
    FUZZ_CHECK(FenText(&state.position) == own);
    FUZZ_CHECK(state.position.hash1 == key);
    JudgeGame(&state.position);
    FuzzExercisePosition(&state.position);
    return 0;
}
