// Where a sound is heard: the distance model and the left/right split every backend uses, so
// a shot sounds the same from the same place whatever plays it.
#pragma once

#include "sound/listener_orientation.h"

// The inverse distance model, clamped: full loudness up to the reference distance, then
// reference / (reference + rolloff * (distance - reference)).
constexpr float SOUND_REFERENCE_DISTANCE = 1.0f;
constexpr float SOUND_ROLLOFF            = 1.0f;

constexpr int LEFT_CHANNEL  = 0;
constexpr int RIGHT_CHANNEL = 1;

// The loudness, 0 to 1, of a sound this far from the listener; 0 when not finite.
float distanceGain(float distance);

// The left and right gains of a sound at source heard by a listener at listener with
// orientation (at, up): the distance gain split by an equal-power pan across the right-hand
// side (at x up). A sound on the listener is centred; one not finite is silent.
void channelGains(const float listener[3], const float orientation[ORIENTATION_FLOATS],
                  const float source[3], float gains[2]);
