#include "viewlogic.h"
#include "movegen/movegen.h"

// The core's flag of the interface thread, read by promotion.
int* MouseSelectedMove() { return &msm; }
