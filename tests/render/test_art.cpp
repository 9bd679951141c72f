// Stand-in art for drawing tests and benchmarks.
#include "tests/render/test_art.h"

#include <GL/gl.h>

#include <cmath>

namespace {
// Blending is left alone, so a blended draw around the list stays blended.
void setSurface(const Rgb* colour, bool textured) {
    if (textured) {
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    if (colour) glColor3f(colour->r, colour->g, colour->b);
}
} // namespace

void emitQuadFacingViewer(float cx, float cy, float cz, float half, const Rgb* colour,
                          bool textured) {
    glCullFace(GL_BACK);
    setSurface(colour, textured);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(cx - half, cy - half, cz);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(cx + half, cy - half, cz);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(cx + half, cy + half, cz);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(cx - half, cy + half, cz);
    glEnd();
}

void emitQuadFacingUp(float cx, float cy, float cz, float half, const Rgb* colour) {
    glCullFace(GL_BACK);
    setSurface(colour, false);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(cx - half, cy, cz + half);
    glVertex3f(cx + half, cy, cz + half);
    glVertex3f(cx + half, cy, cz - half);
    glVertex3f(cx - half, cy, cz - half);
    glEnd();
}

void emitInsideBox(float half, Rgb colour, float alpha) {
    setSurface(nullptr, false);
    glColor4f(colour.r, colour.g, colour.b, alpha);
    const float h             = half;
    const float corners[8][3] = {
        {-h, -h, -h},
        {h,  -h, -h},
        {h,  h,  -h},
        {-h, h,  -h},
        {-h, -h, h },
        {h,  -h, h },
        {h,  h,  h },
        {-h, h,  h }
    };
    const int faces[6][4] = {
        {0, 1, 2, 3},
        {5, 4, 7, 6},
        {4, 0, 3, 7},
        {1, 5, 6, 2},
        {3, 2, 6, 7},
        {4, 5, 1, 0}
    };
    glBegin(GL_QUADS);
    for (const auto& face : faces)
        for (int corner : face)
            glVertex3fv(corners[corner]);
    glEnd();
}

void emitSphere(float radius, int slices, int stacks, const Rgb* colour, bool textured) {
    glCullFace(GL_BACK);
    setSurface(colour, textured);
    glBegin(GL_TRIANGLES);
    auto vertex = [&](int i, int j) {
        const double theta = M_PI * j / stacks;
        const double phi   = 2.0 * M_PI * i / slices;
        const float n[3]   = {float(std::sin(theta) * std::cos(phi)), float(std::cos(theta)),
                              float(-std::sin(theta) * std::sin(phi))};
        glNormal3fv(n);
        glTexCoord2f(float(i) / slices, 1.0f - float(j) / stacks);
        glVertex3f(n[0] * radius, n[1] * radius, n[2] * radius);
    };
    for (int j = 0; j < stacks; ++j) {
        for (int i = 0; i < slices; ++i) {
            vertex(i, j);
            vertex(i, j + 1);
            vertex(i + 1, j + 1);
            vertex(i, j);
            vertex(i + 1, j + 1);
            vertex(i + 1, j);
        }
    }
    glEnd();
}

unsigned makeTexture(int width, int height, const std::vector<uint8_t>& rgb) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

unsigned makeSolidTexture(uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 4 * 4; ++i)
        rgb.insert(rgb.end(), {r, g, b});
    return makeTexture(4, 4, rgb);
}
