#include <cctype>
#include <cstdio>

#include "viewlogic.h"
#include "tamzor.h"

const char* MarkedLabel(const char* label, bool current, bool time_limit, char* out, size_t size) {
    snprintf(out, size, "%s", label);
    if (!current) return out;
    if (time_limit) {
        if (out[0] == ' ') out[0] = '>';
        return out;
    }
    // An example after a colon keeps its case: the names are written so.
    for (char* c = out; *c && *c != ':'; c++) *c = (char)toupper((unsigned char)*c);
    return out;
}
