#include "tamzor.h"

ETYPE_T KingSafety(POS_T* b) { return WhiteKingSafety(b) - BlackKingSafety(b); }
