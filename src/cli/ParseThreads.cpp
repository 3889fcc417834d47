#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli.h"
#include "search/search.h"

bool ParseThreads(int argc, char** argv, int* i, CLI_OPTIONS_T* opt) {
    const int most = MaxSearchThreads();
    if (*i + 1 >= argc) {
        fprintf(stderr, "tamzor-cli: --threads needs a value (1 to %d)\n", most);
        return false;
    }
    const char* v = argv[++*i];
    char* end;
    const long n = strtol(v, &end, 10);
    if (!*v || *end || n < 1 || n > most) {
        fprintf(stderr, "tamzor-cli: bad thread count '%s' (1 to %d, the cores of this machine)\n", v, most);
        return false;
    }
    SetSearchThreads((int)n);
    return NoteOption(opt, "--threads", std::to_string(n));
}
