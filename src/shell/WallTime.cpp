#include "shell/shell.h"

std::atomic<bool> wt_initialized{false};
std::atomic<uint64_t> gameStart{0};
std::atomic<uint64_t> wallClock{0};

// Whole seconds since SDL started. Called from the engine thread and the
// interface, hence the atomics.
uint64_t WallTime() {
    uint64_t now = TickCount();
    bool expected = false;
    if (wt_initialized.compare_exchange_strong(expected, true)) gameStart = now;
    wallClock = now;
    return now / 1000;
}
