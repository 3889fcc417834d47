#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "tamzor.h"
#include "shell/shell.h"

bool StartSecondTick(const SDL* sdl) {
    if (!sdl || !sdl->Initialized()) {
        Panic(false, "no SDL timer, the clock will not run @ StartSecondTick");
        return false;
    }
    strcpy(timers.time_string, "0:00:0");
    timers.init_time = timers.curr_time = (uint32_t)TickCount();
    timers.TID = SDL_AddTimer(1000, secondtick, nullptr);
    if (timers.TID == 0) {
        char message[256];
        snprintf(message, sizeof message, "SDL_AddTimer failed (%s) @ StartSecondTick", SDL_GetError());
        Panic(false, message);
        return false;
    }
    return true;
}
