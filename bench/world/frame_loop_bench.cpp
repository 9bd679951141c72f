// The step loop at its cap with nothing drawn: the steps owed back to back for a while (10 s
// by default, or the seconds given as the first argument), on the real platform layer's
// clock and sleep. Prints the processor time as a share of one core and the spread of frame
// lengths, then the same for the old busy wait (2 s, or the second argument) for comparison.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/world/busiest_world.h"
#include "net/net_session.h"
#include "platform/platform.h"
#include "step/step_loop.h"
#include "world/control_state.h"
#include "world/step_simulation.h"
#include "world/world_state.h"

namespace {
using Clock = std::chrono::steady_clock;

// The bench's own world, session and step state, hosting a game nobody joins.
WorldState testWorld;
NetSession testNet;
StepState testStep;
StepClock stepClock;
uint32_t frameStart = 0; // the time of the step that ran last

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool noteStep(WorldState&, uint32_t stepMs, const StepResult&, const StepReport&, void*) {
    frameStart = stepMs;
    return true;
}

// The steps the clock owes, then the wait for the next, as every program runs them.
void stepsOwed() {
    static StepReport report;
    runStepsOwed(testWorld, testNet, testStep, StepSetup{1, nullptr, nullptr}, stepClock, &report,
                 StepLoopHooks{noteStep, nullptr, nullptr});
}

// The floor as it was: read the clock until 15 ms have passed, never sleeping.
void busyFrame() {
    static StepReport report;
    frameStart = platformMilliseconds();
    simulateStep(testWorld, &report);
    while (platformMilliseconds() - frameStart < STEP_MS) {
    }
}

double percentile(std::vector<double> sorted, double share) {
    const size_t index = static_cast<size_t>(share * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

void run(const char* name, void (*frame)(), double seconds) {
    setUpBusiestWorld(testWorld);
    stepClock = StepClock{};
    std::vector<double> lengths;
    std::vector<uint32_t> clockLengths;
    const double cpuBefore        = cpuSeconds();
    const Clock::time_point start = Clock::now();
    Clock::time_point last        = start;
    uint32_t lastStart            = 0;
    int frames                    = 0;
    while (std::chrono::duration<double>(last - start).count() < seconds) {
        frame();
        const Clock::time_point now = Clock::now();
        lengths.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        if (frames > 0) clockLengths.push_back(frameStart - lastStart);
        lastStart = frameStart;
        last      = now;
        if (++frames % 100 == 0) refuelBusiestWorld(testWorld);
        testWorld.input.controls.fire = 1;
    }
    const double wall = std::chrono::duration<double>(last - start).count();
    const double cpu  = cpuSeconds() - cpuBefore;
    lengths.erase(lengths.begin()); // the first one began before the loop
    std::sort(lengths.begin(), lengths.end());
    std::sort(clockLengths.begin(), clockLengths.end());
    int over16 = 0;
    for (double length : lengths)
        over16 += length >= 16.0;
    std::printf("%s: %d frames in %.2f s (%.1f per second)\n", name, frames, wall, frames / wall);
    std::printf("  processor time %.3f s = %.1f %% of one core\n", cpu, 100.0 * cpu / wall);
    std::printf("  frame length ms: min %.3f  median %.3f  p90 %.3f  p99 %.3f  max %.3f\n",
                lengths.front(), percentile(lengths, 0.5), percentile(lengths, 0.9),
                percentile(lengths, 0.99), lengths.back());
    std::printf("  frames of 16 ms or more: %d (%.2f %%)\n", over16,
                100.0 * over16 / static_cast<double>(lengths.size()));
    std::printf("  on the game's millisecond clock: min %u  median %u  p99 %u  max %u ms\n",
                clockLengths.front(), clockLengths[clockLengths.size() / 2],
                clockLengths[(clockLengths.size() - 1) * 99 / 100], clockLengths.back());
}
} // namespace

int main(int argc, char** argv) {
    const double seconds     = argc > 1 ? std::atof(argv[1]) : 10.0;
    const double busySeconds = argc > 2 ? std::atof(argv[2]) : 2.0;
    std::printf("busiest world (8 ships, 160 rockets, 50 planets), no drawing, no network, "
                "no sound; the platform layer's clock and sleep\n");
    run("waiting floor", stepsOwed, seconds);
    if (busySeconds > 0.0) run("busy-wait floor", busyFrame, busySeconds);
    return 0;
}
