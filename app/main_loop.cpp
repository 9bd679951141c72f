// The main loop: every waiting event is handled, one per turn, before the next frame.
#include "app/main_loop.h"

#include <SDL.h>

#include "app/window_proc.h"
#include "render/render.h"
#include "world/frame_update.h"

namespace {
bool quitPosted  = false;
int quitExitCode = 0;
}

void postQuitMessage(int exitCode) {
    if (quitPosted) return;
    quitPosted   = true;
    quitExitCode = exitCode;
}

int runMainLoop() {
    for (;;) {
        if (quitPosted) return quitExitCode;
        SDL_Event event;
        if (!SDL_PollEvent(&event)) {
            updateFrame();
            renderFrame();
            continue;
        }
        gameWindowProc(event);
    }
}
