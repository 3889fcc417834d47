// The promotion question of a mouse move: SDL's message box.
#include <SDL2/SDL.h>

#include <cstdio>

#include "viewlogic.h"

int AskPromotion() {
    const SDL_MessageBoxButtonData buttons[] = {
        {4, 4, "knight"}, {3, 3, "bishop"}, {2, 2, "rook"}, {1, 1, "queen"}};
    const SDL_MessageBoxColorScheme colors = {{{255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255}}};
    const SDL_MessageBoxData data = {SDL_MESSAGEBOX_INFORMATION, nullptr, "PROMOTION", "select a piece",
                                     SDL_arraysize(buttons), buttons, &colors};
    int id = 0;
    if (SDL_ShowMessageBox(&data, &id) < 0) {
        // Without the box the game goes on with a queen.
        printf("\npromotion: no message box (%s), promoting to a queen", SDL_GetError());
        fflush(stdout);
        return 0;
    }
    static const int piece_of_button[5] = {5, 5, 4, 3, 2};
    return (id >= 1 && id <= 4) ? piece_of_button[id] : 5;
}
