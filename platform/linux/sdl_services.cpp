// The platform layer's screen services on SDL2: the look centre, the cursor, text input,
// the program's folder and the buffer swap.
#include <SDL.h>

#include "platform/platform.h"

void platformTextInput(bool on) {
    if (on) {
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}

// A hidden cursor means play: the mouse then reports motion only, and never leaves the
// game window (moving the pointer back every frame is not allowed everywhere).
void platformShowCursor(bool visible) {
    SDL_SetRelativeMouseMode(visible ? SDL_FALSE : SDL_TRUE);
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}
