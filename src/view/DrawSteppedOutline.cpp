#include "view.h"
#include "tamzor.h"
#include "board/board.h"

// What Tab stepped to is outlined over whatever stands in front of it: a
// hidden cell is why the player stepped there.
void DrawSteppedOutline() {
    SQ_T corner = stepped.target;
    float size = 1;
    if (stepped.kind == PICK_HIT_T::POST && ABIndex((int)stepped.target) >= 0) {
        corner = stepped.target - 100;  // the board's corner cell
        size = 2;
    } else if (stepped.kind != PICK_HIT_T::CELL || stepped.target >= 64) {
        return;
    }
    P3D_T c;
    GetCoords(&state.position, (int)XPOS(corner), (int)YPOS(corner), &c);
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(3);
    SetColor(color_yellow);
    glBegin(GL_LINE_LOOP);
    glVertex3f(c.x, c.y, c.z);
    glVertex3f(c.x + size, c.y, c.z);
    glVertex3f(c.x + size, c.y + size, c.z);
    glVertex3f(c.x, c.y + size, c.z);
    glEnd();
    glPopAttrib();
}
