#include <cstdio>
#include <cstdlib>

#include "tamzor.h"

void Panic(bool fatal, const char* message) {
    printf("\nPanic: %s", message);
    if (fatal) {
        printf("\nUNSTABLE");
        fflush(stdout);
        exit(420);
    }
    fflush(stdout);
}
