#include "tamzor.h"

// Reach maps come with the rules engine; for now a piece only marks itself
// as changed.
void PieceGenerate(POS_T* b, int slot) { b->piece_change |= 1ull << slot; }
