// The game window on SDL2: display mode, borderless window, OpenGL context, icon, swap.
#include <SDL.h>

#include "app/game_setup.h"
#include "app/icon.h"
#include "app/look_cursor.h"
#include "app/platform.h"
#include "app/window.h"

// clang-format off
const Resolution resolutionTable[RESOLUTION_COUNT] = {
    { 640, 480},
    { 800, 600},
    {1024, 768},
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
} // namespace

SDL_Window* createGameWindow(const char* name, int width, int height) {
    // The window's class: X11 and Wayland read it from the environment.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", name, 1);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", name, 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
    requestGlFormat();
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (gameSetup.fullScreen) flags |= SDL_WINDOW_FULLSCREEN;
    gameWindow = SDL_CreateWindow(name, 0, 0, width, height, flags);
    if (!gameWindow) return nullptr;
    if (gameSetup.fullScreen) requestDisplayMode(gameWindow, width, height);
    setIcon(gameWindow);
    setLookArea(width, height);
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
