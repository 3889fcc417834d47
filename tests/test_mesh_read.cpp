// Reading the piece meshes.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "pieces.h"
#include "tamzor.h"

namespace {
// The piece read from `path`, and what reading it printed.
std::string Read(PIECE_C* piece, const std::string& path) {
    testing::internal::CaptureStdout();
    piece->MeshRead(path.c_str());
    return testing::internal::GetCapturedStdout();
}
std::string WriteFile(const std::string& name, const std::string& text) {
    std::string path = testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}
}  // namespace

// A missing file leaves the classic model quietly; two numeric lines are no
// mesh; a facet gives its normal and three corners, a bad line skipped.
TEST(MeshRead, MissingShortAndOneFacetFiles) {
    PIECE_C missing, two, one;
    EXPECT_EQ(Read(&missing, "no/such/PIECE.STL"), "");
    EXPECT_FALSE(missing.mesh_ready);
    EXPECT_TRUE(missing.vertices.empty());
    std::string path = WriteFile("two.stl", "solid x\n  vertex 0 0 0\n  vertex 1 0 0\nendsolid x\n");
    EXPECT_EQ(Read(&two, path), "\n" + path + " - pCnt 8 vCnt 2 size 2\n");
    EXPECT_FALSE(two.mesh_ready);
    Read(&one, WriteFile("one.stl", "solid x\n facet normal 0 0 1\n  outer loop\n   vertex 0 0 0\n"
                                    "   vertex 1 0 0\n   vertex 0 1 0.5\n  endloop\n endfacet\n"
                                    " bad line here\nendsolid x\n"));
    ASSERT_TRUE(one.mesh_ready);
    ASSERT_EQ(one.vertices.size(), 4u);
    EXPECT_EQ(one.vertices[0].z, 1.0);
    EXPECT_EQ(one.vertices[3].y, 1.0);
    EXPECT_EQ(one.vertices[3].z, 0.5);
}

TEST(MeshRead, ShippedMeshesAreUnitCellSizedFacetsOfAFewThousand) {
    for (const char* name : {"KING", "QUEEN", "ROOK", "BISHOP", "KNIGHT", "PAWN"}) {
        SCOPED_TRACE(name);
        std::string path = std::string(TAMZOR_SOURCE_DIR) + "/pieces/" + name + ".STL";
        PIECE_C piece;
        Read(&piece, path);
        ASSERT_TRUE(piece.mesh_ready);
        ASSERT_EQ(piece.vertices.size() % 4, 0u);
        const size_t triangles = piece.vertices.size() / 4;
        EXPECT_GE(triangles, 1000u);
        EXPECT_LE(triangles, 5000u);
        double zmin = 1e9, zmax = -1e9, rmax = 0;
        for (size_t i = 0; i < piece.vertices.size(); i++) {
            if (i % 4 == 0) continue;  // normals
            const Point3D_T& p = piece.vertices[i];
            zmin = std::min(zmin, p.z);
            zmax = std::max(zmax, p.z);
            rmax = std::max(rmax, std::max(std::abs(p.x), std::abs(p.y)));
        }
        EXPECT_NEAR(zmin, 0.0, 1e-6);
        EXPECT_GT(zmax, 0.6);
        EXPECT_LT(zmax, 1.6);
        EXPECT_LE(rmax, 0.5);
    }
}

namespace {
// A unit cube as STL points: a facet normal and three corners a triangle.
std::vector<Point3D_T> Cube() {
    std::vector<Point3D_T> p;
    auto quad = [&](Point3D_T n, Point3D_T a, Point3D_T b, Point3D_T c, Point3D_T d) {
        for (auto tri : {std::array<Point3D_T, 3>{a, b, c}, std::array<Point3D_T, 3>{a, c, d}}) {
            p.push_back(n);
            for (const Point3D_T& v : tri) p.push_back(v);
        }
    };
    quad({0, 0, -1}, {0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0});
    quad({0, 0, 1}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1});
    quad({0, -1, 0}, {0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1});
    quad({0, 1, 0}, {0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0});
    quad({-1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0});
    quad({1, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1});
    return p;
}
}  // namespace

// Corners keep their places and order; edges sharper than the crease keep
// a normal a face, smoother ones share one; every normal is a unit.
TEST(MeshBuild, SharesCornersAndKeepsSharpEdges) {
    const std::vector<Point3D_T> cube = Cube();
    for (double crease : {40.0, 100.0}) {
        const MESH_T m = MeshBuild(cube, crease);
        ASSERT_EQ(m.indices.size(), 36u);
        EXPECT_EQ(m.vertices.size() / 6, crease < 90 ? 24u : 8u);
        for (size_t i = 0; i < m.indices.size(); i++) {
            ASSERT_LT(m.indices[i], m.vertices.size() / 6);
            const float* v = &m.vertices[m.indices[i] * 6];
            const Point3D_T& c = cube[i / 3 * 4 + i % 3 + 1];
            EXPECT_FLOAT_EQ(v[3], (float)c.x);
            EXPECT_FLOAT_EQ(v[4], (float)c.y);
            EXPECT_FLOAT_EQ(v[5], (float)c.z);
            EXPECT_NEAR(v[0] * v[0] + v[1] * v[1] + v[2] * v[2], 1.0, 1e-5);
            if (crease < 90) {  // a face's own normal, outward
                const Point3D_T& n = cube[i / 3 * 4];
                EXPECT_NEAR(v[0] * n.x + v[1] * n.y + v[2] * n.z, 1.0, 1e-5);
            }
        }
    }
    EXPECT_TRUE(MeshBuild({}).indices.empty());
}
