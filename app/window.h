// The game window as the game wants it, over the platform's window.
#pragma once

#include "app/dialog/game_setup.h"

constexpr int SMALLEST_WIDTH  = 640; // no window gets smaller
constexpr int SMALLEST_HEIGHT = 480;

// Creates the hidden window, ready for the OpenGL context, for a size from resolutionTable or
// any other (cut to the screen, with a warning). Full screen at the desktop's size keeps the
// display as it is; at another size the window takes that display mode when shown. In a
// window it is decorated and resizable (and maximised for the desktop's size). False, with the
// system's reason in problem, when that fails.
bool createGameWindow(const char* name, Resolution size, char* problem, int problemSize);
// The viewport, projection, overlay and mouse look for the window's present size; again at
// every change of size.
void fitSceneToWindow();
void showGameWindow();
// Start-up's fixed order from the window on: the window, its OpenGL context, sound, every
// model and picture, the universe into world, the cursor held for the look. Any failure ends
// the game.
void openGameWindowFor(WorldState& world);
