// The game window on SDL2: display mode, window, icon, OpenGL context, swap.
#include <SDL.h>

#include <cstdio>

#include "platform/platform.h"

namespace {
SDL_Window* gameWindow  = nullptr; // the one game window, kept to the end
bool displayModeChanged = false;

bool failed(char* problem, int problemSize) {
    std::snprintf(problem, static_cast<size_t>(problemSize), "%s", SDL_GetError());
    return false;
}

void requestGlFormat() {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, WINDOW_COLOUR_BITS);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, WINDOW_COLOUR_BITS);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, WINDOW_COLOUR_BITS);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, WINDOW_DEPTH_BITS);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// Exclusive full screen in the chosen size; SDL switches the display when the window is
// shown and takes the closest mode it has.
void requestDisplayMode(int width, int height) {
    SDL_DisplayMode mode = {SDL_PIXELFORMAT_RGB565, width, height, 0, nullptr};
    SDL_SetWindowDisplayMode(gameWindow, &mode);
    displayModeChanged = true;
}

void setIcon(const uint32_t* pixels, int side) {
    if (!pixels) return;
    // SDL keeps its own copy of the pixels.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(pixels), side, side, 32, side * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    SDL_SetWindowIcon(gameWindow, icon);
    SDL_FreeSurface(icon);
}

Uint32 modeFlags(WindowMode mode) {
    switch (mode) {
    case WindowMode::FULL_SCREEN_DESKTOP:
        return SDL_WINDOW_FULLSCREEN_DESKTOP;
    case WindowMode::FULL_SCREEN_SWITCH:
        return SDL_WINDOW_FULLSCREEN;
    case WindowMode::WINDOWED:
        return SDL_WINDOW_RESIZABLE;
    case WindowMode::MAXIMISED:
        return SDL_WINDOW_RESIZABLE | SDL_WINDOW_MAXIMIZED;
    }
    return 0;
}

bool fullScreen(WindowMode mode) {
    return mode == WindowMode::FULL_SCREEN_DESKTOP || mode == WindowMode::FULL_SCREEN_SWITCH;
}
} // namespace

bool platformOpenVideo(const char* title, char* problem, int problemSize) {
    // The window's class: X11 and Wayland read it from the environment.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", title, 1);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", title, 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return failed(problem, problemSize);
    return true;
}

ScreenArea platformDesktopArea() {
    SDL_Rect screen{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &screen);
    return {screen.x, screen.y, screen.w, screen.h};
}

bool platformCreateWindow(const WindowRequest& request, char* problem, int problemSize) {
    requestGlFormat();
    const Uint32 flags =
        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI | modeFlags(request.mode);
    const int at = fullScreen(request.mode) ? 0 : SDL_WINDOWPOS_CENTERED;
    gameWindow   = SDL_CreateWindow(request.title, at, at, request.width, request.height, flags);
    if (!gameWindow) return failed(problem, problemSize);
    SDL_SetWindowMinimumSize(gameWindow, request.minWidth, request.minHeight);
    if (request.mode == WindowMode::FULL_SCREEN_SWITCH)
        requestDisplayMode(request.width, request.height);
    setIcon(request.icon, request.iconSide);
    return true;
}

bool platformCreateGlContext(char* problem, int problemSize) {
    SDL_GLContext context = SDL_GL_CreateContext(gameWindow);
    if (!context) return failed(problem, problemSize);
    if (SDL_GL_MakeCurrent(gameWindow, context) != 0) return failed(problem, problemSize);
    // Frames are paced by the clock alone, never by the screen's refresh.
    SDL_GL_SetSwapInterval(0);
    return true;
}

void platformShowWindow() {
    SDL_ShowWindow(gameWindow);
    SDL_RaiseWindow(gameWindow);
}

ScreenArea platformWindowArea() {
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

void platformDrawableSize(int* width, int* height) {
    *width  = 0;
    *height = 0;
    if (gameWindow) SDL_GL_GetDrawableSize(gameWindow, width, height);
}

// SDL tells the pointer in window points; the drawable may hold more pixels (HiDPI).
void platformPointerPosition(int* x, int* y) {
    *x = *y = 0;
    if (!gameWindow) return;
    int pointX = 0, pointY = 0, windowW = 0, windowH = 0, pixelsW = 0, pixelsH = 0;
    SDL_GetMouseState(&pointX, &pointY);
    SDL_GetWindowSize(gameWindow, &windowW, &windowH);
    SDL_GL_GetDrawableSize(gameWindow, &pixelsW, &pixelsH);
    if (windowW <= 0 || windowH <= 0) return;
    *x = static_cast<int>(static_cast<long>(pointX) * pixelsW / windowW);
    *y = static_cast<int>(static_cast<long>(pointY) * pixelsH / windowH);
}

void platformSwapBuffers() {
    SDL_GL_SwapWindow(gameWindow);
}

void platformRestoreDisplayMode() {
    if (!displayModeChanged || !gameWindow) return;
    displayModeChanged = false;
    SDL_SetWindowFullscreen(gameWindow, 0);
}

void platformCloseVideo() {
    platformRestoreDisplayMode();
    SDL_Quit();
}
