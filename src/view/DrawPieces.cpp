#include "view.h"

void DrawPieces() {
    std::lock_guard<std::recursive_mutex> lock(GameMutex());
    POS_T* b = &state.position;
    GLUquadric* q = gluNewQuadric();
    for (int x = 0; x < 8; x++) {
        for (int y = 0; y < 8; y++) {
            const int piece = b->board[x * 8 + y];
            if (!piece) continue;
            P3D_T c;
            GetCoords(b, x, y, &c);
            glPushMatrix();
            glTranslatef(c.x + 0.5f, c.y + 0.5f, c.z + 0.01f);
            SetColor(piece > 0 ? piece_color_white : piece_color_black);
            DrawPieceModel(piece, q, x, y);
            glPopMatrix();
        }
    }
    gluDeleteQuadric(q);
}
