// The game window on SDL2: display mode, window, OpenGL context, icon, swap.
#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "app/game_setup.h"
#include "assets/game_icon.h"
#include "app/look_cursor.h"
#include "platform/platform.h"
#include "app/window.h"
#include "render/render.h"

// clang-format off
const Resolution resolutionTable[RESOLUTION_COUNT] = {
    { 640, 480},
    { 800, 600},
    {1024, 768},
    {   0,   0}, // the desktop's own
};
// clang-format on

SDL_Window* gameWindow = nullptr;

namespace {
bool displayModeChanged = false;

void requestGlFormat() {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, GL_COLOUR_BITS);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, GL_COLOUR_BITS);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, GL_COLOUR_BITS);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, GL_DEPTH_BITS);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// Exclusive full screen in the chosen size; SDL switches the display when the window is
// shown and takes the closest mode it has.
void requestDisplayMode(SDL_Window* window, int width, int height) {
    SDL_DisplayMode mode = {SDL_PIXELFORMAT_RGB565, width, height, 0, nullptr};
    SDL_SetWindowDisplayMode(window, &mode);
    displayModeChanged = true;
}

void setIcon(SDL_Window* window) {
    uint32_t pixels[ICON_SIDE * ICON_SIDE]; // SDL keeps its own copy
    drawGameIcon(pixels);
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels, ICON_SIDE, ICON_SIDE, 32,
                                                           ICON_SIDE * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

// A size larger than the screen is cut to it, and said so; the desktop's row is the screen.
Resolution fitToScreen(Resolution size) {
    SDL_Rect screen{0, 0, size.width, size.height};
    SDL_GetDisplayBounds(0, &screen);
    if (size.width == 0) return {screen.w, screen.h};
    const Resolution fitted{std::min(size.width, screen.w), std::min(size.height, screen.h)};
    if (fitted.width != size.width || fitted.height != size.height)
        std::fprintf(stderr, "voranis: %dx%d is larger than the screen; playing at %dx%d\n",
                     size.width, size.height, fitted.width, fitted.height);
    return fitted;
}
} // namespace

SDL_Window* createGameWindow(const char* name, Resolution size) {
    // The window's class: X11 and Wayland read it from the environment.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", name, 1);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", name, 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
    requestGlFormat();
    const bool desktop = size.width == 0;
    size               = fitToScreen(size);
    Uint32 flags       = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (gameSetup.fullScreen)
        flags |= desktop ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_FULLSCREEN;
    else
        flags |= SDL_WINDOW_RESIZABLE | (desktop ? SDL_WINDOW_MAXIMIZED : 0);
    const int at = gameSetup.fullScreen ? 0 : SDL_WINDOWPOS_CENTERED;
    gameWindow   = SDL_CreateWindow(name, at, at, size.width, size.height, flags);
    if (!gameWindow) return nullptr;
    SDL_SetWindowMinimumSize(gameWindow, SMALLEST_WIDTH, SMALLEST_HEIGHT);
    if (gameSetup.fullScreen && !desktop) requestDisplayMode(gameWindow, size.width, size.height);
    setIcon(gameWindow);
    setLookArea(size.width, size.height);
    // Typed text matters only while the chat line is open.
    platformTextInput(false);
    return gameWindow;
}

bool createGlContext() {
    SDL_GLContext context = SDL_GL_CreateContext(gameWindow);
    if (!context) return false;
    if (SDL_GL_MakeCurrent(gameWindow, context) != 0) return false;
    // Every machine paces its frames by the clock alone: rockets fly one step per frame,
    // so a frame rate tied to the screen's refresh would make machines disagree.
    SDL_GL_SetSwapInterval(0);
    return true;
}

void showGameWindow() {
    SDL_ShowWindow(gameWindow);
    SDL_RaiseWindow(gameWindow);
    fitSceneToWindow(); // full screen and maximised windows take their size when shown
}

// The drawable may hold more pixels than the window has points (HiDPI): the viewport takes
// the pixels, the mouse look the points.
void fitSceneToWindow() {
    int w = 0, h = 0, drawableW = 0, drawableH = 0;
    SDL_GetWindowSize(gameWindow, &w, &h);
    SDL_GL_GetDrawableSize(gameWindow, &drawableW, &drawableH);
    const float ratio = h > 0 && drawableH > 0 ? float(drawableH) / float(h) : 1.0f;
    setSceneSize(drawableW, drawableH, ratio);
    setLookArea(w, h);
}

void restoreDisplayMode() {
    if (!displayModeChanged || !gameWindow) return;
    displayModeChanged = false;
    SDL_SetWindowFullscreen(gameWindow, 0);
}

ScreenArea gameWindowArea() {
    ScreenArea area{0, 0, 0, 0};
    SDL_DisplayMode desktop;
    if (!gameWindow) {
        if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) area = {0, 0, desktop.w, desktop.h};
        return area;
    }
    SDL_GetWindowPosition(gameWindow, &area.x, &area.y);
    SDL_GetWindowSize(gameWindow, &area.w, &area.h);
    return area;
}

void closeVideo() {
    restoreDisplayMode();
    SDL_Quit();
}

void platformSwapBuffers() {
    SDL_GL_SwapWindow(gameWindow);
}
