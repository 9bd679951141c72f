// The placement every backend shares, and the WAV reader the DirectSound side loads with.
#include <gtest/gtest.h>

#include <cmath>

#include "sound/placement.h"
#include "sound/wave_file.h"
#include "tools/sound_synth.h"

namespace {
const float ORIGIN[3]                 = {0, 0, 0};
const float AHEAD[ORIENTATION_FLOATS] = {0, 0, -1, 0, 1, 0}; // +x on the right

struct Side {
    float at[3];
    int louder; // the channel, or -1 for both alike
};
} // namespace

TEST(SoundPlacement, EachSideIsLouderInItsOwnChannel) {
    const Side sides[] = {
        {{3, 0, -1}, RIGHT_CHANNEL},
        {{-3, 0, 1}, LEFT_CHANNEL },
        {{0, 0, -5}, -1           },
        {{0, 0, 0},  -1           },
    };
    for (const Side& s : sides) {
        float gains[2];
        channelGains(ORIGIN, AHEAD, s.at, gains);
        SCOPED_TRACE(s.at[0]);
        if (s.louder < 0)
            EXPECT_FLOAT_EQ(gains[LEFT_CHANNEL], gains[RIGHT_CHANNEL]);
        else
            EXPECT_GT(gains[s.louder], 2 * gains[1 - s.louder]);
    }
}

// OpenAL's inverse distance, clamped, with the reference distance and rolloff we give it.
TEST(SoundPlacement, TheDistanceModelIsInverseAndClamped) {
    const float cases[][2] = {
        {0,        1     },
        {1,        1     },
        {2,        0.5f  },
        {8,        0.125f},
        {INFINITY, 0     },
        {NAN,      0     }
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(distanceGain(c[0]), c[1]) << c[0];
}

TEST(SoundPlacement, TheReaderTakesTheGeneratorsFilesAndRefusesCutOnes) {
    const std::vector<int16_t> tone = {100, -100, 200, -200};
    const std::vector<uint8_t> wav  = encodeWav(tone, SOUND_RATE);
    WaveSound sound;
    ASSERT_TRUE(parseWave(wav, sound));
    EXPECT_EQ(sound.samples, std::vector<uint8_t>(wav.end() - 8, wav.end()));
    EXPECT_EQ(sound.rate, SOUND_RATE);
    for (size_t cut : {wav.size() - 1, size_t(40), size_t(12), size_t(3)}) {
        EXPECT_FALSE(parseWave(std::vector<uint8_t>(wav.begin(), wav.begin() + cut), sound)) << cut;
        EXPECT_TRUE(sound.samples.empty()) << cut;
    }
}
