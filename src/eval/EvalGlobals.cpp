// Scratch state of the evaluation, one set per thread.
#include "tamzor.h"
#include "eval/eval.h"

thread_local constinit const ETYPE_T* sq_p1 = null_pos_value;
thread_local constinit const ETYPE_T* sq_p2 = null_pos_value;
thread_local constinit int new_pos_values = 0;
thread_local constinit ETYPE_T black_king_side[64];
thread_local constinit ETYPE_T black_queen_side[64];
const ETYPE_T null_pos_value[64] = {};
thread_local constinit EVAL_TERMS_T eval_terms = {};
