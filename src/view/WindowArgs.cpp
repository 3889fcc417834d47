#include <cstring>

#include "viewlogic.h"
#include "tamzor.h"

namespace {
// Options of GLUT itself, taken by glutInit; those with a value take the next word.
const char* const glut_with_value[] = {"-display", "-geometry"};
const char* const glut_flags[] = {"-iconic", "-gldebug", "-direct", "-indirect", "-sync"};
}  // namespace

const char* WindowUsage() {
    return "usage: tamzor [--log] [GAME.pgn]\n"
           "       tamzor --help | --version\n"
           "The window program of Tamzor: three-dimensional chess on the tri-level board\n"
           "and ordinary chess on 8x8, against the computer. GAME.pgn: a game to play on.\n"
           "  --log      the game record and messages on standard output\n"
           "  --help     this text\n"
           "  --version  the program's name and version\n"
           "X options: -display D, -geometry WxH+X+Y, -iconic, -sync.\n"
           "In the window, H or F1 shows the keys, the mouse and a guide to the 3D game.\n"
           "Without a display it plays on the terminal (tamzor-cli play).\n";
}

WINDOW_ARGS_T ParseWindowArgs(int argc, char** argv) {
    WINDOW_ARGS_T a;
    for (int i = 1; i < argc; i++) {
        const char* s = argv[i];
        bool glut = false;
        for (const char* g : glut_with_value)
            if (!strcmp(s, g)) {
                if (i + 1 >= argc) {
                    a.action = WINDOW_ARGS_T::USAGE_ERROR;
                    a.error = std::string(s) + " needs a value";
                    return a;
                }
                if (!strcmp(s, "-display")) a.display = argv[i + 1];
                i++;
                glut = true;
            }
        for (const char* g : glut_flags) glut = glut || !strcmp(s, g);
        if (glut) continue;
        if (!strcmp(s, "--help") || !strcmp(s, "-h")) {
            a.action = WINDOW_ARGS_T::HELP;
            return a;
        }
        if (!strcmp(s, "--version") || !strcmp(s, "-V")) {
            a.action = WINDOW_ARGS_T::VERSION;
            return a;
        }
        if (!strcmp(s, "--log")) {
            a.log = true;
            continue;
        }
        if (s[0] == '-' && s[1]) {
            a.action = WINDOW_ARGS_T::USAGE_ERROR;
            a.error = std::string("unknown option ") + s;
            return a;
        }
        if (!a.file.empty()) {
            a.action = WINDOW_ARGS_T::USAGE_ERROR;
            a.error = "one game file at most";
            return a;
        }
        a.file = s;
    }
    return a;
}
