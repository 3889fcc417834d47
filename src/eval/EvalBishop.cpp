#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T EvalBishop(POS_T* b, int s) { return OutpostBonus(b, s, 3, 5) + EvalBishopXray(b, s); }
