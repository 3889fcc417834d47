#include <cstring>

#include "tamzor.h"

ETYPE_T new_coefficients[COEFF_COUNT];
// Each thread follows the stage of the positions it evaluates.
thread_local constinit ETYPE_T* coefficients = new_coefficients;

namespace {
bool Init() {
    memcpy(new_coefficients, orig_coefficients, sizeof new_coefficients);
    return true;
}
}  // namespace

void InitEvalTables() {
    // One-time set-up, safe when two threads evaluate their first position together.
    static const bool iet_initialised = Init();
    (void)iet_initialised;
}
