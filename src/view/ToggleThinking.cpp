#include <cstdio>

#include "view.h"
#include "tamzor.h"

const char* ThinkingMenuLabel() { return thinking_on ? ">Show thinking" : " Show thinking"; }

void ToggleThinking() {
    thinking_on = !thinking_on;
    ReshapeMain(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    snprintf(info_string, sizeof info_string, "%s",
             thinking_on ? "Thinking shown: depth, score for White, speed, main line" : "Thinking hidden");
}

void RefreshThinkingLabel() {
    static int shown = 0;
    // GLUT refuses changes to its menus while one is open.
    if (!menus_ready || menu_in_use || shown == thinking_on || !thinking_entry) return;
    shown = thinking_on;
    const int current = glutGetMenu();
    glutSetMenu(ViewMenu);
    glutChangeToMenuEntry(thinking_entry, ThinkingMenuLabel(), 7);
    if (current) glutSetMenu(current);
}
