#include <cctype>
#include <cstdio>

#include "pieces.h"
#include "tamzor.h"

// Every line's numbers after its leading keyword: facet normals and vertices
// alike, so the points come in fours (normal, three vertices).
void PIECE_C::MeshRead(const char* path) {
    mesh_ready = false;
    FILE* f = fopen(path, "r");
    if (!f) return;
    char line[100];
    int lines = 4, points = 0;
    while (fgets(line, sizeof line, f)) {
        lines++;
        const char* p = line;
        while (*p && (isalpha((unsigned char)*p) || *p == ' ' || *p == '\t')) p++;
        Point3D_T pt;
        if (sscanf(p, "%lf %lf %lf", &pt.x, &pt.y, &pt.z) == 3) {
            vertices.push_back(pt);
            points++;
        }
    }
    mesh_ready = points > 2;
    fclose(f);
    printf("\n%s - pCnt %d vCnt %d size %d\n", path, lines, points, (int)vertices.size());
}
