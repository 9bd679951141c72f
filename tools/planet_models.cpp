// The planet meshes: unit spheres at three levels of detail. Their face set takes the
// texture the renderer binds for each planet ("-") under a white material.
#include "tools/mesh_shapes.h"
#include "tools/models.h"

Mesh makePlanetMesh(int subdivisions) {
    Mesh mesh;
    const int fs = addFaceSet(mesh, PLANET_COLOUR, PLANET_COLOUR, PLANET_COLOUR, "-");
    addSmoothSphere(mesh, fs, subdivisions, 1.0f, nullptr);
    return mesh;
}
