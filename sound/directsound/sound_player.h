// The DirectSound side of the sound: one device and a buffer for each of the two sounds,
// placed by our own distance gain and pan (see placement.h) rather than DirectSound's 3D
// buffers, so that Windows and Linux share one tested model, DirectSound's left-handed axes
// never need flipping, and any device plays it, with or without 3D support in its driver.
#pragma once

#include <windows.h>
// windows.h leaves the wave formats out when lean; DirectSound needs them first.
#include <mmsystem.h>

#include <dsound.h>

#include "sound/listener_orientation.h"

enum SoundEffect { SHOT_EFFECT, EXPLOSION_EFFECT, SOUND_EFFECTS };

struct SoundPlayer {
    IDirectSound* device                      = nullptr; // null while no device is open
    IDirectSoundBuffer* buffer[SOUND_EFFECTS] = {};      // null while its file was not loaded
    float effectPosition[SOUND_EFFECTS][3]    = {};      // where each was last played
    float listener[3]                         = {};
    float orientation[ORIENTATION_FLOATS]     = {};
};

// Opens the default device if the system has one; false, with one line on standard error
// saying so, when it has none or it cannot be opened.
bool openSoundDevice(SoundPlayer& player);
// Releases the buffers and the device; safe when nothing is open.
void closeSoundDevice(SoundPlayer& player);

// A buffer holding the samples of the WAV file at path; null when the file is missing or
// unreadable, and the sound is then silent.
IDirectSoundBuffer* loadSoundBuffer(IDirectSound* device, const char* path);
// Sets the buffer's volume and pan for the effect at its position, heard from the listener.
void placeEffect(const SoundPlayer& player, SoundEffect effect);
// Plays the buffer from the start, cutting off what it was playing.
void restartBuffer(IDirectSoundBuffer* buffer);

// Volume and pan in DirectSound's hundredths of a decibel for the left and right gains.
long volumeForGains(const float gains[2]);
long panForGains(const float gains[2]);
