// The main loop: every waiting event is handled, one per turn, before the next frame.
#include "app/main_loop.h"

#include <SDL.h>

#include "app/input_translate.h"
#include "app/window_proc.h"
#include "render/render.h"
#include "world/frame_update.h"

int runMainLoop() {
    for (;;) {
        if (quitMessagePosted()) return quitExitCode();
        SDL_Event event;
        if (!SDL_PollEvent(&event)) {
            updateFrame();
            renderFrame();
            continue;
        }
        gameWindowProc(translateEvent(event));
    }
}
