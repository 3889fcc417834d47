// Scratch state of the evaluation, one set per thread.
#include "tamzor.h"

thread_local const ETYPE_T* sq_p1 = null_pos_value;
thread_local const ETYPE_T* sq_p2 = null_pos_value;
thread_local int new_pos_values = 0;
thread_local ETYPE_T black_king_side[64];
thread_local ETYPE_T black_queen_side[64];
const ETYPE_T null_pos_value[64] = {};
thread_local EVAL_TERMS_T eval_terms;
