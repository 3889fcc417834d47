#include <cstdio>

#include "build_info.h"
#include "view.h"
#include "tamzor.h"

// The '?' key: name and version, where to find the program, a blank line.
void PrintVersion() {
    printf("\nTamzor V%s", TAMZOR_VERSION);
    printf("\nhttps://tamzor.example.org/\n");
    fflush(stdout);
}
