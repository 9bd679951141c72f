// The main loop: every waiting event is handled, one per turn, before the next frame.
#include "app/main_loop.h"

#include "app/look_cursor.h"
#include "app/window.h"
#include "app/window_proc.h"
#include "platform/platform.h"

void handleEvent(InputEvent event) {
    if (event.kind == InputKind::RESIZED) fitSceneToWindow();
    if (event.kind == InputKind::MOUSE_MOVE) {
        moveLookCursor(event.dx, event.dy);
        event.dx = lookOffsetX();
        event.dy = lookOffsetY();
    }
    gameWindowProc(event);
}

int runMainLoop(void (*frame)()) {
    for (;;) {
        if (quitMessagePosted()) return quitExitCode();
        InputEvent event;
        if (!platformPollEvent(&event)) {
            frame();
            continue;
        }
        handleEvent(event);
    }
}
