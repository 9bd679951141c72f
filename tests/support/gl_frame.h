// A real OpenGL context for tests and benchmarks: a hidden SDL2 window on $DISPLAY (Mesa's
// software renderer under Xvfb), current until closed, and what was drawn read back.
#pragma once

#include <string>

#include "tests/support/picture.h"

struct GlWindow;

// Null, with the reason in error, when no context can be had.
GlWindow* openGlWindow(int width, int height, std::string* error);
void closeGlWindow(GlWindow* window);

// The back buffer after glFinish, top row first like a screenshot.
Picture readFrame(int width, int height);
