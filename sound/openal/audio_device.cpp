// soundStart and the device's close: the default audio device and its context, through ALUT.
#include "sound/openal/audio_device.h"

#include <AL/alut.h>

#include "sound/sound.h"

namespace {
bool deviceOpen = false;

// ALUT refuses to work while an OpenAL or ALC error is pending, so clear both first.
void clearPendingErrors() {
    alGetError();
    ALCcontext* context = alcGetCurrentContext();
    if (context) alcGetError(alcGetContextsDevice(context));
}
} // namespace

bool soundDeviceOpen() {
    return deviceOpen;
}

void soundStart() {
    if (deviceOpen) return;
    deviceOpen = alutInit(nullptr, nullptr) == AL_TRUE;
}

void closeAudioDevice() {
    if (!deviceOpen) return; // never opened, or already closed by an earlier shutdown
    clearPendingErrors();
    alutExit();
    deviceOpen = false;
}
