#include <cstdio>

#include "view.h"
#include "tamzor.h"

// The help page's key lines on the terminal (seen with --log).
void PrintHelp() {
    int count = 0;
    const HELP_ITEM_T* items = HelpItems(&count);
    for (int i = 0; i < count; i++)
        if (items[i].kind == HELP_KEY) printf("\n%s \t %s", items[i].keys, items[i].text);
    fflush(stdout);
}
