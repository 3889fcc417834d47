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
// A mesh ready to draw: vertices of six floats (normal, then position) and
// the triangles' vertex indices, three a triangle.
struct MESH_T {
    std::vector<float> vertices;
    std::vector<unsigned int> indices;
};
// The triangles of an STL point list (facet normal and three corners, in
// fours) with corners of one position merged, each corner's normal the mean
// of the facets that meet there at less than `crease_degrees` to its own, so
// that curved surfaces shade smoothly and edges stay sharp.
MESH_T MeshBuild(const std::vector<Point3D_T>& points, double crease_degrees = 40);
class PIECE_C {
public:
    std::vector<Point3D_T> vertices;
    size_t vi = 0;
    bool mesh_ready = false;
    // The mesh as drawn: a buffer object of interleaved normal and vertex
    // floats, made at its first drawing and shared by every piece of the kind.
    unsigned int buffer = 0, index_buffer = 0;
    int buffer_indices = 0;
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
