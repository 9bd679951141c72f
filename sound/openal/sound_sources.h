// The shot and explosion: one buffer and one source each, names generated at set-up.
#pragma once

#include <AL/al.h>

extern ALuint shotBuffer;
extern ALuint explosionBuffer;
extern ALuint shotSource;
extern ALuint explosionSource;
extern float shotPosition[3]; // where the last shot was heard

constexpr const char* SHOT_WAV      = "shoot.wav";
constexpr const char* EXPLOSION_WAV = "explode.wav";

void stopSoundSources();
