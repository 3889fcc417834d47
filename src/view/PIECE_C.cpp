#define GL_GLEXT_PROTOTYPES  // buffer objects (GL 1.5) are in the extension header
#include <cmath>
#include <cstdio>

#include "view.h"
#include "tamzor.h"

void PIECE_C::DrawMesh(bool white) {
    if (white) glColor3f(0.9f, 0.9f, 0.7f);
    else glColor3f(0.5f, 0.5f, 0.7f);
    // Thousands of triangles a piece: sent to GL once, corners shared, then
    // drawn from there by every piece of the kind (each corner's light is
    // worked out once, not once for each triangle at it).
    if (!buffer) {
        const MESH_T mesh = MeshBuild(vertices);
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(mesh.vertices.size() * sizeof(float)), mesh.vertices.data(),
                     GL_STATIC_DRAW);
        glGenBuffers(1, &index_buffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, index_buffer);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, (GLsizeiptr)(mesh.indices.size() * sizeof(unsigned int)),
                     mesh.indices.data(), GL_STATIC_DRAW);
        buffer_indices = (int)mesh.indices.size();
        std::vector<Point3D_T>().swap(vertices);  // GL holds the mesh now
    } else {
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, index_buffer);
    }
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glNormalPointer(GL_FLOAT, 6 * sizeof(float), (const void*)0);
    glVertexPointer(3, GL_FLOAT, 6 * sizeof(float), (const void*)(3 * sizeof(float)));
    glDrawElements(GL_TRIANGLES, buffer_indices, GL_UNSIGNED_INT, (const void*)0);
    glPopClientAttrib();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void PIECE_C::DrawBox(float x0, float x1, float y0, float y1, float z0, float z1) {
    glBegin(GL_QUADS);
    glNormal3f(-1, 0, 0);
    glVertex3f(x0, y0, z0); glVertex3f(x0, y0, z1); glVertex3f(x0, y1, z1); glVertex3f(x0, y1, z0);
    glNormal3f(0, 1, 0);
    glVertex3f(x0, y1, z0); glVertex3f(x0, y1, z1); glVertex3f(x1, y1, z1); glVertex3f(x1, y1, z0);
    glNormal3f(1, 0, 0);
    glVertex3f(x1, y1, z0); glVertex3f(x1, y1, z1); glVertex3f(x1, y0, z1); glVertex3f(x1, y0, z0);
    glNormal3f(0, -1, 0);
    glVertex3f(x1, y0, z0); glVertex3f(x1, y0, z1); glVertex3f(x0, y0, z1); glVertex3f(x0, y0, z0);
    glNormal3f(0, 0, 1);
    glVertex3f(x0, y0, z1); glVertex3f(x1, y0, z1); glVertex3f(x1, y1, z1); glVertex3f(x0, y1, z1);
    glNormal3f(0, 0, -1);
    glVertex3f(x0, y0, z0); glVertex3f(x0, y1, z0); glVertex3f(x1, y1, z0); glVertex3f(x1, y0, z0);
    glEnd();
}

void PIECE_C::FaceKing(int piece, int x, int y) {
    double angle;
    if (x < 0) {
        // off the board (the captured pieces' tray): in profile
        angle = piece > 0 ? 90 : -90;
    } else if (state.dmode == 2) {
        const PS_T& king = state.position.pieces[piece > 0 ? 16 : 0];
        const int kx = (int)XPOS(king.pos), ky = (int)YPOS(king.pos);
        const double dy = (ky - y) + 0.01;
        angle = atan((kx - x) / dy) * 360.0 / (2 * M_PI);
        if (dy < 0) angle += 180;
    } else {
        angle = piece > 0 ? 0 : 180;
    }
    glRotated(-angle, 0, 0, 1);
}
