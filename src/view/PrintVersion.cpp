#include <cstdio>

#include "view.h"

// The '?' key: name and version, where to find the program, a blank line.
void PrintVersion() {
    printf("\n%s V%s.%s", "Tamzor", "2", "98f");
    printf("\nhttps://tamzor.example.org/\n");
    fflush(stdout);
}
