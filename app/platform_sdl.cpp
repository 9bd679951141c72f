// The platform layer on SDL2: millisecond clock, sleep, cursor visibility, error boxes.
#include <SDL.h>

#include "app/platform.h"

uint32_t platformMilliseconds() { return SDL_GetTicks(); }

void platformSleep(uint32_t milliseconds) { SDL_Delay(milliseconds); }

void platformShowCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void platformErrorBox(const char* title, const char* text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, text, nullptr);
}
