// A real OpenGL context for tests and benchmarks: a hidden SDL2 window on $DISPLAY (Mesa's
// software renderer under Xvfb), current until closed, and what was drawn read back.
#pragma once

#include <string>

#include "tests/support/picture.h"

struct GlWindow;

GlWindow* openGlWindow(int width, int height, std::string* error); // null, and why, on failure
void closeGlWindow(GlWindow* window);
Picture readFrame(int width, int height); // the back buffer after glFinish
