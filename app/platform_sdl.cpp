// The platform layer on SDL2: millisecond clock, sleep, cursor visibility.
#include <SDL.h>

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/platform.h"

// Milliseconds of the machine's steady clock, which starts before the program does: the
// random seed is taken from it at start-up, so it must differ between runs.
uint32_t platformMilliseconds() {
    using namespace std::chrono;
    auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(now.count());
}

void platformSleep(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

// A hidden cursor means play: the mouse then reports motion only, and never leaves the
// game window (moving the pointer back every frame is not allowed everywhere).
void platformTextInput(bool on) {
    if (on) {
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}

void platformLoginName(char* name, int size) {
    if (size <= 0) return;
    const passwd* user = getpwuid(getuid());
    const char* login  = user && user->pw_name ? user->pw_name : std::getenv("USER");
    std::snprintf(name, static_cast<size_t>(size), "%s", login ? login : "");
}

void platformShowCursor(bool visible) {
    SDL_SetRelativeMouseMode(visible ? SDL_FALSE : SDL_TRUE);
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}
