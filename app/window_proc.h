// The game window's input: control flags, mouse look, respawn, Escape and close.
#pragma once

#include <SDL_events.h>

constexpr int LOOK_CENTRE_X  = 300;
constexpr int LOOK_CENTRE_Y  = 200;
constexpr float LOOK_FACTOR  = 0.3f;

// Handles one window event. Returns false once Escape or close has posted the quit.
bool gameWindowProc(const SDL_Event& event);
