#include "search/search.h"

HASH_C hash_c;
bool ihv_initialized = false;

namespace {
// A fixed private sequence, so the keys are the same in every run whatever
// else in the process draws random numbers. Values are 31-bit like rand().
uint32_t Next31(uint64_t* s) {
    uint64_t z = (*s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return (uint32_t)(z >> 33);
}

bool Fill(HVE_T* hv) {
    uint64_t seed = 1;
    for (int i = 0; i < 13; i++) {
        for (int j = 0; j < 64; j++) {
            if (i == 6) {  // P_NONE: an empty square changes nothing
                hv->v1[i][j] = hv->v2[i][j] = 0;
                continue;
            }
            hv->v1[i][j] = Next31(&seed) & ~1ull;  // bit 0 of hash1 is the side to move
            hv->v2[i][j] = Next31(&seed);
        }
    }
    ihv_initialized = true;
    return true;
}
}  // namespace

void HASH_C::HashValuesInit() {
    // Thread-safe one-time fill; afterwards only the guard is tested.
    static const bool filled = Fill(&hash_values);
    (void)filled;
}
