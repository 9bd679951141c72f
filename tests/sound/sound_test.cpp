// The real sound library heard through OpenAL Soft's wave-file output: the shot and the
// explosion in the frames that cause them, the listener on the ship facing along its step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/frame.h"
#include "app/game_setup.h"
#include "app/platform.h"
#include "sound/listener.h"
#include "sound/sound.h"
#include "tests/support/stand_ins.h"
#include "tests/support/world_setup.h"
#include "world/control_state.h"
#include "world/frame_update.h"

namespace {
constexpr int RATE       = 22050;
constexpr double SHOT_HZ = 1500, EXPLOSION_HZ = 400;
// What the child tells: the steady clock when it opened the device, then its own notes.
double* const told = static_cast<double*>(
    mmap(nullptr, 64, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));

double nowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void put(std::string& out, uint32_t v, int bytes) {
    for (int b = 0; b < bytes; ++b)
        out += static_cast<char>(v >> (8 * b));
}

// A 16-bit mono sine at half scale.
void writeTone(const char* path, double hz, int ms) {
    const uint32_t n = RATE * ms / 1000;
    std::string w    = "RIFF";
    put(w, 36 + 2 * n, 4);
    w += "WAVEfmt ";
    for (uint32_t v : {16u, 1u | 1u << 16, uint32_t(RATE), 2u * RATE, 2u | 16u << 16})
        put(w, v, 4);
    w += "data";
    put(w, 2 * n, 4);
    for (uint32_t i = 0; i < n; ++i)
        put(w, uint16_t(int16_t(16000 * std::sin(2 * M_PI * hz * i / RATE))), 2);
    std::ofstream(path, std::ios::binary) << w;
}

struct Heard {
    double startMs, endMs, hz, level[2]; // level: root mean square, left and right
};

// Runs body in a child, in a scratch folder with the two test sounds, whose OpenAL Soft writes
// all it plays to out.wav; then the audible stretches of that recording (gaps under 20 ms
// joined), or none when the child failed.
std::vector<Heard> hear(int channels, const std::function<bool()>& body) {
    char dir[] = "/tmp/voranis-sound-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) return {};
    writeTone("shoot.wav", SHOT_HZ, 80);
    writeTone("explode.wav", EXPLOSION_HZ, 100);
    std::ofstream("alsoft.conf")
        << "[general]\ndrivers = wave\nchannels = " << (channels == 1 ? "mono" : "stereo")
        << "\nfrequency = " << RATE
        << "\nsample-type = int16\nperiod_size = 256\n[wave]\nfile = out.wav\n";
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        alarm(20); // a hang fails the case
        setenv("ALSOFT_CONF", "alsoft.conf", 1);
        told[0] = nowMs();
        soundStart();
        soundSetup();
        const bool ok = body();
        soundShutdown();
        _exit(ok ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    std::ifstream file("out.wav", std::ios::binary);
    const std::string w((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::system(("rm -rf " + std::string(dir)).c_str());
    EXPECT_EQ(status, 0) << "the child failed";
    const size_t data = w.find("data");
    std::vector<Heard> found;
    if (status != 0 || data == std::string::npos) return found;
    auto sample = [&](size_t f, int c) {
        const size_t at = data + 8 + 2 * (f * channels + c % channels);
        return double(int16_t(uint8_t(w[at]) | uint8_t(w[at + 1]) << 8));
    };
    auto sum = [&](size_t f) { return sample(f, 0) + (channels == 2 ? sample(f, 1) : 0); };
    const size_t frames = (w.size() - data - 8) / (2 * channels), gap = RATE / 50;
    for (size_t f = 0; f < frames; ++f) {
        if (std::fabs(sum(f)) <= 200) continue;
        size_t last = f, crossings = 0;
        for (size_t g = f; g < frames && g - last < gap; ++g)
            if (std::fabs(sum(g)) > 200) last = g;
        double power[2] = {0, 0};
        for (size_t g = f; g <= last; ++g) {
            crossings += g > f && (sum(g - 1) < 0) != (sum(g) < 0);
            for (int c = 0; c < 2; ++c)
                power[c] += sample(g, c) * sample(g, c);
        }
        const double n = double(last - f + 1);
        found.push_back({
            1000.0 * f / RATE,
            1000.0 * (last + 1) / RATE,
            crossings / 2.0 * RATE / n,
            {std::sqrt(power[0] / n), std::sqrt(power[1] / n)}
        });
        f = last + gap;
    }
    return found;
}
} // namespace

// The ship at the origin looks along -z at a planet its rocket reaches some 18 frames after
// the shot; frames run at the game's pace, and the sounds start when their frames ran.
TEST(Sound, TheShotAndTheExplosionSoundInTheFramesThatCauseThem) {
    const std::vector<Heard> heard = hear(1, [] {
        freshWorld();
        gameSetup              = startSetup();
        gameSetup.soundEnabled = 1;
        placeLocal(0, {0, 0, 0});
        placePlanet({0, 0, -6}, 1);
        static FrameReport report;
        for (int frame = 0; frame < 45; ++frame) {
            frameStart    = platformMilliseconds();
            controls.fire = frame == 10;
            simulateFrame(&report);
            deliverFrameReport(report);
            const double now = nowMs() - told[0]; // when the shot's and the burst's frames ran
            if (frame == 10) told[1] = now;
            if (playerTable[0].rocketLife[0] == ROCKET_BURST_LIFE - 1) told[2] = now;
            waitFrameFloor();
        }
        return told[2] > 0;
    });
    ASSERT_EQ(heard.size(), 2u) << "silence, a shot, silence, an explosion, silence";
    const double hz[2] = {SHOT_HZ, EXPLOSION_HZ};
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(heard[i].hz, hz[i], 0.15 * hz[i]) << "sound " << i;
        // The mixer works in periods of some 12 ms and may lag a little on a busy machine.
        EXPECT_GT(heard[i].startMs, told[1 + i] - 100) << "sound " << i;
        EXPECT_LT(heard[i].startMs, told[1 + i] + 60) << "sound " << i;
    }
    EXPECT_GT(heard[0].level[0], 3 * heard[1].level[0]) << "the shot one unit away, the burst five";
}

// An explosion to the east (+x), heard as the ship turns, stops, climbs and flies past.
TEST(Sound, TheListenerSitsOnTheShipAndFacesAlongItsStep) {
    const std::vector<Heard> heard = hear(2, [] {
        float pos[3]        = {0, 0, 0}, step[3];
        const float east[3] = {4, 0, 0};
        auto explode        = [&] {
            soundUpdateListener(pos, step);
            soundPlayExplosion(east);
            usleep(250000);
        };
        forwardStep(0, 0, &step[0], &step[1], &step[2]); // along -z: east on the right
        explode();
        forwardStep(180, 0, &step[0], &step[1], &step[2]); // along +z: on the left
        explode();
        step[0] = step[1] = step[2] = 0; // just respawned: the ears stay as they were
        explode();
        forwardStep(0, 0, &step[0], &step[1], &step[2]);
        soundUpdateListener(pos, step);
        step[0] = step[2] = 0; // climbing straight up: still on the right
        step[1]           = CLIMB_STEP;
        explode();
        forwardStep(0, 0, &step[0], &step[1], &step[2]);
        pos[0] = 8; // flown past it: on the left
        explode();
        return true;
    });
    ASSERT_EQ(heard.size(), 5u);
    const bool right[5] = {true, false, false, true, false};
    for (int i = 0; i < 5; ++i)
        EXPECT_GT(heard[i].level[right[i]], 2 * heard[i].level[!right[i]]) << "explosion " << i;
}

// "Up" is the unit vector perpendicular to "at" closest to world up, whatever the heading.
TEST(Sound, TheListenersUpIsPerpendicularToItsFacingAndClosestToWorldUp) {
    float o[ORIENTATION_FLOATS] = {0, 0, 1, 0, 1, 0};
    for (float yaw = -180; yaw <= 540; yaw += 37.5f) {
        for (float pitch = -89; pitch <= 89; pitch += 11) {
            float at[3];
            forwardStep(yaw, pitch, &at[0], &at[1], &at[2]);
            orientListener(at, o);
            const float len = std::sqrt(at[0] * at[0] + at[1] * at[1] + at[2] * at[2]);
            EXPECT_NEAR(o[3] * o[3] + o[4] * o[4] + o[5] * o[5], 1, 1e-5f);
            EXPECT_NEAR((o[3] * at[0] + o[4] * at[1] + o[5] * at[2]) / len, 0, 1e-5f);
            EXPECT_NEAR(o[4], std::sqrt(at[0] * at[0] + at[2] * at[2]) / len, 1e-5f);
        }
    }
}
