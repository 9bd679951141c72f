// Models into OpenGL display lists, recorded once at start-up.
#pragma once

#include "assets/vrml_model.h"

// Records drawModel into the display list with this number (used as given).
void compileModel(const Model& model, unsigned int listNumber);

// The cull side, then per face set its blending and colour, its texture and its triangles.
// Nothing is restored afterwards.
void drawModel(const Model& model);

// True when every corner of triangle t names an entry inside the shared arrays.
bool isTriangleInside(const Model& model, const FaceSet& faceSet, uint32_t t);
