// The saved-game file: the input is tamzor.sav, restored as the terminal
// tool restores it (validation, replay of the moves, the listing). A game
// the restore accepts must be playable, and must save and restore again.
#include <cstdint>
#include <cstdio>

#include "fuzz_util.h"
#include "tamzor.h"
#include "movegen/movegen.h"
#include "position/position.h"
#include "shell/shell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    FILE* f = fopen("tamzor.sav", "wb");
    if (!f) abort();
    if (size && fwrite(data, 1, size, f) != size) abort();
    fclose(f);
    if (CmdRestore(0, nullptr) != 0) return 0;

    POS_T* b = &state.position;
    FuzzExercisePosition(b);
    FUZZ_CHECK(SaveGame(0));
    const POS_T before = *b;
    FUZZ_CHECK(RestoreGame(0));
    FUZZ_CHECK(state.position.hash1 == before.hash1 && state.position.move_num == before.move_num);
    // and the game goes on from there like any other
    MOVE_T legal[LEGAL_LIST_SIZE];
    if (!state.position.winner && LegalMoves(&state.position, legal) > 0) {
        bool over;
        FUZZ_CHECK(PlayUserMove(&legal[0], &over));
        UndoMoves(1);
        FUZZ_CHECK(state.position.hash1 == before.hash1);
    }
    return 0;
}
