// The game's sound calls over the one DirectSound player: every call is a no-op while no
// device is open, so a machine without audio plays on silently.
#include "sound/directsound/sound_player.h"
#include "sound/sound.h"

namespace {
constexpr const char* EFFECT_WAV[SOUND_EFFECTS] = {"shoot.wav", "explode.wav"};

SoundPlayer player;

void playEffect(SoundEffect effect, const float position[3]) {
    if (!player.device) return;
    for (int a = 0; a < 3; ++a)
        player.effectPosition[effect][a] = position[a];
    placeEffect(player, effect);
    restartBuffer(player.buffer[effect]);
}
} // namespace

void soundStart() {
    if (!player.device) openSoundDevice(player);
}

void soundSetup() {
    if (!player.device) return;
    for (int i = 0; i < ORIENTATION_FLOATS; ++i)
        player.orientation[i] = LISTENER_START_ORIENTATION[i];
    for (int e = 0; e < SOUND_EFFECTS; ++e) {
        if (!player.buffer[e]) player.buffer[e] = loadSoundBuffer(player.device, EFFECT_WAV[e]);
    }
}

// Sounds already playing follow the listener, as OpenAL's sources do.
void soundUpdateListener(const float position[3], const float facing[3]) {
    if (!player.device) return;
    for (int a = 0; a < 3; ++a)
        player.listener[a] = position[a];
    orientListener(facing, player.orientation);
    for (int e = 0; e < SOUND_EFFECTS; ++e)
        placeEffect(player, SoundEffect(e));
}

void soundPlayShot(const float position[3]) {
    playEffect(SHOT_EFFECT, position);
}

void soundPlayExplosion(const float position[3]) {
    playEffect(EXPLOSION_EFFECT, position);
}

void soundShutdown() {
    closeSoundDevice(player);
}
