// Drawing a model with immediate-mode triangles, recorded into display lists.
#include "assets/display_lists.h"

#include <GL/gl.h>

namespace {
bool isInside(int32_t index, size_t count) {
    return index >= 0 && size_t(index) < count;
}

void applyColour(const FaceSet& s) {
    const float* c      = s.diffuse;
    const bool coloured = c[0] != 0.0f || c[1] != 0.0f || c[2] != 0.0f;
    if (s.transparency < 1.0f) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        if (coloured) glColor4f(c[0], c[1], c[2], 1.0f - s.transparency);
        return;
    }
    // Above 1.0 the blending state of whatever ran before stays.
    if (s.transparency == 1.0f) glDisable(GL_BLEND);
    if (coloured) glColor3fv(c);
}

void applyTexture(const FaceSet& s) {
    if (s.textureName == 0) {
        glDisable(GL_TEXTURE_2D);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    // -1 wears whatever texture the caller bound: the planets' own.
    if (s.textureName > 0) glBindTexture(GL_TEXTURE_2D, GLuint(s.textureName));
}
} // namespace

bool isTriangleInside(const Model& model, const FaceSet& s, uint32_t t) {
    for (size_t i = 3 * size_t(t); i < 3 * size_t(t) + 3; ++i) {
        if (i >= s.coordIndex.size() || i >= s.normalIndex.size() || i >= s.texCoordIndex.size()) {
            return false;
        }
        if (!isInside(s.coordIndex[i], model.vertices.size()) ||
            !isInside(s.normalIndex[i], model.normals.size()) ||
            !isInside(s.texCoordIndex[i], model.texCoords.size())) {
            return false;
        }
    }
    return true;
}

void drawModel(const Model& model) {
    glCullFace(GLenum(model.cullFace));
    for (const FaceSet& s : model.faceSets) {
        applyColour(s);
        applyTexture(s);
        glBegin(GL_TRIANGLES);
        for (uint32_t t = 0; t < s.triangleCount; ++t) {
            if (!isTriangleInside(model, s, t)) continue; // never read outside the pools
            for (size_t i = 3 * size_t(t); i < 3 * size_t(t) + 3; ++i) {
                glTexCoord2fv(model.texCoords[size_t(s.texCoordIndex[i])].data());
                glNormal3fv(model.normals[size_t(s.normalIndex[i])].data());
                glVertex3fv(model.vertices[size_t(s.coordIndex[i])].data());
            }
        }
        glEnd();
    }
}

void compileModel(const Model& model, unsigned int listNumber) {
    glNewList(listNumber, GL_COMPILE);
    drawModel(model);
    glEndList();
}
