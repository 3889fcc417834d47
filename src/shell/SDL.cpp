#include <SDL.h>

#include <cstdio>

#include "tamzor.h"
#include "shell/shell.h"

SDL* pSDL = nullptr;

SDL::SDL(unsigned int flags) {
    if (SDL_Init(flags) == 0) {
        m_initialized = true;
        return;
    }
    // The clock is a nicety: go on without it.
    char message[256];
    snprintf(message, sizeof message, "SDL_Init failed (%s) @ SDL", SDL_GetError());
    Panic(false, message);
}

SDL::~SDL() {
    if (m_renderer) SDL_DestroyRenderer(m_renderer);
    if (m_window) SDL_DestroyWindow(m_window);
    m_renderer = nullptr;
    m_window = nullptr;
    SDL_Quit();
}
