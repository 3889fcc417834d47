#include <cstdio>

#include "tamzor.h"

void PrintBanner() {
    printf("\n%s V%s.%s", "Tamzor", "2", "98f");
    printf("\n\n");
    fflush(stdout);
}
