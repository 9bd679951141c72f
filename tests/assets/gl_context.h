// A real OpenGL context for tests and benchmarks: a hidden SDL2 window on $DISPLAY (Mesa's
// software renderer under Xvfb in CI), made current until the context is destroyed.
#pragma once

#include <string>

struct TestGlContext;

// Null when no context could be made; error then says why.
TestGlContext* createTestGlContext(int width, int height, std::string* error);
void destroyTestGlContext(TestGlContext* context);
