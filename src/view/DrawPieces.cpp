#include <cmath>

#include "view.h"
#include "tamzor.h"
#include "board/board.h"
#include "search/search.h"

namespace {
// Where the pointer's ray meets the plane z = `z` of the board's model
// space, under the matrices drawn with now; false when it runs along it.
bool PointerOnPlane(float z, float* px, float* py) {
    GLdouble model[16], proj[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double wx = pointer_x, wy = view_layout.height - pointer_y;
    GLdouble n[3], f[3];
    if (!gluUnProject(wx, wy, 0.0, model, proj, viewport, &n[0], &n[1], &n[2]) ||
        !gluUnProject(wx, wy, 1.0, model, proj, viewport, &f[0], &f[1], &f[2]))
        return false;
    const double dz = f[2] - n[2];
    if (std::fabs(dz) < 1e-9) return false;
    const double t = (z - n[2]) / dz;
    if (t < 0 || t > 1) return false;
    *px = (float)(n[0] + t * (f[0] - n[0]));
    *py = (float)(n[1] + t * (f[1] - n[1]));
    return true;
}
}  // namespace

void DrawPieces(unsigned int mode) {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    const bool select = mode == GL_SELECT;
    POS_T* b = &state.position;
    GLUquadric* q = gluNewQuadric();
    // A piece is picked by its own shape, named by its cell.
    if (select) glLoadName(PIECE_PICK_NAME);
    for (int x = 0; x < 8; x++) {
        for (int y = 0; y < 8; y++) {
            const int piece = b->board[x * 8 + y];
            if (!piece) continue;
            P3D_T c;
            GetCoords(b, x, y, &c);
            // A dragged piece follows the pointer on its level's plane,
            // lifted a little; picking looks through it at what lies below.
            const bool dragged = drag.dragging && state.selected == (SQ_T)(x * 8 + y);
            if (dragged && select) continue;
            float px = c.x + 0.5f, py = c.y + 0.5f, pz = c.z + 0.01f;
            if (dragged && PointerOnPlane(c.z, &px, &py)) pz += 0.3f;
            glPushMatrix();
            glTranslatef(px, py, pz);
            SetColor(piece > 0 ? piece_color_white : piece_color_black);
            if (select) glPushName((GLuint)(x * 8 + y));
            DrawPieceModel(piece, q, x, y);
            if (select) glPopName();
            glPopMatrix();
        }
    }
    gluDeleteQuadric(q);
}
