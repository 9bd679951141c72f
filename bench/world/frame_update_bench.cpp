// The simulation step at its heaviest: 8 ships, 160 rockets in flight, 50 planets.
#include <benchmark/benchmark.h>

#include "bench/world/busiest_world.h"
#include "net/net_session.h"
#include "step/step_records.h"
#include "world/contact.h"
#include "world/control_state.h"
#include "world/step_simulation.h"
#include "world/world_state.h"

namespace {
// The bench's own world, and a network session with no game open.
WorldState testWorld;
NetSession testNet;

// The step and its records: built for the network with no game open.
void BM_SimulateFrameBusiestWorld(benchmark::State& state) {
    setUpBusiestWorld(testWorld);
    static StepReport report;
    int frames = 0;
    for (auto _ : state) {
        testWorld.input.controls.fire = 1;
        simulateStep(testWorld, &report);
        sendStepRecords(testWorld, RecordOut{testNet, nullptr, nullptr}, report);
        if (++frames == 100) {
            frames = 0;
            refuelBusiestWorld(testWorld);
        }
    }
    benchmark::DoNotOptimize(testWorld.players);
}
BENCHMARK(BM_SimulateFrameBusiestWorld)->Unit(benchmark::kMicrosecond);

void BM_FindObstacleMissEverything(benchmark::State& state) {
    setUpBusiestWorld(testWorld);
    const float point[3] = {2.0f, 3.0f, 0.0f};
    for (auto _ : state)
        benchmark::DoNotOptimize(findObstacle(testWorld, point, ROCKET_RADIUS, 0));
}
BENCHMARK(BM_FindObstacleMissEverything)->Unit(benchmark::kNanosecond);

// The spawn search's worst case: the last of 50 planets blocks the whole cube, so every
// test passes the other 49 first, over 1000 random draws and a scan of all 216,000 points.
void BM_SpawnWholeCubeBlocked(benchmark::State& state) {
    setUpBusiestWorld(testWorld);
    testWorld.planets.pos[MAX_PLANETS - 1][0] = 0.0f;
    testWorld.planets.pos[MAX_PLANETS - 1][1] = 0.0f;
    testWorld.planets.pos[MAX_PLANETS - 1][2] = 0.0f;
    testWorld.planets.radius[MAX_PLANETS - 1] = 100.0f;
    for (auto _ : state)
        spawnLocalPlayer(testWorld, 0);
}
BENCHMARK(BM_SpawnWholeCubeBlocked)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
