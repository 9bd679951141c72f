// soundSetup and the two positional sounds.
#include "sound/openal/sound_sources.h"

#include <AL/alut.h>
#include <cstdlib>

#include "sound/openal/audio_device.h"
#include "sound/openal/listener.h"
#include "sound/placement.h"
#include "sound/sound.h"

namespace {
// One buffer and one source each, names generated at set-up.
ALuint shotBuffer      = 0;
ALuint explosionBuffer = 0;
ALuint shotSource      = 0;
ALuint explosionSource = 0;
float shotPosition[3]  = {0.0f, 0.0f, 1.0f}; // where the last shot was heard

constexpr float MAX_WAV_RATE = 1000000.0f; // samples per second, far above any real sound

const float EXPLOSION_START_POSITION[3] = {2.0f, 0.0f, -1.0f};
const float SOURCE_VELOCITY[3]          = {0.0f, 0.0f, 1.0f};

// A file that is missing or unreadable leaves the buffer empty and its sound silent.
void loadWav(ALuint buffer, const char* fileName) {
    alGetError(); // ALUT refuses to load while an OpenAL error is pending
    ALenum format   = 0;
    ALsizei size    = 0;
    ALfloat rate    = 0.0f;
    ALvoid* samples = alutLoadMemoryFromFile(fileName, &format, &size, &rate);
    if (!samples) return;
    if (!(rate >= 1.0f && rate <= MAX_WAV_RATE)) { // a header no real sound has
        std::free(samples);
        return;
    }
    alBufferData(buffer, format, samples, size, static_cast<ALsizei>(rate));
    std::free(samples);
}

void setupSource(ALuint source, const float position[3], ALuint buffer) {
    alSourcef(source, AL_PITCH, 1.0f);
    alSourcef(source, AL_GAIN, 1.0f);
    alSourcef(source, AL_REFERENCE_DISTANCE, SOUND_REFERENCE_DISTANCE);
    alSourcef(source, AL_ROLLOFF_FACTOR, SOUND_ROLLOFF);
    alSourcefv(source, AL_POSITION, position);
    alSourcefv(source, AL_VELOCITY, SOURCE_VELOCITY);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(source, AL_LOOPING, AL_FALSE);
}

// Moves the source and plays it from the start, cutting off what it was playing.
void restartAt(ALuint source, const float position[3]) {
    alSourcefv(source, AL_POSITION, position);
    alSourceStop(source);
    alSourcePlay(source);
}
} // namespace

void soundSetup() {
    if (!soundDeviceOpen()) return;
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED); // the model placement.h describes
    setupListener();

    ALuint buffers[2] = {0, 0};
    alGenBuffers(2, buffers);
    shotBuffer      = buffers[0];
    explosionBuffer = buffers[1];
    loadWav(shotBuffer, SHOT_WAV);
    loadWav(explosionBuffer, EXPLOSION_WAV);

    ALuint sources[2] = {0, 0};
    alGenSources(2, sources);
    shotSource      = sources[0];
    explosionSource = sources[1];
    setupSource(shotSource, shotPosition, shotBuffer);
    setupSource(explosionSource, EXPLOSION_START_POSITION, explosionBuffer);
}

void soundPlayShot(const float position[3]) {
    if (!soundDeviceOpen()) return;
    for (int a = 0; a < 3; ++a)
        shotPosition[a] = position[a];
    restartAt(shotSource, shotPosition);
}

void soundPlayExplosion(const float position[3]) {
    if (!soundDeviceOpen()) return;
    restartAt(explosionSource, position);
}

void stopSoundSources() {
    alSourceStop(shotSource);
    alSourceStop(explosionSource);
}

void soundShutdown() {
    if (!soundDeviceOpen()) return; // never opened, or already closed by an earlier shutdown
    stopSoundSources();
    closeAudioDevice();
}
