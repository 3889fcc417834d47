#include "tamzor.h"

// The engine thread arrives with the search; until then there is nothing to
// hold or release.
void Clutch(int engage) { (void)engage; }
