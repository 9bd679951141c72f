// The game window and its OpenGL context.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct Resolution {
    int32_t width;
    int32_t height;
};

// The first three rows are the game's first sizes; the last is the desktop's own size.
constexpr int RESOLUTION_COUNT   = 4;
constexpr int DESKTOP_RESOLUTION = 3;
constexpr int SMALLEST_WIDTH     = 640; // no window gets smaller
constexpr int SMALLEST_HEIGHT    = 480;
extern const Resolution resolutionTable[RESOLUTION_COUNT];

constexpr int DISPLAY_BITS_PER_PIXEL = 16; // asked for in full screen; any depth will do
constexpr int GL_COLOUR_BITS         = 5;  // per channel, at least
constexpr int GL_DEPTH_BITS          = 16; // at least

struct SDL_Window;

extern SDL_Window* gameWindow; // the one game window, kept to the end

// Creates the hidden window, ready for a double-buffered OpenGL context, for a size from
// resolutionTable or any other (cut to the screen, with a warning). Full screen at the
// desktop's size keeps the display as it is; at another size the window takes that display
// mode when shown. In a window it is decorated and resizable (and maximised for the desktop's
// size). Null when that fails.
SDL_Window* createGameWindow(const char* name, Resolution size);
// The viewport, projection, overlay and mouse look for the window's present size; again at
// every change of size.
void fitSceneToWindow();
// Creates the window's OpenGL context and makes it current; false when that fails.
bool createGlContext();
void showGameWindow();
// Gives the display back its desktop mode after full-screen play; safe to repeat.
void restoreDisplayMode();
// Where the game window lies on the screen; the whole screen while there is none.
ScreenArea gameWindowArea();
// Lets the video system go when the program ends.
void closeVideo();
