#include <cstring>

#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T new_coefficients[COEFF_COUNT];
ETYPE_T new_coefficients_2d[COEFF_COUNT];
// Each thread follows the stage of the positions it evaluates.
thread_local constinit ETYPE_T* coefficients = new_coefficients;

namespace {
bool Init() {
    memcpy(new_coefficients, orig_coefficients, sizeof new_coefficients);
    memcpy(new_coefficients_2d, orig_coefficients, sizeof new_coefficients_2d);
    for (int i = 0; i < coefficients_2d_fitted_count; i++)
        new_coefficients_2d[coefficients_2d_fitted[i].index] = coefficients_2d_fitted[i].value;
    return true;
}
}  // namespace

ETYPE_T* GameCoefficients() { return state.dmode == 2 ? new_coefficients_2d : new_coefficients; }

void InitEvalTables() {
    // One-time set-up, safe when two threads evaluate their first position together.
    static const bool iet_initialised = Init();
    (void)iet_initialised;
}
