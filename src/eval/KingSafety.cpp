#include "tamzor.h"
#include "eval/eval.h"

ETYPE_T KingSafety(POS_T* b) { return WhiteKingSafety(b) - BlackKingSafety(b); }
