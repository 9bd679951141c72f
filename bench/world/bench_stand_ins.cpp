// What the main loop's frame calls besides the world and the network, reduced to nothing:
// no sound, no window, no drawing. The network is the real one with no game open, the clock
// and sleep the real platform layer's.
#include <cstdlib>

#include "app/fatal_error.h"
#include "app/platform.h"
#include "render/render.h"
#include "sound/sound.h"

void soundUpdateListener(const float*, const float*) {}
void soundPlayShot(const float*) {}
void soundPlayExplosion(const float*) {}

void centreCursor() {}
void platformSwapBuffers() {}
void renderFrame() {}
void renderWaitingScreen(const char*) {}
void failGame(int exitCode, const char*, bool) {
    std::exit(exitCode);
}
