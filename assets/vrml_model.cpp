// The model reader: line-oriented passes over a VRML 1.0 text file, each from the start.
#include "assets/vrml_model.h"

#include <GL/gl.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "assets/textures.h"

namespace {
// One open model file and the line last read from it.
struct ModelFile {
    FILE* file;
    char line[MODEL_LINE_SIZE];
};

bool nextLine(ModelFile& f) {
    return readLine(f.line, f.file);
}

// Reads lines until one contains the keyword; false when the file ends first.
bool findKeyword(ModelFile& f, const char* keyword) {
    do {
        if (!nextLine(f)) return false;
    } while (!contains(f.line, keyword));
    return true;
}

// Adds up the occurrences of c over the lines up to and including the first holding "]".
bool countListChars(ModelFile& f, char c, uint32_t* sum) {
    *sum = 0;
    do {
        if (!nextLine(f)) return false;
        *sum += uint32_t(countChar(f.line, c));
    } while (!contains(f.line, "]"));
    return true;
}

// Reads lines until one contains "coordindex", taking the line after any "tex" line in
// its place, so a texturecoordindex line never counts. Each line read first goes to
// onLine (the transparency of a face set's material is met this way).
template <typename OnLine> bool findCoordIndex(ModelFile& f, OnLine onLine) {
    do {
        if (!nextLine(f)) return false;
        onLine(f.line);
        if (contains(f.line, "tex") && !nextLine(f)) return false;
    } while (!contains(f.line, "coordindex"));
    return true;
}

// One point per line, up to and including the first line holding "]". Lines beyond the
// counted entries are read but not stored.
template <size_t N> bool readPoints(ModelFile& f, std::vector<std::array<float, N>>& points) {
    char scratch[MODEL_LINE_SIZE];
    for (size_t k = 0;; ++k) {
        if (!nextLine(f)) return false;
        compactBlanks(f.line);
        if (k < points.size()) {
            float* p = points[k].data();
            if constexpr (N == 3) {
                std::sscanf(f.line, "%f %f %f%255s", &p[0], &p[1], &p[2], scratch);
            } else {
                std::sscanf(f.line, "%f %f%255s", &p[0], &p[1], scratch);
            }
        }
        if (contains(f.line, "]")) return true;
    }
}

// Reads "%d" from text: the number and where it ends, or false when none starts there.
bool readIndex(const char* text, int32_t* value, size_t* used) {
    char* end         = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text) return false;
    *value = number > INT32_MAX ? INT32_MAX : number < INT32_MIN ? INT32_MIN : int32_t(number);
    *used  = size_t(end - text);
    return true;
}

// Index lines, one triangle each, until what is left of a line after its numbers holds
// "]". Each number is followed by a comma and the text up to the next blank, which is read
// on; a fourth number overwrites corner 0, "-" ends the line, and so does a number without
// a comma and text after it. Lines beyond the counted triangles are read but not stored.
bool readIndexLines(ModelFile& f, std::vector<int32_t>& corners, uint32_t triangleCount) {
    char rest[MODEL_LINE_SIZE];
    char word[MODEL_LINE_SIZE];
    for (uint32_t j = 0;; ++j) {
        if (!nextLine(f)) return false;
        compactBlanks(f.line);
        std::strcpy(rest, f.line);
        for (uint32_t k = 0; rest[0] != '-'; ++k) {
            int32_t value = 0;
            size_t used   = 0;
            if (!readIndex(rest, &value, &used)) break;
            if (j < triangleCount) corners[3 * size_t(j) + k % 3] = value;
            if (std::sscanf(rest + used, ",%255s", word) != 1) {
                std::memmove(rest, rest + used, std::strlen(rest + used) + 1);
                break;
            }
            std::strcpy(rest, word);
        }
        if (contains(rest, "]")) return true;
    }
}

// Index arrays of one list kind for every face set.
std::vector<int32_t>& indexList(FaceSet& s, int kind) {
    return kind == 0 ? s.coordIndex : kind == 1 ? s.normalIndex : s.texCoordIndex;
}

bool readIndexLists(ModelFile& f, Model* model, int kind, const char* keyword) {
    std::rewind(f.file);
    for (FaceSet& s : model->faceSets) {
        if (!findKeyword(f, keyword)) return false;
        if (!readIndexLines(f, indexList(s, kind), s.triangleCount)) return false;
    }
    return true;
}
} // namespace

ModelStatus countModel(Model* model, FILE* file) {
    ModelFile f{file, {}};
    uint32_t commas = 0;

    std::rewind(file);
    bool ordered = false;
    while (!ordered && nextLine(f))
        ordered = contains(f.line, "vertexordering");
    model->cullFace = ordered && contains(f.line, "counterclockwise") ? GL_BACK : GL_FRONT;

    std::rewind(file);
    if (!findKeyword(f, "coordinate3") || !findKeyword(f, "point")) return MODEL_MISSING_KEYWORD;
    if (!countListChars(f, ',', &commas)) return MODEL_MISSING_KEYWORD;
    model->vertexCount = commas + 1;

    std::rewind(file);
    if (!findKeyword(f, "normal") || !findKeyword(f, "vector")) return MODEL_MISSING_KEYWORD;
    if (!countListChars(f, ',', &commas)) return MODEL_MISSING_KEYWORD;
    model->normalCount = commas + 1;

    std::rewind(file);
    if (!findKeyword(f, "texturecoordinate2") || !findKeyword(f, "point")) {
        return MODEL_MISSING_KEYWORD;
    }
    if (!countListChars(f, ',', &commas)) return MODEL_MISSING_KEYWORD;
    model->texCoordCount = commas + 1;

    // Face sets follow the shared lists; a keyword in the first column does not count.
    model->faceSetCount = 0;
    while (nextLine(f))
        model->faceSetCount += findLast(f.line, "indexedfaceset") > 0;

    model->vertices.assign(model->vertexCount, {});
    model->normals.assign(model->normalCount, {});
    model->texCoords.assign(model->texCoordCount, {});
    model->faceSets.assign(model->faceSetCount, FaceSet{});

    std::rewind(file);
    for (FaceSet& s : model->faceSets) {
        s.triangleCount = 0;
        s.transparency  = 1.0f;
        if (!findKeyword(f, "indexedfaceset")) return MODEL_MISSING_KEYWORD;
        if (!findCoordIndex(f, [](const char*) {})) return MODEL_MISSING_KEYWORD;
        // Every "-1" ends a triangle.
        if (!countListChars(f, '-', &s.triangleCount)) return MODEL_MISSING_KEYWORD;
        for (int kind = 0; kind < 3; ++kind)
            indexList(s, kind).assign(3 * size_t(s.triangleCount), 0);
    }
    return MODEL_OK;
}

ModelStatus parseModel(Model* model, FILE* file) {
    ModelFile f{file, {}};
    char scratch[MODEL_LINE_SIZE];

    std::rewind(file);
    for (FaceSet& s : model->faceSets) {
        if (!findKeyword(f, "texture2") || !findKeyword(f, "filename")) {
            return MODEL_MISSING_KEYWORD;
        }
        extractQuoted(f.line, s.textureFile);
        if (s.textureFile[0] == '\0') {
            s.textureName = 0;
        } else if (s.textureFile[0] == '-') {
            s.textureName = -1;
        } else {
            s.textureName = loadTexture(s.textureFile) - 1;
        }
    }

    std::rewind(file);
    for (FaceSet& s : model->faceSets) {
        if (!findKeyword(f, "material") || !findKeyword(f, "diffusecolor")) {
            return MODEL_MISSING_KEYWORD;
        }
        compactBlanks(f.line);
        std::sscanf(f.line, "diffusecolor %f %f %f%255s", &s.diffuse[0], &s.diffuse[1],
                    &s.diffuse[2], scratch);
    }

    std::rewind(file);
    if (!findKeyword(f, "coordinate3") || !findKeyword(f, "point") ||
        !readPoints(f, model->vertices)) {
        return MODEL_MISSING_KEYWORD;
    }
    std::rewind(file);
    if (!findKeyword(f, "normal") || !findKeyword(f, "vector") || !readPoints(f, model->normals)) {
        return MODEL_MISSING_KEYWORD;
    }
    std::rewind(file);
    if (!findKeyword(f, "texturecoordinate2") || !findKeyword(f, "point") ||
        !readPoints(f, model->texCoords)) {
        return MODEL_MISSING_KEYWORD;
    }

    // Each face set's search starts where the previous list ended, so the transparency
    // kept is the last one before its own coordIndex: the one in its own Material.
    std::rewind(file);
    for (FaceSet& s : model->faceSets) {
        auto takeTransparency = [&s](char* line) {
            if (!contains(line, "transparency")) return;
            compactBlanks(line);
            std::sscanf(line, "transparency %f", &s.transparency);
        };
        if (!findCoordIndex(f, takeTransparency)) return MODEL_MISSING_KEYWORD;
        if (!readIndexLines(f, s.coordIndex, s.triangleCount)) return MODEL_MISSING_KEYWORD;
    }
    if (!readIndexLists(f, model, 1, "normalindex")) return MODEL_MISSING_KEYWORD;
    if (!readIndexLists(f, model, 2, "texturecoordindex")) return MODEL_MISSING_KEYWORD;
    return MODEL_OK;
}

void computeExtents(Model* model) {
    if (model->vertices.empty()) return;
    const std::array<float, 3>& first = model->vertices[0];
    model->minX = model->maxX = first[0];
    model->minY = model->maxY = first[1];
    model->minZ = model->maxZ = first[2];
    for (const std::array<float, 3>& v : model->vertices) {
        if (v[0] > model->maxX) model->maxX = v[0];
        if (v[0] < model->minX) model->minX = v[0];
        if (v[1] > model->maxY) model->maxY = v[1];
        if (v[1] < model->minY) model->minY = v[1];
        if (v[2] > model->maxZ) model->maxZ = v[2];
        if (v[2] < model->minZ) model->minZ = v[2];
    }
    model->sizeX = model->maxX - model->minX;
    model->sizeY = model->maxY - model->minY;
    model->sizeZ = model->maxZ - model->minZ;
}

ModelStatus readModel(Model* model, FILE* file) {
    ModelStatus status = countModel(model, file);
    if (status == MODEL_OK) status = parseModel(model, file);
    if (status == MODEL_OK) computeExtents(model);
    return status;
}

ModelStatus loadModel(Model* model, const char* fileName) {
    FILE* file = std::fopen(fileName, "rt");
    if (!file) return MODEL_CANNOT_OPEN;
    const ModelStatus status = readModel(model, file);
    std::fclose(file);
    return status;
}

void scaleModel(Model* model, float factor) {
    for (std::array<float, 3>& v : model->vertices) {
        for (float& c : v)
            c *= factor;
    }
}

void freeModel(Model* model) {
    const uint32_t cullFace = model->cullFace;
    *model                  = Model{};
    model->cullFace         = cullFace;
}
