#include <cstdio>

#include "view.h"
#include "tamzor.h"

namespace {
const COLOR_T box_color = {0.10f, 0.10f, 0.14f, 0};
const COLOR_T cell_color = {0.24f, 0.24f, 0.32f, 0};
const COLOR_T border_color = {0.85f, 0.75f, 0.30f, 0};
const char* const names[4] = {"queen", "rook", "bishop", "knight"};
const int kinds[4] = {5, 4, 3, 2};


int TextWidth(void* font, const char* text) { return glutBitmapLength(font, (const unsigned char*)text); }

// One piece standing in the window rectangle (x, y from the top left, w x h),
// seen a little from above, lit like the board's pieces.
void DrawPieceIn(int piece, int x, int y, int w, int h, GLUquadric* q) {
    const LAYOUT_T& l = view_layout;
    glViewport(x, l.height - y - h, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = (double)w / (h > 0 ? h : 1);
    glOrtho(-aspect, aspect, -1, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, -0.92f, 0);
    glScalef(1.3f, 1.3f, 1.3f);
    glRotatef(-75, 1, 0, 0);
    // Knights and bishops face the enemy king: put him straight ahead of the
    // piece, and turn that way to the left.
    int fx = 0, fy = 0;
    const PS_T& king = state.position.pieces[piece > 0 ? 16 : 0];
    if (state.dmode == 2 && king.p) {
        fx = (int)XPOS(king.pos);
        fy = (int)YPOS(king.pos) + (piece > 0 ? -1 : 1);
    }
    glRotatef(piece > 0 ? 90.0f : -90.0f, 0, 0, 1);
    SetColor(piece > 0 ? piece_color_white : piece_color_black);
    DrawPieceModel(piece, q, fx, fy);
    glPopMatrix();
}
}  // namespace

// Expects the overlay projection of DisplayMain (a unit a pixel) and leaves it so.
void DrawPromotionChoice() {
    const LAYOUT_T& l = view_layout;
    const PROMOTION_BOX_T b = PromotionBox(l);
    const int side = promotion_choice.side;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    SetColor(box_color);
    PixelRect(b.x, b.y, b.x + b.w, b.y + b.h);
    SetColor(border_color);
    glLineWidth(2);
    PixelRect(b.x + 1, b.y + 1, b.x + b.w - 1, b.y + b.h - 1, false);

    // The text stays in the box, however narrow.
    glEnable(GL_SCISSOR_TEST);
    glScissor(b.x, l.height - b.y - b.h, b.w, b.h);
    void* font = GLUT_BITMAP_HELVETICA_18;
    const char* title = "Promote the pawn to:";
    SetColor(color_white);
    DrawPixelText(b.cells_x, b.y + 14 + 20, title, font);
    // Below each piece the letter to press, and its name when it fits.
    const bool large = b.cell >= 80;
    void* label_font = large ? GLUT_BITMAP_HELVETICA_18 : GLUT_BITMAP_HELVETICA_12;
    const int label_h = large ? 28 : 16;
    for (int i = 0; i < 4; i++) {
        const int x0 = b.cells_x + i * (b.cell + b.gap), y0 = b.cells_y;
        SetColor(cell_color);
        PixelRect(x0, y0, x0 + b.cell, y0 + b.cell);
        char label[16];
        snprintf(label, sizeof label, "%c %s", promotion_letters[i], names[i]);
        if (TextWidth(label_font, label) > b.cell - 4) snprintf(label, sizeof label, "%c", promotion_letters[i]);
        SetColor(color_yellow);
        DrawPixelText(x0 + (b.cell - TextWidth(label_font, label)) / 2, y0 + b.cell - (large ? 6 : 4), label,
                      label_font);
    }
    // the longest way of saying it that fits
    const char* const hints[] = {"Click one, or press Q, R, B or N. Esc cancels.", "Click, or press Q, R, B, N. Esc cancels.",
                                 "Q, R, B, N or click. Esc: cancel"};
    const char* hint = hints[2];
    for (const char* h : hints)
        if (TextWidth(GLUT_BITMAP_HELVETICA_12, h) <= b.w - 28) {
            hint = h;
            break;
        }
    SetColor(color_white);
    DrawPixelText(b.cells_x, b.cells_y + b.cell + 20, hint, GLUT_BITMAP_HELVETICA_12);
    glDisable(GL_SCISSOR_TEST);

    // The pieces, each in its cell above its letter, in the mover's colour.
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);
    GLUquadric* q = gluNewQuadric();
    for (int i = 0; i < 4; i++) {
        const int x0 = b.cells_x + i * (b.cell + b.gap);
        DrawPieceIn(side > 0 ? kinds[i] : -kinds[i], x0 + 2, b.cells_y + 2, b.cell - 4, b.cell - 2 - label_h, q);
    }
    gluDeleteQuadric(q);
    // back to the overlay's projection
    OverlayProjection();
    glPopAttrib();
}
