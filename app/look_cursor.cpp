// The emulated look cursor: gathers relative motion between two frames.
#include "app/look_cursor.h"

#include <algorithm>

#include "platform/platform.h"
#include "app/window_proc.h"

namespace {
int areaWidth  = 640;
int areaHeight = 480;
int cursorX    = LOOK_CENTRE_X;
int cursorY    = LOOK_CENTRE_Y;

// A pointer cannot leave the screen, and a moving one never lands outside the window
// that receives its motion.
int keepWithin(int value, int size) {
    return std::clamp(value, 0, std::max(size, 1) - 1);
}
} // namespace

void setLookArea(int width, int height) {
    areaWidth  = width;
    areaHeight = height;
}

void moveLookCursor(int dx, int dy) {
    // A step is limited to the window's size first, so that no motion overflows the sum.
    cursorX = keepWithin(cursorX + std::clamp(dx, -areaWidth, areaWidth), areaWidth);
    cursorY = keepWithin(cursorY + std::clamp(dy, -areaHeight, areaHeight), areaHeight);
}

int lookOffsetX() {
    return cursorX - LOOK_CENTRE_X;
}
int lookOffsetY() {
    return cursorY - LOOK_CENTRE_Y;
}

void centreCursor() {
    cursorX = LOOK_CENTRE_X;
    cursorY = LOOK_CENTRE_Y;
}
