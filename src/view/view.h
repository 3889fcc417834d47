// The window program: drawing, piece models, GLUT callbacks and menus.
#pragma once

#include <GL/glu.h>
#include <GL/glut.h>

#include <vector>

#include "pieces.h"
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

// Piece models: pieces.h.
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
