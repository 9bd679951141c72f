// The benchmark host runs the game's own frame, drawing included, without sound or a window
// of its own: the drawing goes to a hidden test context and is finished, not shown.
#include <GL/gl.h>

#include <cstdlib>

#include "app/fatal_error.h"
#include "platform/platform.h"
#include "sound/sound.h"

void soundUpdateListener(const float*, const float*) {}
void soundPlayShot(const float*) {}
void soundPlayExplosion(const float*) {}

void centreCursor() {}
void platformSwapBuffers() {
    glFinish();
}
void failGame(int exitCode, const char*, bool) {
    std::exit(exitCode);
}
