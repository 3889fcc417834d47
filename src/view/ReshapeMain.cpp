#include "view.h"

// The aspect stays 1.0 whatever the window's shape.
void ReshapeMain(int w, int h) { glViewport(0, 0, w, h); }
