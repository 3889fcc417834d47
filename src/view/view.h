// The window program: drawing, piece models, GLUT callbacks and menus.
#pragma once

#include <GL/glu.h>
#include <GL/glut.h>

#include <vector>

#include "viewlogic.h"

inline void SetColor(const COLOR_T& c) { glColor3f(c.r, c.g, c.b); }

// Scene.
void AdjustModelview();
void DrawBoard(unsigned int mode);
void DrawAttackboardPins(unsigned int ab);
unsigned int AddABPin(unsigned int pin);
void DrawAxes();
void DrawCaptured();
void DisplayMain();
void ReshapeMain(int w, int h);
void ResetView();
void Overhead();
void ToggleZeBlackView();
int* GetZAng();
void DrawText(float x, float y, const char* text);

// Piece models.
struct Point3D_T {
    double x, y, z;
};
class PIECE_C {
public:
    std::vector<Point3D_T> vertices;
    size_t vi = 0;
    bool mesh_ready = false;
    void MeshRead(const char* path);
    void DrawMesh(bool white);
    void DrawBox(float x0, float x1, float y0, float y1, float z0, float z1);
    void FaceKing(int piece, int x, int y);
};
class KING_T : public PIECE_C {
public:
    void drawpiece(int piece, GLUquadric* q, bool mesh);
};
class QUEEN_T : public PIECE_C {
public:
    void drawpiece(int piece, GLUquadric* q, bool mesh);
};
class ROOK_T : public PIECE_C {
public:
    void drawpiece(int piece, GLUquadric* q, bool mesh);
};
class PAWN_T : public PIECE_C {
public:
    void drawpiece(int piece, GLUquadric* q, bool mesh);
};
class BISHOP_T : public PIECE_C {
public:
    void drawpiece(int piece, GLUquadric* q, int x, int y, bool mesh);
};
class KNIGHT_T : public PIECE_C {
public:
    void drawpiece(int piece, GLUquadric* q, int x, int y, bool mesh);
};
extern KING_T pKing;
extern QUEEN_T pQueen;
extern ROOK_T pRook;
extern BISHOP_T pBishop;
extern KNIGHT_T pKnight;
extern PAWN_T pPawn;
// One piece of code `piece` at the current origin (base at z 0).
void DrawPieceModel(int piece, GLUquadric* q, int x, int y);
void DrawPieces();

// Input.
void Keyboard(unsigned char key, int x, int y);
void KeyboardSpecial(int key, int x, int y);
void MouseButton(int button, int bstate, int x, int y);
void InSquare(int x, int y, unsigned int* sq);
void PrintHelp();
void PrintVersion();
[[noreturn]] void Quit();

// Menus.
void CreateMenus();
void DoMainMenu(int v);
void DoGameMenu(int v);
void DoComputerMenu(int v);
void DoDifficultyMenu(int v);
void DoTimeLimitMenu(int v);
void DoModeMenu(int v);
void DoPiecesMenu(int v);
void DoRulesMenu(int v);
void DoNotationMenu(int v);
void DoSpreadMenu(int v);
void DoViewMenu(int v);
void DoProjMenu(int v);
void DoAxesMenu(int v);
void DoOpacityMenu(int v);
void DoCapturedMenu(int v);
void DoEditMenu(int v);
void DoPieceMenu(int v);
void DoUndoMenu(int v);

// Hooks of the core and the idle callback.
void InstallViewHooks();
void ViewIdle();
void RequestRedraw();
