#include <cstdio>
#include <cstring>

#include "viewlogic.h"

namespace {
int armed = 0;           // the key whose first press was taken, 0 for none
char question[64] = "";  // its question, to take it off the info line again
}  // namespace

bool ConfirmKey(int key, const char* text, bool at_risk) {
    if (armed == key || !at_risk) {
        ForgetConfirm();
        return true;
    }
    ForgetConfirm();
    armed = key;
    snprintf(question, sizeof question, "%s", text);
    snprintf(info_string, sizeof info_string, "%s", text);
    return false;
}

void ForgetConfirm() {
    if (armed && strcmp(info_string, question) == 0) info_string[0] = 0;
    armed = 0;
    question[0] = 0;
}
