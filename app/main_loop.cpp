// The main loop: every waiting event is handled, one per turn, before the next frame.
#include "app/main_loop.h"

#include <SDL.h>

#include "app/frame.h"
#include "app/input_translate.h"
#include "app/window.h"
#include "app/window_proc.h"

int runMainLoop() {
    for (;;) {
        if (quitMessagePosted()) return quitExitCode();
        SDL_Event event;
        if (!SDL_PollEvent(&event)) {
            runFrame();
            continue;
        }
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            fitSceneToWindow();
        gameWindowProc(translateEvent(event));
    }
}
