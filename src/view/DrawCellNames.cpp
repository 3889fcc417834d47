#include "view.h"
#include "tamzor.h"
#include "board/board.h"

// Each cell's name on the cell, small, over whatever stands there: what a
// player needs to read a 3D move list against the board. Seen from above,
// up to three cells of different levels lie on one spot: each level writes
// on a row of its own within the cell, so no name covers another.
void DrawCellNames() {
    POS_T* b = &state.position;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    SetColor(color_yellow);
    const bool three = state.dmode != 2;
    for (int x = 0; x < 8; x++)
        for (int y = 0; y < 8; y++) {
            P3D_T c;
            GetCoords(b, x, y, &c);
            char name[32];
            CellName(b, (SQ_T)(x * 8 + y), name, sizeof name);
            // levels 2, 3, 4 stack, and 4, 5, 6, and 6, 7: rows by level
            const int row = three ? (GetLevel(b, (SQ_T)(x * 8 + y)) + 1) % 3 : 0;
            glRasterPos3f(c.x + 0.06f, c.y + 0.08f + 0.3f * row, c.z + 0.02f);
            for (const char* p = name; *p; p++) glutBitmapCharacter(GLUT_BITMAP_HELVETICA_10, *p);
        }
    glPopAttrib();
}
