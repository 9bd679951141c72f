// The seven models the game loads, built in memory.
#pragma once

#include "tools/mesh.h"

constexpr float SKY_RADIUS = 50.0f; // half the far plane: the whole sky is always drawn
constexpr int SKY_FACES    = 6;     // one texture per cube face of the sky sphere
// At 1920 x 1080 and the game's 60 degree view, a texel in the middle of the screen covers 1.8
// pixels at a face's centre and 0.6 to 1.3 near its edges: stars are points, not blocks.
constexpr int SKY_TEXTURE_SIDE = 1024;
// Texels each sky picture paints beyond its face's edges, from the neighbouring faces' sky: the
// coarser mipmap levels then blend sky into an edge, not the far side of the face.
constexpr int SKY_TEXTURE_APRON = 4;
constexpr int PLANET_DETAIL[3]  = {2, 3, 4}; // icosphere subdivisions: 320, 1280, 5120 triangles

// Planets are drawn scaled by their radius with unnormalised normals, so the viewer's
// five-fold light reaches a planet of radius r at 1/r strength. Lit colours are clamped
// before the texture modulates them, so white never washes a picture out: it only keeps
// the big planets from going dark.
constexpr float PLANET_COLOUR = 1.0f;

Mesh makeShipMesh();
Mesh makeRocketMesh();
Mesh makeExplosionMesh();
Mesh makeSkyMesh();
Mesh makePlanetMesh(int subdivisions);

// The point of cube face `face` (0 to 5) at face coordinates u, v (each -1 to 1). The sky
// mesh and the sky pictures both use it, so the pictures meet without seams.
Vec3 skyFacePoint(int face, float u, float v);
// The texture coordinate of face coordinate c; the apron lies beyond -1 and 1.
float skyTexCoord(float c);
// The face coordinate at texel position t (texel k spans k to k + 1), the inverse.
float skyFaceCoord(float t);
