// The piece models: a mesh read from an STL file, or classic shapes drawn
// from GLU and GLUT solids. Declared without GL headers so that the mesh
// reader can be tested without a display.
#pragma once

#include <cstddef>
#include <vector>

struct GLUquadric;

struct Point3D_T {
    double x, y, z;
};
class PIECE_C {
public:
    std::vector<Point3D_T> vertices;
    size_t vi = 0;
    bool mesh_ready = false;
    // The mesh as drawn: a buffer object of interleaved normal and vertex
    // floats, made at its first drawing and shared by every piece of the kind.
    unsigned int buffer = 0;
    int buffer_vertices = 0;
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
