// The game window and its OpenGL context.
#pragma once

#include <cstdint>

struct Resolution {
    int32_t width;
    int32_t height;
};

constexpr int RESOLUTION_COUNT = 3;
extern const Resolution resolutionTable[RESOLUTION_COUNT];

struct SDL_Window;

extern SDL_Window* gameWindow; // the one game window, kept to the end

// Switches the display when full screen was chosen and creates the hidden, borderless
// window at the screen origin with its OpenGL context. Null when that fails.
SDL_Window* createGameWindow(const char* name, int width, int height);
void showGameWindow();
void restoreDisplayMode();
