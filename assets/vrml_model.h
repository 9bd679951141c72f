// Models from the game's line-oriented subset of VRML 1.0 text: shared vertex, normal and
// texture-coordinate pools and a list of textured, coloured triangle sets.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "assets/model_lines.h"

struct FaceSet {
    float diffuse[3];
    int32_t textureName; // 0: none; -1: whatever the caller bound; else a texture name
    char textureFile[MODEL_LINE_SIZE];
    float transparency; // 1.0 when the file gives none
    uint32_t triangleCount;
    std::vector<int32_t> coordIndex; // corner c of triangle t is entry 3t + c
    std::vector<int32_t> normalIndex;
    std::vector<int32_t> texCoordIndex;
};

struct Model {
    float minX, maxX;
    float minY, maxY;
    float minZ, maxZ;
    float sizeX, sizeY, sizeZ;
    uint32_t cullFace; // GL_BACK for counter-clockwise files, GL_FRONT otherwise
    uint32_t faceSetCount;
    uint32_t vertexCount;
    uint32_t normalCount;
    uint32_t texCoordCount;
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<float, 3>> normals;
    std::vector<std::array<float, 2>> texCoords;
    std::vector<FaceSet> faceSets;
};

enum ModelStatus {
    MODEL_OK = 0,
    MODEL_MISSING_KEYWORD, // the file ended while a required keyword or list end was sought
    MODEL_CANNOT_OPEN,     // errno tells why
};

// Reads the file. On failure the model holds what was read so far and must still be freed.
ModelStatus loadModel(Model* model, const char* fileName);
void scaleModel(Model* model, float factor);
void freeModel(Model* model);

// The reader's core on an open text stream: countModel, parseModel, computeExtents. Never
// exits; on failure the model holds what was read so far and must still be freed.
ModelStatus readModel(Model* model, FILE* file);
ModelStatus countModel(Model* model, FILE* file);
ModelStatus parseModel(Model* model, FILE* file);
void computeExtents(Model* model);
