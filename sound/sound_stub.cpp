// Placeholder sound until OpenAL lands: silent.
#include "sound/sound.h"

void soundStart() {}
void soundSetup() {}
void soundUpdateListener() {}
void soundPlayShot(const float*) {}
void soundPlayExplosion(const float*) {}
void soundShutdown() {}
