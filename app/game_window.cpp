// The game window as the game wants it: the size asked for, cut to the screen, the window's
// mode from the choices, the icon, and the scene fitted to the window's size.
#include <algorithm>
#include <cstdio>

#include "app/game_setup.h"
#include "app/look_cursor.h"
#include "app/window.h"
#include "assets/game_icon.h"
#include "platform/platform.h"
#include "render/render.h"

namespace {
// A size larger than the screen is cut to it, and said so; the desktop's row is the screen.
Resolution fitToScreen(Resolution size) {
    ScreenArea screen = platformDesktopArea();
    if (screen.w <= 0 || screen.h <= 0) screen = {0, 0, size.width, size.height};
    if (size.width == 0) return {screen.w, screen.h};
    const Resolution fitted{std::min(size.width, screen.w), std::min(size.height, screen.h)};
    if (fitted.width != size.width || fitted.height != size.height)
        std::fprintf(stderr, "voranis: %dx%d is larger than the screen; playing at %dx%d\n",
                     size.width, size.height, fitted.width, fitted.height);
    return fitted;
}

WindowMode windowMode(bool fullScreen, bool desktop) {
    if (fullScreen)
        return desktop ? WindowMode::FULL_SCREEN_DESKTOP : WindowMode::FULL_SCREEN_SWITCH;
    return desktop ? WindowMode::MAXIMISED : WindowMode::WINDOWED;
}
} // namespace

bool createGameWindow(const char* name, Resolution size, char* problem, int problemSize) {
    if (!platformOpenVideo(name, problem, problemSize)) return false;
    const bool desktop = size.width == 0;
    size               = fitToScreen(size);
    uint32_t icon[ICON_SIDE * ICON_SIDE];
    drawGameIcon(icon);
    const WindowRequest request{name,           size.width,
                                size.height,    windowMode(gameSetup.fullScreen != 0, desktop),
                                SMALLEST_WIDTH, SMALLEST_HEIGHT,
                                icon,           ICON_SIDE};
    if (!platformCreateWindow(request, problem, problemSize)) return false;
    setLookArea(size.width, size.height);
    // Typed text matters only while the chat line is open.
    platformTextInput(false);
    return true;
}

void showGameWindow() {
    platformShowWindow();
    fitSceneToWindow(); // full screen and maximised windows take their size when shown
}

// The drawable may hold more pixels than the window has points (HiDPI): the viewport takes
// the pixels, the mouse look the points.
void fitSceneToWindow() {
    const ScreenArea window = platformWindowArea();
    int drawableW = 0, drawableH = 0;
    platformDrawableSize(&drawableW, &drawableH);
    const float ratio = window.h > 0 && drawableH > 0 ? float(drawableH) / float(window.h) : 1.0f;
    setSceneSize(drawableW, drawableH, ratio, static_cast<float>(gameSetup.controls.fovDegrees));
    setLookArea(window.w, window.h);
}
