// soundUpdateListener: the listener sits on the local ship and faces along its step.
#include "sound/openal/listener.h"

#include <AL/al.h>

#include "sound/listener_orientation.h"
#include "sound/openal/audio_device.h"
#include "sound/sound.h"

namespace {
const float LISTENER_START_POSITION[3] = {0.0f, 0.0f, 0.0f};
const float LISTENER_VELOCITY[3]       = {0.0f, 0.0f, 0.0f};

// The orientation last handed to OpenAL.
float listenerOrientation[ORIENTATION_FLOATS];
} // namespace

void setupListener() {
    alListenerfv(AL_POSITION, LISTENER_START_POSITION);
    alListenerfv(AL_VELOCITY, LISTENER_VELOCITY);
    alListenerfv(AL_ORIENTATION, LISTENER_START_ORIENTATION);
    for (int i = 0; i < ORIENTATION_FLOATS; ++i)
        listenerOrientation[i] = LISTENER_START_ORIENTATION[i];
}

void soundUpdateListener(const float position[3], const float facing[3]) {
    if (!soundDeviceOpen()) return;
    alListenerfv(AL_POSITION, position);
    orientListener(facing, listenerOrientation);
    alListenerfv(AL_ORIENTATION, listenerOrientation);
}
