#include <cstdio>
#include <cstdlib>

#include "view.h"
#include "search/search.h"

void Quit() {
    glFinish();
    Clutch(0);  // the engine thread must not outlive the process's objects
    fflush(stdout);
    glutDestroyWindow(mainWindow);
    exit(0);
}
