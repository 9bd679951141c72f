// The seven models the game loads, built in memory.
#pragma once

#include "tools/mesh.h"

constexpr float SKY_RADIUS     = 50.0f; // half the far plane: the whole sky is always drawn
constexpr int SKY_FACES        = 6;     // one texture per cube face of the sky sphere
constexpr int SKY_TEXTURE_SIDE = 256;
constexpr float PLANET_GREY    = 0.22f;     // the viewer's light is five times over-bright
constexpr int PLANET_DETAIL[3] = {1, 2, 3}; // icosphere subdivisions: 80, 320, 1280 triangles

Mesh makeShipMesh();
Mesh makeRocketMesh();
Mesh makeExplosionMesh();
Mesh makeSkyMesh();
Mesh makePlanetMesh(int subdivisions);

// The point of cube face `face` (0 to 5) at face coordinates u, v (each -1 to 1). The sky
// mesh and the sky pictures both use it, so the pictures meet without seams.
Vec3 skyFacePoint(int face, float u, float v);
// The texture coordinate of face coordinate c: edge texel centres lie on the cube's edges.
float skyTexCoord(float c);
