// A real OpenGL context: a hidden SDL2 window on $DISPLAY, current until closed.
#pragma once

#include <string>

#include "tests/support/picture.h"

struct GlWindow;

GlWindow* openGlWindow(int width, int height, std::string* error); // null, and why, on failure
void closeGlWindow(GlWindow* window);
Picture readFrame(int width, int height); // the back buffer after glFinish
// Level 0 of a texture as the GL holds it, rows bottom up as uploaded; 0 x 0 when it has none.
Picture readTexture(unsigned name);
