// The screen a joiner sees until the host gives it a place: one line of text, centred.
#include <GL/gl.h>

#include <cstdio>

#include "render/render.h"
#include "render/text.h"

namespace {
constexpr float WAITING_COLOUR[3] = {0.8f, 0.9f, 1.0f};
constexpr int WAITING_TEXT_SIZE   = 320;
} // namespace

void renderWaitingScreen(const char* address) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    char text[WAITING_TEXT_SIZE];
    std::snprintf(text, sizeof text, "Connecting to %s...", address);
    const float height = drawable.layout.waitingTextHeight;
    beginScreenOverlay();
    drawText((static_cast<float>(drawable.width) - textWidth(text, height)) / 2.0f,
             (static_cast<float>(drawable.height) - height) / 2.0f, height, text, WAITING_COLOUR);
    endScreenOverlay();
    glFlush();
}
