// Fuzzes the model reader: any text reads to a status, with every list inside its count.
#include <cstdlib>

#include "assets/textures.h"
#include "assets/vrml_model.h"

int loadTexture(const char*) { // names handed out as the real one does, without OpenGL
    static int next = 1;
    return next < TEXTURE_TABLE_SIZE ? ++next : next;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0; // a stream over memory cannot hold nothing
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
    Model m{};
    const bool ok = readModel(&m, file) == MODEL_OK;
    std::fclose(file);
    bool fits = m.vertices.size() == m.vertexCount && m.normals.size() == m.normalCount &&
                m.texCoords.size() == m.texCoordCount && m.faceSets.size() == m.faceSetCount;
    for (const FaceSet& s : m.faceSets) {
        const size_t corners = 3 * size_t(s.triangleCount);
        fits = fits && s.coordIndex.size() == corners && s.normalIndex.size() == corners &&
               s.texCoordIndex.size() == corners;
    }
    freeModel(&m);
    if (ok && !fits) std::abort();
    return 0;
}
