// Placeholder drawing until the renderer lands: clears to black and swaps.
#include "render/render.h"

#include <GL/gl.h>

#include "app/platform.h"

void renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    platformSwapBuffers();
}
void drawOverlay() {}
void drawDigits(float, float, float, const char*) {}
