// The tick count behind the game clock: SDL's milliseconds unless a test
// installs its own source.
#include <SDL.h>

#include "shell/shell.h"

namespace {
uint64_t SdlTicks() {
#if SDL_VERSION_ATLEAST(2, 0, 18)
    return SDL_GetTicks64();
#else
    return SDL_GetTicks();
#endif
}
}  // namespace

uint64_t (*tick_source)() = SdlTicks;
