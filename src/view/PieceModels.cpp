// The six piece models: classic shapes from GLU and GLUT solids, or the mesh
// read at start-up when mesh pieces are chosen.
#include "view.h"
#include "tamzor.h"

KING_T pKing;
QUEEN_T pQueen;
ROOK_T pRook;
BISHOP_T pBishop;
KNIGHT_T pKnight;
PAWN_T pPawn;

static void Up(float z) { glTranslatef(0, 0, z); }

void PAWN_T::drawpiece(int piece, GLUquadric* q, bool mesh) {
    if (mesh && mesh_ready) return DrawMesh(piece > 0);
    gluCylinder(q, 0.22, 0.1, 0.65, 10, 8);
    Up(0.6f);
    gluSphere(q, 0.14, 10, 8);
}

void KNIGHT_T::drawpiece(int piece, GLUquadric* q, int x, int y, bool mesh) {
    FaceKing(piece, x, y);
    if (mesh && mesh_ready) return DrawMesh(piece > 0);
    glRotatef(-90, 0, 0, 1);
    Up(0.09f);
    glutSolidTorus(0.1, 0.2, 10, 8);
    Up(0.1f);
    glutSolidTorus(0.1, 0.2, 10, 8);
    Up(0.05f);
    glRotatef(10, 0, 1, 0);
    gluCylinder(q, 0.2, 0.15, 0.7, 10, 8);
    Up(0.65f);
    gluSphere(q, 0.16, 10, 8);
    for (int ear = 0; ear < 2; ear++) {
        glPushMatrix();
        glRotatef(10, 0, 1, 0);
        glRotatef(ear == 0 ? 25.0f : -25.0f, 1, 0, 0);
        glTranslatef(0.05f, 0, 0.13f);
        gluCylinder(q, 0.08, 0, 0.15, 5, 4);
        glPopMatrix();
    }
    glRotatef(-110, 0, 1, 0);
    gluCylinder(q, 0.17, 0.1, 0.3, 10, 8);
    Up(0.3f);
    gluSphere(q, 0.1, 10, 8);
}

void BISHOP_T::drawpiece(int piece, GLUquadric* q, int x, int y, bool mesh) {
    FaceKing(piece, x, y);
    if (mesh && mesh_ready) return DrawMesh(piece > 0);
    gluCylinder(q, 0.22, 0.12, 0.9, 10, 8);
    Up(0.85f);
    glPushMatrix();
    glRotatef(-45, 1, 0, 0);
    glutSolidTorus(0.05, 0.12, 10, 8);
    glPopMatrix();
    Up(0.125f);
    gluSphere(q, 0.1, 10, 8);
}

void ROOK_T::drawpiece(int piece, GLUquadric* q, bool mesh) {
    if (mesh && mesh_ready) return DrawMesh(piece > 0);
    DrawBox(-0.25f, 0.25f, -0.25f, 0.25f, 0, 0.1f);
    Up(0.1f);
    gluCylinder(q, 0.22, 0.16, 0.5, 10, 8);
    Up(0.5f);
    DrawBox(-0.2f, 0.2f, -0.2f, 0.2f, 0, 0.1f);
    Up(0.1f);
    glTranslatef(-0.15f, -0.15f, 0.05f);
    glutSolidCube(0.1);
    glTranslatef(0.3f, 0, 0);
    glutSolidCube(0.1);
    glTranslatef(0, 0.3f, 0);
    glutSolidCube(0.1);
    glTranslatef(-0.3f, 0, 0);
    glutSolidCube(0.1);
}

void QUEEN_T::drawpiece(int piece, GLUquadric* q, bool mesh) {
    if (mesh && mesh_ready) return DrawMesh(piece > 0);
    Up(0.06f);
    glutSolidTorus(0.06, 0.23, 10, 8);
    gluCylinder(q, 0.25, 0.15, 1.0, 10, 8);
    Up(0.9f);
    glutSolidTorus(0.08, 0.16, 10, 8);
    Up(0.15f);
    gluSphere(q, 0.15, 10, 8);
    Up(0.08f);
    glutSolidTorus(0.04, 0.14, 10, 10);
    Up(0.07f);
    gluSphere(q, 0.07, 5, 4);
}

void KING_T::drawpiece(int piece, GLUquadric* q, bool mesh) {
    if (mesh && mesh_ready) return DrawMesh(piece > 0);
    DrawBox(-0.27f, 0.27f, -0.27f, 0.27f, 0, 0.1f);
    Up(0.1f);
    gluCylinder(q, 0.25, 0.15, 0.8, 10, 8);
    Up(0.8f);
    glutSolidTorus(0.07, 0.14, 10, 8);
    gluCylinder(q, 0.2, 0, 0.6, 10, 8);
    Up(0.25f);
    glutSolidTorus(0.05, 0.14, 10, 10);
    Up(0.15f);
    glutSolidTorus(0.065, 0.16, 10, 10);
    Up(0.1f);
    gluSphere(q, 0.1, 5, 4);
}

void DrawPieceModel(int piece, GLUquadric* q, int x, int y) {
    const bool mesh = menu_mesh_pieces != 0;
    switch (piece < 0 ? -piece : piece) {
        case 1: pPawn.drawpiece(piece, q, mesh); break;
        case 2: pKnight.drawpiece(piece, q, x, y, mesh); break;
        case 3: pBishop.drawpiece(piece, q, x, y, mesh); break;
        case 4: pRook.drawpiece(piece, q, mesh); break;
        case 5: pQueen.drawpiece(piece, q, mesh); break;
        case 6: pKing.drawpiece(piece, q, mesh); break;
        default: break;
    }
}
