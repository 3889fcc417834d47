#include <cstdio>

#include "build_info.h"
#include "shell/shell.h"

void PrintBanner() {
    printf("\nTamzor V%s", TAMZOR_VERSION);
    printf("\n\n");
    fflush(stdout);
}
