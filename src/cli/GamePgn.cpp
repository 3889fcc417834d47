#include "cli.h"
#include "tamzor.h"
#include "shell/shell.h"

std::string GamePgn(int computer) {
    PGN_TAGS_T tags;
    const bool white = computer == TAMZOR_WHITE || computer == TAMZOR_BOTH;
    const bool black = computer == TAMZOR_BLACK || computer == TAMZOR_BOTH;
    if (white) tags.white = "Tamzor";
    if (black) tags.black = "Tamzor";
    return PgnText(tags);
}
