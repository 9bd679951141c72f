// SDL's events as the game window's input events.
#pragma once

#include <SDL_events.h>

#include "app/window_proc.h"

// Keys held with Alt are the system's (Alt+F4 and the like) and are not the game's; a
// motion moves the look cursor and reports where it is now.
InputEvent translateEvent(const SDL_Event& event);
