// Who plays which side: given to the computer after a game is restored or
// loaded, and told to the player in words.
#include <cctype>
#include <cstdio>

#include "viewlogic.h"
#include "tamzor.h"
#include "search/search.h"

void ComputerTakesSide(int side) {
    {
        std::lock_guard<std::recursive_mutex> lock(GameMutex());
        if (side == TAMZOR_WHITE || side == TAMZOR_BLACK) computer_side = side;
        // A decided game has nobody on move; undo gives the computer its side back.
        const bool decided = state.position.winner != 0;
        state.demo_mode = !decided && side == TAMZOR_BOTH ? 1 : 0;
        int plays = TAMZOR_OFF;
        if (!decided && (side == TAMZOR_WHITE || side == TAMZOR_BLACK)) plays = side;
        if (state.demo_mode) plays = NextToPlay(&state.position);
        StoreShared(state.tamzor, plays);
    }
    EngineNudge();  // it moves at once when its side is to move
}

const char* SidesText(const char* prefix, char* out, size_t size) {
    const char* sides;
    std::lock_guard<std::recursive_mutex> lock(GameMutex());  // the engine ends games
    switch (state.demo_mode ? TAMZOR_BOTH : LoadShared(state.tamzor)) {
        case TAMZOR_WHITE: sides = "you play Black, %s plays White"; break;
        case TAMZOR_BLACK: sides = "you play White, %s plays Black"; break;
        case TAMZOR_BOTH: sides = "%s plays both sides"; break;
        default: sides = "Tamzor is not playing: you move both sides"; break;
    }
    char text[160];
    snprintf(text, sizeof text, sides, ComputerName().c_str());
    snprintf(out, size, "%s%s", prefix, text);
    if (size && !*prefix) out[0] = (char)toupper((unsigned char)out[0]);
    return out;
}

const char* TurnText(int tamzor, int to_move, char* out, size_t size) {
    const char* side = to_move == TAMZOR_WHITE ? "White" : "Black";
    if (tamzor == to_move) snprintf(out, size, "%s is thinking (%s)", ComputerName().c_str(), side);
    else snprintf(out, size, "Your move (%s)", side);
    return out;
}
