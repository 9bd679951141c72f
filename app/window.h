// The game window and its OpenGL context.
#pragma once

#include <cstdint>

#include "app/platform.h"

struct Resolution {
    int32_t width;
    int32_t height;
};

constexpr int RESOLUTION_COUNT = 3;
extern const Resolution resolutionTable[RESOLUTION_COUNT];

constexpr int DISPLAY_BITS_PER_PIXEL = 16; // asked for in full screen; any depth will do
constexpr int GL_COLOUR_BITS         = 5;  // per channel, at least
constexpr int GL_DEPTH_BITS          = 16; // at least

struct SDL_Window;

extern SDL_Window* gameWindow; // the one game window, kept to the end

// Creates the hidden, borderless window at the screen origin, ready for a double-buffered
// OpenGL context; in full screen it takes the display mode of its size when shown. Null
// when that fails.
SDL_Window* createGameWindow(const char* name, int width, int height);
// Creates the window's OpenGL context and makes it current; false when that fails.
bool createGlContext();
void showGameWindow();
// Gives the display back its desktop mode after full-screen play; safe to repeat.
void restoreDisplayMode();
// Where the game window lies on the screen; the whole screen while there is none.
ScreenArea gameWindowArea();
// Lets the video system go when the program ends.
void closeVideo();
