// The real sound library heard through OpenAL Soft's wave-file output: what plays, when,
// from where, and that nothing opens or plays while sound is off or there is no device.
#include <AL/al.h>
#include <AL/alc.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

#include "app/frame.h"
#include "app/platform.h"
#include "sound/audio_device.h"
#include "sound/sound.h"
#include "tests/sound/wave_support.h"
#include "world/contact.h"
#include "world/control_state.h"
#include "world/frame_update.h"
#include "app/game_setup.h"
#include "world/world_state.h"

namespace {
constexpr float SHOT_HZ      = 1500.0f;
constexpr float EXPLOSION_HZ = 400.0f;
constexpr int SHOT_MS        = 80;
constexpr int EXPLOSION_MS   = 100;
constexpr const char* OUTPUT = "out.wav";

// How far a sound's start in the recording may lie from the moment it was asked for: the
// mixer runs in periods of about 12 ms and may fall behind on a busy machine.
constexpr double EARLY_MS = 100.0;
constexpr double LATE_MS  = 60.0;

// Exit codes of the child's own checks.
constexpr int CHILD_OK          = 0;
constexpr int NO_DEVICE         = 10;
constexpr int STILL_OPEN        = 11;
constexpr int NO_HIT            = 12;
constexpr int DEVICE_WHILE_OFF  = 13;
constexpr int UNEXPECTED_DEVICE = 14;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void writeTestSounds(const SoundScratch& scratch) {
    writeToneWav(scratch.path("shoot.wav"), SHOT_HZ, SHOT_MS);
    writeToneWav(scratch.path("explode.wav"), EXPLOSION_HZ, EXPLOSION_MS);
}

// Times the child measured, in milliseconds from just before soundStart.
void saveTimes(const std::vector<double>& times) {
    std::ofstream out("times.txt");
    for (double t : times)
        out << t << "\n";
}

std::vector<double> loadTimes(const SoundScratch& scratch) {
    std::vector<double> times;
    std::ifstream in(scratch.path("times.txt"));
    for (double t; in >> t;)
        times.push_back(t);
    return times;
}

// The local ship at the origin looking along -z at a planet whose surface a rocket
// reaches 18 steps after launch.
void placeShipFacingPlanet(int32_t soundEnabled) {
    resetWorld();
    resetPlayerTable();
    controls               = ControlState{};
    gameSetup.soundEnabled = soundEnabled;
    localPlayer            = 0;
    playerTable[0].slot    = 0;
    planetCount            = 1;
    planets.pos[0][2]      = -6.0f;
    planets.radius[0]      = 1.0f;
    for (float& p : playerTable[0].pos)
        p = 0.0f;
}

constexpr int FIRE_FRAME  = 10;
constexpr int FRAME_COUNT = 45;

struct FrameTimes {
    double shot = -1.0;
    double hit  = -1.0;
};

// Paced frames as the game runs them; fires once and notes when the rocket strikes.
FrameTimes runFrames(double t0) {
    FrameTimes times;
    static FrameReport report;
    for (int frame = 0; frame < FRAME_COUNT; ++frame) {
        if (frame == FIRE_FRAME) controls.fire = 1;
        frameStart     = platformMilliseconds();
        int32_t before = playerTable[0].rocketLife[0];
        simulateFrame(&report);
        deliverFrameReport(report);
        int32_t after = playerTable[0].rocketLife[0];
        if (frame == FIRE_FRAME) times.shot = nowMs() - t0;
        if (before > ROCKET_BURST_ABOVE && after < ROCKET_BURST_ABOVE) times.hit = nowMs() - t0;
        waitFrameFloor();
    }
    return times;
}

bool deviceClosed() {
    return !soundDeviceOpen() && alcGetCurrentContext() == nullptr;
}

void expectStartsNear(const Segment& s, double calledAt) {
    EXPECT_GT(s.startMs, calledAt - EARLY_MS);
    EXPECT_LT(s.startMs, calledAt + LATE_MS);
}

void expectTone(const Segment& s, float hz) {
    EXPECT_NEAR(s.frequency, hz, hz * 0.15);
}
} // namespace

TEST(SoundPlayback, ShotAndExplosionSoundInTheFramesThatCauseThem) {
    SoundScratch scratch;
    writeTestSounds(scratch);
    writeWaveConfig(scratch, 1, OUTPUT);
    int code = runSoundChild(scratch, [] {
        placeShipFacingPlanet(1);
        double t0 = nowMs();
        soundStart();
        if (!soundDeviceOpen()) return NO_DEVICE;
        soundSetup();
        FrameTimes times = runFrames(t0);
        soundShutdown();
        soundShutdown(); // the shutdown may run twice
        if (!deviceClosed()) return STILL_OPEN;
        saveTimes({times.shot, times.hit});
        return times.hit > 0 ? CHILD_OK : NO_HIT;
    });
    ASSERT_EQ(code, CHILD_OK);
    std::vector<double> times = loadTimes(scratch);
    ASSERT_EQ(times.size(), 2u);
    Recording rec = readRecording(scratch.path(OUTPUT));
    ASSERT_TRUE(rec.valid);
    EXPECT_TRUE(rec.sizesFinalised);
    std::vector<Segment> heard = audibleSegments(rec);
    ASSERT_EQ(heard.size(), 2u) << "silence, one shot, silence, one explosion, silence";
    expectTone(heard[0], SHOT_HZ);
    expectStartsNear(heard[0], times[0]);
    EXPECT_NEAR(heard[0].endMs - heard[0].startMs, SHOT_MS, 15.0);
    expectTone(heard[1], EXPLOSION_HZ);
    expectStartsNear(heard[1], times[1]);
    // The shot is heard one unit from the listener, the explosion about five.
    EXPECT_GT(heard[0].rms[0], 3.0 * heard[1].rms[0]);
}

TEST(SoundPlayback, ListenerSitsOnTheShipAndFacesAlongItsStep) {
    SoundScratch scratch;
    writeTestSounds(scratch);
    writeWaveConfig(scratch, 2, OUTPUT);
    int code = runSoundChild(scratch, [] {
        placeShipFacingPlanet(1);
        planetCount         = 0;
        Player& l           = playerTable[0];
        const float east[3] = {4.0f, 0.0f, 0.0f};
        auto hear           = [&] {
            soundUpdateListener(l.pos, l.vel);
            soundPlayExplosion(east);
            sleepMs(250);
        };
        soundStart();
        if (!soundDeviceOpen()) return NO_DEVICE;
        soundSetup();
        forwardStep(0.0f, 0.0f, &l.vel[0], &l.vel[1], &l.vel[2]); // along -z: east on the right
        hear();
        forwardStep(180.0f, 0.0f, &l.vel[0], &l.vel[1], &l.vel[2]); // along +z: east on the left
        hear();
        l.vel[0] = l.vel[1] = l.vel[2] = 0.0f; // just respawned: the ears stay as they were
        hear();
        forwardStep(0.0f, 0.0f, &l.vel[0], &l.vel[1], &l.vel[2]);
        soundUpdateListener(l.pos, l.vel);
        l.vel[0] = l.vel[2] = 0.0f; // climbing straight up: still on the right
        l.vel[1]            = CLIMB_STEP;
        hear();
        forwardStep(0.0f, 0.0f, &l.vel[0], &l.vel[1], &l.vel[2]);
        l.pos[0] = 8.0f; // flown past it: on the left
        hear();
        soundShutdown();
        return deviceClosed() ? CHILD_OK : STILL_OPEN;
    });
    ASSERT_EQ(code, CHILD_OK);
    Recording rec = readRecording(scratch.path(OUTPUT));
    ASSERT_EQ(rec.channels, 2);
    std::vector<Segment> heard = audibleSegments(rec);
    ASSERT_EQ(heard.size(), 5u);
    const bool onTheRight[5] = {true, false, false, true, false};
    for (int i = 0; i < 5; ++i) {
        double near = heard[i].rms[onTheRight[i] ? 1 : 0];
        double far  = heard[i].rms[onTheRight[i] ? 0 : 1];
        EXPECT_GT(near, 2.0 * far) << "explosion " << i;
    }
}

TEST(SoundPlayback, SecondShotRestartsTheSoundAtItsOwnPosition) {
    SoundScratch scratch;
    writeToneWav(scratch.path("shoot.wav"), SHOT_HZ, 200);
    writeWaveConfig(scratch, 2, OUTPUT);
    int code = runSoundChild(scratch, [] {
        double t0 = nowMs();
        soundStart();
        if (!soundDeviceOpen()) return NO_DEVICE;
        soundSetup(); // the listener looks along +z: -x is on its right
        const float right[3] = {-3.0f, 0.0f, 0.0f};
        const float left[3]  = {3.0f, 0.0f, 0.0f};
        soundPlayShot(right);
        double first = nowMs() - t0;
        sleepMs(120);
        soundPlayShot(left);
        double second = nowMs() - t0;
        sleepMs(350);
        soundShutdown();
        saveTimes({first, second});
        return CHILD_OK;
    });
    ASSERT_EQ(code, CHILD_OK);
    std::vector<double> times = loadTimes(scratch);
    ASSERT_EQ(times.size(), 2u);
    Recording rec              = readRecording(scratch.path(OUTPUT));
    std::vector<Segment> heard = audibleSegments(rec);
    ASSERT_EQ(heard.size(), 1u);
    const Segment& s = heard[0];
    expectStartsNear(s, times[0]);
    // Cut off and started again: the whole sound after the second shot, not the rest of the first.
    EXPECT_NEAR(s.endMs - s.startMs, times[1] - times[0] + 200.0, 50.0);
    EXPECT_GT(channelRms(rec, 1, s.startMs, s.startMs + 60),
              2.0 * channelRms(rec, 0, s.startMs, s.startMs + 60));
    EXPECT_GT(channelRms(rec, 0, s.endMs - 120, s.endMs),
              2.0 * channelRms(rec, 1, s.endMs - 120, s.endMs));
}

TEST(SoundPlayback, MissingOrUnreadableWavLeavesOnlyThatSoundSilent) {
    enum Fault { MISSING, NOT_A_WAV, IMPOSSIBLE_RATE };
    for (Fault fault : {MISSING, NOT_A_WAV, IMPOSSIBLE_RATE}) {
        SoundScratch scratch;
        writeToneWav(scratch.path("explode.wav"), EXPLOSION_HZ, EXPLOSION_MS);
        if (fault == NOT_A_WAV)
            std::ofstream(scratch.path("shoot.wav")) << "RIFF....WAVEnot a sound";
        if (fault == IMPOSSIBLE_RATE) {
            writeToneWav(scratch.path("shoot.wav"), SHOT_HZ, SHOT_MS);
            std::fstream wav(scratch.path("shoot.wav"),
                             std::ios::in | std::ios::out | std::ios::binary);
            wav.seekp(24); // the sample rate
            wav.write("\xff\xff\xff\xff", 4);
        }
        writeWaveConfig(scratch, 1, OUTPUT);
        int code = runSoundChild(scratch, [] {
            const float here[3] = {0.0f, 0.0f, 1.0f};
            double t0           = nowMs();
            soundStart();
            if (!soundDeviceOpen()) return NO_DEVICE;
            soundSetup();
            soundPlayShot(here);
            sleepMs(200);
            soundPlayExplosion(here);
            double explosion = nowMs() - t0;
            sleepMs(200);
            soundShutdown();
            saveTimes({explosion});
            return CHILD_OK;
        });
        ASSERT_EQ(code, CHILD_OK);
        std::vector<double> times  = loadTimes(scratch);
        std::vector<Segment> heard = audibleSegments(readRecording(scratch.path(OUTPUT)));
        ASSERT_EQ(times.size(), 1u);
        ASSERT_EQ(heard.size(), 1u) << "fault " << fault;
        expectTone(heard[0], EXPLOSION_HZ);
        expectStartsNear(heard[0], times[0]);
    }
}

TEST(SoundPlayback, PendingLibraryErrorsBlockNeitherLoadingNorClosing) {
    SoundScratch scratch;
    writeTestSounds(scratch);
    writeWaveConfig(scratch, 1, OUTPUT);
    int code = runSoundChild(scratch, [] {
        const float here[3] = {0.0f, 0.0f, 1.0f};
        soundStart();
        if (!soundDeviceOpen()) return NO_DEVICE;
        alSourcePlay(0xDEAD); // someone else's mistake leaves an error behind
        soundSetup();
        soundPlayShot(here);
        sleepMs(150);
        alSourcePlay(0xDEAD);
        soundShutdown();
        return deviceClosed() ? CHILD_OK : STILL_OPEN;
    });
    ASSERT_EQ(code, CHILD_OK);
    Recording rec = readRecording(scratch.path(OUTPUT));
    EXPECT_TRUE(rec.sizesFinalised) << "the device was closed and its file completed";
    std::vector<Segment> heard = audibleSegments(rec);
    ASSERT_EQ(heard.size(), 1u);
    expectTone(heard[0], SHOT_HZ);
}

TEST(SoundPlayback, WithSoundDisabledFramesOpenNoDevice) {
    SoundScratch scratch;
    writeTestSounds(scratch);
    writeWaveConfig(scratch, 1, OUTPUT);
    int code = runSoundChild(scratch, [] {
        placeShipFacingPlanet(0);
        FrameTimes times = runFrames(nowMs());
        if (times.hit < 0) return NO_HIT;
        return alcGetCurrentContext() == nullptr ? CHILD_OK : DEVICE_WHILE_OFF;
    });
    EXPECT_EQ(code, CHILD_OK);
    EXPECT_FALSE(std::filesystem::exists(scratch.path(OUTPUT)));
}

TEST(SoundPlayback, WithSoundDisabledFramesPlayNothing) {
    SoundScratch scratch;
    writeTestSounds(scratch);
    writeWaveConfig(scratch, 1, OUTPUT);
    int code = runSoundChild(scratch, [] {
        placeShipFacingPlanet(1);
        soundStart();
        if (!soundDeviceOpen()) return NO_DEVICE;
        soundSetup();
        gameSetup.soundEnabled = 0; // a shot and a hit follow; neither may reach the library
        FrameTimes times       = runFrames(nowMs());
        soundShutdown();
        return times.hit > 0 ? CHILD_OK : NO_HIT;
    });
    ASSERT_EQ(code, CHILD_OK);
    Recording rec = readRecording(scratch.path(OUTPUT));
    ASSERT_TRUE(rec.valid);
    EXPECT_TRUE(audibleSegments(rec).empty());
}

TEST(SoundPlayback, WithoutAnAudioDeviceTheGamePlaysOnSilently) {
    SoundScratch scratch;
    writeTestSounds(scratch);
    writeWaveConfig(scratch, 1, nullptr); // the wave output has no file: the device cannot open
    double started = nowMs();
    int code       = runSoundChild(scratch, [] {
        placeShipFacingPlanet(1);
        soundStart();
        if (soundDeviceOpen()) return UNEXPECTED_DEVICE;
        soundSetup();
        FrameTimes times    = runFrames(nowMs());
        const float here[3] = {0.0f, 0.0f, 0.0f};
        soundPlayShot(here);
        soundPlayExplosion(here);
        soundShutdown();
        soundShutdown();
        return times.hit > 0 ? CHILD_OK : NO_HIT;
    });
    EXPECT_EQ(code, CHILD_OK);
    EXPECT_LT(nowMs() - started, 5000.0);
}
