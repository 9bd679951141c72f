// Small stand-in art for drawing tests and benchmarks: flat coloured quads, boxes and
// spheres recorded into the game's numbered display lists, and textures made from colours.
#pragma once

#include <cstdint>
#include <vector>

struct Rgb {
    float r, g, b;
};

// Emit geometry into the list being recorded. A null colour sets none, so the colour set
// before the list is called shows (the ship, rocket and explosion lists rely on that).
// Texturing is switched off unless textured is true (then it is on, with no bind of its own);
// blending is not touched.
void emitQuadFacingViewer(float cx, float cy, float cz, float half, const Rgb* colour,
                          bool textured = false);
void emitQuadFacingUp(float cx, float cy, float cz, float half, const Rgb* colour);
void emitInsideBox(float half, Rgb colour, float alpha);
void emitSphere(float radius, int slices, int stacks, const Rgb* colour, bool textured);

// Records list from emitted geometry.
template <typename Emit> void recordList(unsigned list, Emit emit);

// A texture of width x height RGB texels (bottom row first) with linear filters, like the
// game's. Call before any bindTexture, then leave texture 0 bound: bindTexture remembers
// its last name and does not know about binds made here.
unsigned makeTexture(int width, int height, const std::vector<uint8_t>& rgb);
unsigned makeSolidTexture(uint8_t r, uint8_t g, uint8_t b);

#include <GL/gl.h>

template <typename Emit> void recordList(unsigned list, Emit emit) {
    glNewList(list, GL_COMPILE);
    emit();
    glEndList();
}
