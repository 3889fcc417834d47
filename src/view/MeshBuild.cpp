#include <cmath>
#include <map>
#include <tuple>

#include "pieces.h"
#include "tamzor.h"

namespace {
struct V3 {
    double x, y, z;
};
V3 Sub(const Point3D_T& a, const Point3D_T& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Unit(V3 a) {
    const double l = std::sqrt(Dot(a, a));
    return l > 0 ? V3{a.x / l, a.y / l, a.z / l} : V3{0, 0, 1};
}
// Positions and normals closer than this are one (the file's decimals).
long Key(double v) { return std::lround(v * 1e5); }
}  // namespace

MESH_T MeshBuild(const std::vector<Point3D_T>& points, double crease_degrees) {
    MESH_T mesh;
    const size_t triangles = points.size() / 4;
    // Facet normals from the corners, turned to agree with the file's.
    std::vector<V3> facet(triangles);
    std::vector<int> corner_id(triangles * 3);
    std::map<std::tuple<long, long, long>, int> ids;
    std::vector<std::vector<int>> at;  // facets meeting at each position
    for (size_t t = 0; t < triangles; t++) {
        const Point3D_T* p = &points[t * 4];
        V3 n = Unit(Cross(Sub(p[2], p[1]), Sub(p[3], p[1])));
        if (Dot(n, V3{p[0].x, p[0].y, p[0].z}) < 0) n = {-n.x, -n.y, -n.z};
        facet[t] = n;
        for (int k = 0; k < 3; k++) {
            const Point3D_T& c = p[k + 1];
            auto [it, fresh] = ids.try_emplace({Key(c.x), Key(c.y), Key(c.z)}, (int)at.size());
            if (fresh) at.emplace_back();
            at[it->second].push_back((int)t);
            corner_id[t * 3 + k] = it->second;
        }
    }
    const double crease = std::cos(crease_degrees * M_PI / 180);
    std::map<std::tuple<int, long, long, long>, unsigned int> index_of;
    for (size_t t = 0; t < triangles; t++)
        for (int k = 0; k < 3; k++) {
            const int id = corner_id[t * 3 + k];
            V3 sum{0, 0, 0};
            for (int f : at[id])
                if (Dot(facet[f], facet[t]) >= crease) sum = {sum.x + facet[f].x, sum.y + facet[f].y, sum.z + facet[f].z};
            const V3 n = Unit(sum);
            auto [it, fresh] = index_of.try_emplace({id, Key(n.x), Key(n.y), Key(n.z)},
                                                    (unsigned int)(mesh.vertices.size() / 6));
            if (fresh) {
                const Point3D_T& c = points[t * 4 + k + 1];
                for (double v : {n.x, n.y, n.z, c.x, c.y, c.z}) mesh.vertices.push_back((float)v);
            }
            mesh.indices.push_back(it->second);
        }
    return mesh;
}
