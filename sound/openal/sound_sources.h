// The shot and explosion: one buffer and one source each.
#pragma once

constexpr const char* SHOT_WAV      = "shoot.wav";
constexpr const char* EXPLOSION_WAV = "explode.wav";

void stopSoundSources();
