// One-way latency of a record from one joiner to another through a real host on loopback.
// The host runs the game's steps (exchange, own state, the 15 ms floor that relays while it
// waits) and draws the generated game at 640 x 480 in a Mesa context after them, in a child
// process; the two joiners are plain sockets here. Run it inside a private network namespace
// under a display, with VORANIS_GAME_DIR naming the game folder.
#include <GL/gl.h>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/controls/controls.h"
#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "net/net.h"
#include "net/net_session.h"
#include "render/render.h"
#include "step/step_loop.h"
#include "tests/support/gl_frame.h"
#include "tests/support/peer.h"
#include "world/contact.h"
#include "world/world_state.h"

namespace {
// This program's own world, network session and step state, as each program owns its own.
WorldState testWorld;
NetSession testNet;
StepState testStep;

using Clock = std::chrono::steady_clock;

constexpr int HOST_WIDTH  = 640;
constexpr int HOST_HEIGHT = 480;

bool goOn(WorldState&, uint32_t, const StepResult&, const StepReport&, void*) {
    return true;
}

// One picture after the steps that ran, finished rather than shown, as the game draws.
void drawAfterSteps(int count, void*) {
    if (count == 0) return;
    renderFrame(testWorld, OverlayView{});
    glFinish();
}

[[noreturn]] void runHost() {
    std::string error;
    const char* gameDir = std::getenv("VORANIS_GAME_DIR");
    char problem[ASSET_PROBLEM_SIZE];
    if (!openGlWindow(HOST_WIDTH, HOST_HEIGHT, &error) || !gameDir || chdir(gameDir) != 0) {
        std::fprintf(stderr, "the host cannot draw: %s (needs a display and VORANIS_GAME_DIR)\n",
                     error.c_str());
        std::_Exit(1);
    }
    resetPlayerTable(testWorld.players);
    setupScene(HOST_WIDTH, HOST_HEIGHT, FOV_DEFAULT);
    initTextures(TEXTURE_TABLE_SIZE);
    if (!loadAssets(testWorld, problem)) std::_Exit(1);
    char address[NET_ADDRESS_TEXT_SIZE];
    char hostProblem[NET_ENDING_TEXT_SIZE] = {};
    netHostStart(testNet, NET_PORT, "test", address, hostProblem);
    spawnLocalPlayer(testWorld, 0);
    StepClock clock{};
    static StepReport report;
    for (;;)
        runStepsOwed(testWorld, testNet, testStep, StepSetup{1, nullptr, nullptr}, clock, &report,
                     StepLoopHooks{goOn, drawAfterSteps, nullptr});
}

Peer joinHost(int32_t& slot) {
    for (int tries = 0; tries < 200; ++tries) {
        Peer p = connectPeer();
        Record welcome;
        if (p.fd >= 0 && p.receiveRecord(&welcome, 1000) && recordType(welcome) == WIRE_WELCOME) {
            slot = recordSlot(welcome);
            return p;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Peer{};
}

void relayLatency(benchmark::State& state) {
    pid_t host = fork();
    if (host == 0) runHost();
    int32_t slotA = -1;
    int32_t slotB = -1;
    Peer a        = joinHost(slotA);
    Peer b        = joinHost(slotB);
    if (a.fd < 0 || b.fd < 0) {
        state.SkipWithError("could not join the host");
        kill(host, SIGKILL);
        waitpid(host, nullptr, 0);
        return;
    }
    std::mt19937 phase(2345);
    std::vector<double> samples;
    uint32_t sequence = 0;
    for (auto _ : state) {
        // Land anywhere within the host's frame.
        std::this_thread::sleep_for(std::chrono::microseconds(phase() % 15000));
        b.sendRecord(wordsRecord({WIRE_STATE, uint32_t(slotB)})); // keeps B from being dropped
        const Record rocket =
            wordsRecord({WIRE_ROCKET, uint32_t(slotA), 0, 300, 0, 0, 0, 0, 0, ++sequence});
        b.receiveBytes(0); // drained
        auto sent = Clock::now();
        a.sendRecord(rocket);
        Record got{};
        bool arrived = false;
        while (b.receiveRecord(&got, 1000)) {
            if (recordType(got) == WIRE_ROCKET && recordWord(got, 9) == sequence) {
                arrived = true;
                break;
            }
        }
        double seconds = std::chrono::duration<double>(Clock::now() - sent).count();
        if (!arrived) {
            state.SkipWithError("a relayed record never arrived");
            break;
        }
        samples.push_back(seconds);
        state.SetIterationTime(seconds);
        a.receiveBytes(0); // drained
    }
    kill(host, SIGKILL);
    waitpid(host, nullptr, 0);
    if (samples.empty()) return;
    std::sort(samples.begin(), samples.end());
    auto at = [&](double q) { return samples[static_cast<std::size_t>(q * (samples.size() - 1))]; };
    state.counters["median_ms"] = at(0.5) * 1e3;
    state.counters["p99_ms"]    = at(0.99) * 1e3;
    state.counters["max_ms"]    = samples.back() * 1e3;
}
} // namespace

BENCHMARK(relayLatency)->UseManualTime()->Iterations(400)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
