// Sound stand-in: records every call with its position.
#include "sound/sound.h"
#include "tests/fakes/fakes.h"

namespace {
void record(const char* what, const float* p) {
    SoundCall call{what, {0, 0, 0}};
    if (p) {
        for (int a = 0; a < 3; ++a) call.pos[a] = p[a];
    }
    fakeRecord.sounds.push_back(call);
}
} // namespace

void soundStart() { record("start", nullptr); }
void soundSetup() { record("setup", nullptr); }
void soundUpdateListener(const float position[3], const float*) { record("listener", position); }
void soundPlayShot(const float position[3]) { record("shot", position); }
void soundPlayExplosion(const float position[3]) { record("explosion", position); }
void soundShutdown() { record("shutdown", nullptr); }
