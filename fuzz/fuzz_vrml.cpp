// Fuzzes the model reader: any text reads to a status, with every list inside its count.
#include <cstdlib>

#include "assets/vrml_model.h"
#include "fuzz/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = openInput(data, size);
    if (!file) return 0;
    Model model{};
    const ModelStatus status = readModel(&model, file);
    std::fclose(file);
    if (status == MODEL_OK) {
        if (model.vertices.size() != model.vertexCount ||
            model.normals.size() != model.normalCount ||
            model.texCoords.size() != model.texCoordCount ||
            model.faceSets.size() != model.faceSetCount)
            std::abort();
        for (const FaceSet& s : model.faceSets) {
            const size_t corners = 3 * size_t(s.triangleCount);
            if (s.coordIndex.size() != corners || s.normalIndex.size() != corners ||
                s.texCoordIndex.size() != corners)
                std::abort();
        }
    }
    freeModel(&model);
    return 0;
}
