#include "view.h"

// Each cell's name on the cell, small, over whatever stands there: what a
// player needs to read a 3D move list against the board.
void DrawCellNames() {
    POS_T* b = &state.position;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    SetColor(color_yellow);
    for (int x = 0; x < 8; x++)
        for (int y = 0; y < 8; y++) {
            P3D_T c;
            GetCoords(b, x, y, &c);
            char name[32];
            CellName(b, (SQ_T)(x * 8 + y), name, sizeof name);
            glRasterPos3f(c.x + 0.08f, c.y + 0.1f, c.z + 0.02f);
            for (const char* p = name; *p; p++) glutBitmapCharacter(GLUT_BITMAP_HELVETICA_10, *p);
        }
    glPopAttrib();
}
