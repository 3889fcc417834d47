#include <cstdio>
#include <cstring>

#include "viewlogic.h"
#include "tamzor.h"
#include "shell/shell.h"

namespace {
int armed = 0;           // the key whose first press was taken, 0 for none
char question[64] = "";  // its question, to take it off the info line again
uint64_t armed_at = 0;   // when, in milliseconds of TickCount
}  // namespace

bool ConfirmKey(int key, const char* text, bool at_risk) {
    if (armed == key || !at_risk) {
        ForgetConfirm();
        return true;
    }
    ForgetConfirm();
    armed = key;
    armed_at = TickCount();
    snprintf(question, sizeof question, "%s", text);
    snprintf(info_string, sizeof info_string, "%s", text);
    return false;
}

void ForgetConfirm() {
    if (armed && strcmp(info_string, question) == 0) info_string[0] = 0;
    armed = 0;
    question[0] = 0;
}

bool ForgetStaleConfirm(uint64_t now) {
    if (!armed || now < armed_at + CONFIRM_MS) return false;
    ForgetConfirm();
    return true;
}

bool ConfirmMenuAction(int action, bool at_risk) {
    const char* question;
    switch (action) {
        case CONFIRM_NEW_GAME: question = "New game again: a new game in place of this one"; break;
        case CONFIRM_RESTORE: question = "Restore again: the saved game in place of this one"; break;
        case CONFIRM_LOAD_PGN: question = "Load PGN again: its game in place of this one"; break;
        case CONFIRM_QUIT: question = "Quit again to quit; S saves the game first"; break;
        case CONFIRM_MODE_2D: question = "2D again: a new 2D game in place of this one"; break;
        case CONFIRM_MODE_3D: question = "3D again: a new 3D game in place of this one"; break;
        case CONFIRM_CLEAR_BOARD: question = "Clear board again: the game on it is dropped"; break;
        default: return true;
    }
    return ConfirmKey(action, question, at_risk);
}
