// The real sound library heard through OpenAL Soft's wave-file output, in child processes.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "net/net_session.h"
#include "platform/platform.h"
#include "sound/sound.h"
#include "step/game_step.h"
#include "step/step_wait.h"
#include "tests/support/portable/world_setup.h"
#include "tools/sound_synth.h"
#include "world/control_state.h"
#include "world/step_clock.h"
#include "world/step_simulation.h"
#include "world/world_state.h"

namespace {
// This program's own world and network session, as each program owns its own.
WorldState testWorld;
NetSession testNet;

constexpr int RATE      = 22050;
constexpr int SHOT_MS   = 60; // the two sounds told apart by their length
constexpr int BURST_MS  = 200;
double* const childSaid = static_cast<double*>( // the clock as it opened the device, then notes
    mmap(nullptr, 64, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));

void writeTone(const char* path, int ms) { // 440 Hz at half scale, by the game's own encoder
    std::vector<int16_t> tone(RATE * ms / 1000);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = int16_t(16000 * std::sin(2 * M_PI * 440 * i / RATE));
    const std::vector<uint8_t> wav = encodeWav(tone, RATE);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), wav.size());
}

// The step's sounds played from its report, as the game plays them.
void playReportSounds(const StepReport& report) {
    for (int n = 0; n < report.count; ++n) {
        const StepEvent& e = report.event[n];
        if (e.kind == StepEventKind::LISTENER) soundUpdateListener(e.pos, e.vel);
        if (e.kind == StepEventKind::SHOT_SOUND) soundPlayShot(e.pos);
        if (e.kind == StepEventKind::EXPLOSION_SOUND) soundPlayExplosion(e.pos);
    }
}

struct Heard {
    double startMs, lengthMs, left, right; // the levels: root mean square
};

// Runs body in a child with the two test sounds and OpenAL Soft writing to out.wav: the
// audible stretches heard, gaps under 20 ms joined.
std::vector<Heard> hear(int channels, const std::function<bool()>& body) {
    char dir[] = "/tmp/voranis-sound-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) return {};
    writeTone("shoot.wav", SHOT_MS);
    writeTone("explode.wav", BURST_MS);
    std::ofstream("alsoft.conf")
        << "[general]\ndrivers = wave\nchannels = " << (channels == 1 ? "mono" : "stereo")
        << "\nfrequency = " << RATE
        << "\nsample-type = int16\nperiod_size = 256\n[wave]\nfile = out.wav\n";
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        alarm(20); // a hang fails the case
        setenv("ALSOFT_CONF", "alsoft.conf", 1);
        childSaid[0] = platformMicroseconds() / 1e3;
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
    std::filesystem::remove_all(dir);
    const size_t data = w.find("data") + 8, frames = (w.size() - data) / (2 * channels);
    EXPECT_TRUE(status == 0 && data > 8) << "the child failed";
    auto sample = [&](size_t f, int c) {
        const size_t at = data + 2 * (f * channels + c % channels);
        return double(int16_t(uint8_t(w[at]) | uint8_t(w[at + 1]) << 8));
    };
    auto loud = [&](size_t f) { return std::fabs(sample(f, 0) + sample(f, 1)) > 200; };
    std::vector<Heard> found;
    for (size_t f = 0, gap = RATE / 50; status == 0 && f < frames; ++f) {
        if (!loud(f)) continue;
        size_t last     = f;
        double power[2] = {0, 0};
        for (size_t g = f; g < frames && g - last < gap; ++g) {
            last = loud(g) ? g : last;
            for (int c = 0; c < 2; ++c)
                power[c] += sample(g, c) * sample(g, c);
        }
        const double n = double(last - f + 1);
        found.push_back({1000 * f / double(RATE), 1000 * n / RATE, std::sqrt(power[0] / n),
                         std::sqrt(power[1] / n)});
        f = last + gap;
    }
    return found;
}
} // namespace

// A rocket reaches the planet some 18 frames after the shot; each sound starts as its frame ran.
TEST(Sound, TheShotAndTheExplosionSoundInTheFramesThatCauseThem) {
    const std::vector<Heard> heard = hear(1, [] {
        freshWorld(testWorld);
        placeLocal(testWorld, 0, {0, 0, 0});
        placePlanet(testWorld, {0, 0, -6}, 1);
        static StepReport report;
        const StepSetup setup{1, nullptr, nullptr};
        for (int frame = 0; frame < 45; ++frame) {
            const uint32_t frameStart     = platformMilliseconds();
            testWorld.input.controls.fire = frame == 10;
            simulateStep(testWorld, &report);
            playReportSounds(report);
            if (frame == 10) childSaid[1] = platformMicroseconds() / 1e3 - childSaid[0];
            if (testWorld.players[0].rocketLife[0] == ROCKET_BURST_LIFE - 1)
                childSaid[2] = platformMicroseconds() / 1e3 - childSaid[0];
            waitUntilStep(testNet, setup, frameStart + STEP_MS);
        }
        return childSaid[2] > 0;
    });
    ASSERT_EQ(heard.size(), 2u) << "silence, a shot, silence, an explosion, silence";
    for (int i = 0; i < 2; ++i) { // mixed in periods of some 12 ms; it may lag when busy
        SCOPED_TRACE(i);
        EXPECT_NEAR(heard[i].lengthMs, i ? BURST_MS : SHOT_MS, 15);
        EXPECT_NEAR(heard[i].startMs, childSaid[1 + i] + 25, 125);
    }
    EXPECT_GT(heard[0].left, 3 * heard[1].left) << "the shot one unit away, the burst five";
}

// An explosion to the east (+x), heard as the ship turns, stops, climbs and flies past.
TEST(Sound, TheListenerSitsOnTheShipAndFacesAlongItsStep) {
    const std::vector<Heard> heard = hear(2, [] {
        float pos[3]        = {0, 0, 0}, step[3];
        const float east[3] = {4, 0, 0};
        auto explode        = [&](float yaw, float pitch = 0) {
            if (yaw >= 0) forwardStep(yaw, pitch, &step[0], &step[1], &step[2]);
            soundUpdateListener(pos, step);
            soundPlayExplosion(east);
            usleep(300000);
        };
        explode(0);   // along -z: east on the right
        explode(180); // along +z: on the left
        step[0] = step[1] = step[2] = 0;
        explode(-1);           // just respawned: the ears stay as they were
        explode(0, 60);        // looking steeply down: still on the right
        step[0] = step[2] = 0; // climbing straight up: still on the right
        step[1]           = CLIMB_STEP;
        explode(-1);
        pos[0] = 8; // flown past it: on the left
        explode(0);
        return true;
    });
    const bool right[6]            = {true, false, false, true, true, false};
    ASSERT_EQ(heard.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_GT(right[i] ? heard[i].right / heard[i].left : heard[i].left / heard[i].right, 2)
            << "explosion " << i;
}

namespace {
struct Placed {
    const char* what;
    bool explosion;
    float at[3]; // the listener sits at the origin facing -z: +x is on its right
};

// Plays each sound where the table puts it, 300 ms apart, and hears them in stereo.
template <size_t N> std::vector<Heard> hearPlaced(const Placed (&table)[N]) {
    return hear(2, [&table] {
        const float origin[3] = {0, 0, 0}, ahead[3] = {0, 0, -1};
        soundUpdateListener(origin, ahead);
        for (const Placed& p : table) {
            (p.explosion ? soundPlayExplosion : soundPlayShot)(p.at);
            usleep(300000);
        }
        return true;
    });
}
} // namespace

// Each sound is the one played, heard on the side it was played: louder in that channel.
TEST(Sound, EachEffectIsHeardOnTheSideOfTheHeadingItCameFrom) {
    const Placed sides[] = {
        {"shot right",      false, {3, 0, -1} },
        {"shot left",       false, {-3, 0, -1}},
        {"explosion right", true,  {3, 0, 1}  },
        {"explosion left",  true,  {-3, 0, 1} },
    };
    const std::vector<Heard> heard = hearPlaced(sides);
    ASSERT_EQ(heard.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(sides[i].what);
        EXPECT_NEAR(heard[i].lengthMs, sides[i].explosion ? BURST_MS : SHOT_MS, 15);
        const bool right = sides[i].at[0] > 0;
        EXPECT_GT(right ? heard[i].right / heard[i].left : heard[i].left / heard[i].right, 2);
    }
}

// The same sound from the same direction: the nearer is louder in both channels.
TEST(Sound, EachEffectIsLouderNearerTheListener) {
    const Placed distances[] = {
        {"shot near",      false, {1, 0, -1}},
        {"shot far",       false, {4, 0, -4}},
        {"explosion near", true,  {-1, 0, 1}},
        {"explosion far",  true,  {-4, 0, 4}},
    };
    const std::vector<Heard> heard = hearPlaced(distances);
    ASSERT_EQ(heard.size(), 4u);
    for (int i = 0; i < 4; i += 2) {
        SCOPED_TRACE(distances[i].what);
        EXPECT_GT(heard[i].left, 2 * heard[i + 1].left);
        EXPECT_GT(heard[i].right, 2 * heard[i + 1].right);
    }
}
