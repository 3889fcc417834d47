#include "view.h"
#include "tamzor.h"

bool menu_in_use = false;

// GLUT tells when a pop-up menu opens and closes.
void MenuStatus(int status, int, int) { menu_in_use = status == GLUT_MENU_IN_USE; }
