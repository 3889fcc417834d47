#include "view.h"

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
            glPushMatrix();
            glTranslatef(c.x + 0.5f, c.y + 0.5f, c.z + 0.01f);
            SetColor(piece > 0 ? piece_color_white : piece_color_black);
            if (select) glPushName((GLuint)(x * 8 + y));
            DrawPieceModel(piece, q, x, y);
            if (select) glPopName();
            glPopMatrix();
        }
    }
    gluDeleteQuadric(q);
}
