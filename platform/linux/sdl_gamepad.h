// The gamepads' half of SDL's event stream: pads plugged in and pulled out.
#pragma once

#include <SDL.h>

// Opens a game controller that arrived, closes one that left; other events are left alone.
void noteGamepadEvent(const SDL_Event& event);
