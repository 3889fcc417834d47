#include "tamzor.h"

// The table and the ordering memories arrive with the search; until then a
// new game has nothing to clear.
void HASH_C::HashReset() {}
void HASH_C::OrderReset() {}
