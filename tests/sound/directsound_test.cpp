// The DirectSound backend on a real device (under Wine, ALSA's null device): where each effect
// is placed, and that the game's calls play a shot without a crash, device or none.
#include <gtest/gtest.h>

#include <fstream>

#include "sound/directsound/sound_player.h"
#include "sound/sound.h"
#include "tools/sound_synth.h"

namespace {
struct Placed {
    const char* what;
    float at[3]; // the listener sits at the origin facing -z: +x is on its right
    int side;    // the sign of the pan: 1 right, -1 left
};

void writeShot() {
    const std::vector<uint8_t> wav = encodeWav(makeShotSound(), SOUND_RATE);
    std::ofstream("shoot.wav", std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), wav.size());
}

// The volume and pan DirectSound holds for the shot played at position.
void placedShot(SoundPlayer& player, const float position[3], long& volume, long& pan) {
    for (int a = 0; a < 3; ++a)
        player.effectPosition[SHOT_EFFECT][a] = position[a];
    placeEffect(player, SHOT_EFFECT);
    player.buffer[SHOT_EFFECT]->GetVolume(&volume);
    player.buffer[SHOT_EFFECT]->GetPan(&pan);
}
} // namespace

TEST(DirectSound, EachShotIsPlacedOnItsSideAndByItsDistance) {
    writeShot();
    SoundPlayer player;
    if (!openSoundDevice(player)) GTEST_SKIP() << "no sound device";
    player.buffer[SHOT_EFFECT] = loadSoundBuffer(player.device, "shoot.wav");
    ASSERT_NE(player.buffer[SHOT_EFFECT], nullptr);
    const float ahead[3] = {0, 0, -1};
    orientListener(ahead, player.orientation);
    const Placed table[] = {
        {"near right", {1, 0, -1}, 1 },
        {"far right",  {4, 0, -4}, 1 },
        {"near left",  {-1, 0, 1}, -1},
        {"far left",   {-4, 0, 4}, -1},
    };
    long volume[4], pan[4];
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(table[i].what);
        placedShot(player, table[i].at, volume[i], pan[i]);
        EXPECT_GT(pan[i] * table[i].side, 0);
    }
    EXPECT_GT(volume[0], volume[1]) << "the near shot is louder";
    EXPECT_GT(volume[2], volume[3]) << "the near left shot is louder";
    closeSoundDevice(player);
}

TEST(DirectSound, TheGameCallsPlayAShotWithOrWithoutADevice) {
    writeShot();
    const float here[3] = {0, 0, 0}, ahead[3] = {0, 0, -1}, right[3] = {2, 0, -1};
    soundStart();
    soundSetup();
    soundUpdateListener(here, ahead);
    soundPlayShot(right);
    Sleep(300);
    soundShutdown();
    soundShutdown(); // twice, as the game's every way out may
    SUCCEED();
}
