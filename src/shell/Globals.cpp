// Process-wide state of the running program.
#include "build_info.h"
#include "tamzor.h"
#include "shell/shell.h"

STATE_T state;
std::atomic<bool> eval_show{false};
char gamefilename[260] = "tamzor.sav";
int replay = -1;
char banner_string[64] = "BANNER_STRING";
char move_string[64] = "Tamzor " TAMZOR_VERSION;

CORE_HOOKS_T core_hooks = {};  // no hooks until the window program installs them
