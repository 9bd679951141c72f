// The two sounds load through ALUT, the library the game reads them with, as short mono
// 16-bit PCM that is loud but not clipped and ends in silence.
#include <gtest/gtest.h>

#include <AL/alut.h>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "tests/tools/generated_files.h"
#include "tools/sound_synth.h"

namespace {
class GeneratedSounds : public ::testing::Test {
  protected:
    // ALUT reads files only with a context current; the null device needs no sound card.
    void SetUp() override {
        setenv("ALSOFT_DRIVERS", "null", 1);
        ASSERT_TRUE(alutInit(nullptr, nullptr)) << alutGetErrorString(alutGetError());
    }
    void TearDown() override { alutExit(); }

    void check(const char* name, float shortest, float longest) {
        SCOPED_TRACE(name);
        ALenum format          = 0;
        ALsizei size           = 0;
        ALfloat rate           = 0;
        const std::string path = gameDir() + "/" + name;
        void* data             = alutLoadMemoryFromFile(path.c_str(), &format, &size, &rate);
        ASSERT_NE(data, nullptr) << alutGetErrorString(alutGetError());
        EXPECT_EQ(format, AL_FORMAT_MONO16); // mono, so the listener can place it
        EXPECT_EQ(rate, static_cast<ALfloat>(SOUND_RATE));
        const int count     = size / 2;
        const float seconds = static_cast<float>(count) / rate;
        EXPECT_GE(seconds, shortest);
        EXPECT_LE(seconds, longest);
        const int16_t* pcm = static_cast<const int16_t*>(data);
        int peak = 0, tail = 0;
        for (int i = 0; i < count; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(pcm[i])));
            if (i > count - count / 50) tail = std::max(tail, std::abs(static_cast<int>(pcm[i])));
        }
        EXPECT_GT(peak, 20000);
        EXPECT_LT(peak, 32000);
        EXPECT_LT(tail, 2000); // fades out instead of stopping with a click
        std::free(data);
    }
};
} // namespace

TEST_F(GeneratedSounds, ShotIsShortMonoPcm) {
    check("shoot.wav", 0.2f, 0.8f);
}

TEST_F(GeneratedSounds, ExplosionIsShortMonoPcm) {
    check("explode.wav", 0.8f, 2.5f);
}
