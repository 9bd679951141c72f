// The planet meshes: unit spheres at three levels of detail. Their face set takes the
// texture the renderer binds for each planet ("-") and a grey that keeps the over-bright
// viewer's light from washing the pictures out.
#include "tools/mesh_shapes.h"
#include "tools/models.h"

Mesh makePlanetMesh(int subdivisions) {
    Mesh mesh;
    const int fs = addFaceSet(mesh, PLANET_GREY, PLANET_GREY, PLANET_GREY, "-");
    addSmoothSphere(mesh, fs, subdivisions, 1.0f, nullptr);
    return mesh;
}
