// Demos of an eight-player match played in-process: the host and seven peers whose state and
// rocket records the exchange applies every step, through the real step and recorder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "bench/world/busiest_world.h"
#include "demo/demo_recorder.h"
#include "demo/demo_replay.h"
#include "net/net_host.h"
#include "net/record_words.h"
#include "world/game_trig.h"
#include "world/world_state.h"

namespace {
constexpr int32_t STEPS_A_MINUTE = 60000 / 15;
constexpr int32_t TEN_MINUTES    = 10 * STEPS_A_MINUTE;
constexpr int PEERS              = MAX_PLAYERS - 1;
using Clock                      = std::chrono::steady_clock;

struct Match {
    DemoRecorder recorder;
    WorldState world;
    NetSession net;
    StepState state;
    uint32_t step;
};

NetMessage peerState(int32_t slot, uint32_t step) {
    const float a = static_cast<float>(step + 50 * static_cast<uint32_t>(slot)) * 0.01f;
    NetMessage m{};
    m.word[W_TYPE]    = intBits(MSG_STATE);
    m.word[W_SLOT]    = intBits(slot);
    m.word[W_KILLER]  = intBits(NO_KILLER);
    m.word[W_HEALTH]  = intBits(FULL_HEALTH);
    m.word[W_POS]     = floatBits(30.0f * gameCos(a));
    m.word[W_POS + 1] = floatBits(3.0f * static_cast<float>(slot));
    m.word[W_POS + 2] = floatBits(30.0f * gameSin(a));
    m.word[W_YAW]     = floatBits(a * 57.3f);
    return m;
}

// Seven peers: each one's state every step and a rocket now and then.
NetEnding peersPlay(WorldState& world, NetSession& net, uint32_t nowMs, void* context) {
    Match& m = *static_cast<Match*>(context);
    for (int32_t slot = 1; slot <= PEERS; ++slot) {
        if (m.step == 0) hostTakeSlot(net, world, slot);
        hostApplyRecord(net, world, peerState(slot, m.step), nowMs);
        if ((m.step + static_cast<uint32_t>(slot)) % 20 != 0) continue;
        const float pos[3] = {0.0f, 3.0f * static_cast<float>(slot), 0.0f};
        const float vel[3] = {0.2f, 0.0f, 0.1f};
        hostApplyRecord(
            net, world,
            makeRocketMessage(slot, static_cast<int32_t>(m.step / 20 % 20), 300, pos, vel), nowMs);
    }
    return NetEnding{};
}

void hostFlies(WorldState& world, void* context) {
    const Match& m               = *static_cast<Match*>(context);
    world.input.controls.forward = 1;
    world.input.controls.fire    = m.step % 7 == 0;
    world.input.turnYaw          = 0.5f;
}

std::string scratchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "voranis-demo-bench";
    std::filesystem::create_directories(folder);
    return folder.string();
}

void beginMatch(Match& m, const std::string& folder) {
    setUpBusiestWorld(m.world);
    m.world.input = StepInput{};
    m.net         = NetSession{};
    m.net.role    = NetRole::HOST;
    m.state       = StepState{};
    m.step        = 0;
    demoRecordBegin(m.recorder, "demo_bench", folder.c_str(), DemoRole::HOST, m.world, m.state, "");
}

// One step; the recorder's own share of it, in microseconds.
double playStep(Match& m, StepSetup& setup, StepReport* report) {
    const uint32_t nowMs    = 1000 + m.step * 15;
    const StepResult result = runStep(m.world, m.net, m.state, setup, nowMs, report);
    const auto start        = Clock::now();
    demoRecordStep(m.recorder, m.world, m.net, m.state, result, nowMs);
    m.step += 1;
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

StepSetup matchSetup(Match& m) {
    StepSetup setup{1, hostFlies, &m};
    setup.exchange = peersPlay;
    setup.send     = [](const NetMessage&, void*) {};
    demoRecordAttach(m.recorder, m.net, setup);
    return setup;
}

// A ten-minute demo, made once.
const std::string& tenMinuteDemo() {
    static std::string path;
    if (!path.empty()) return path;
    auto m = std::make_unique<Match>();
    beginMatch(*m, scratchFolder());
    StepSetup setup = matchSetup(*m);
    auto report     = std::make_unique<StepReport>();
    for (int32_t n = 0; n < TEN_MINUTES; ++n)
        playStep(*m, setup, report.get());
    path = m->recorder.path;
    demoRecordEnd(m->recorder);
    return path;
}

// What the recorder adds to a step (the taps' copies aside): block, digest, writes.
void BM_RecordingCostPerStep(benchmark::State& state) {
    auto m = std::make_unique<Match>();
    beginMatch(*m, scratchFolder());
    StepSetup setup = matchSetup(*m);
    auto report     = std::make_unique<StepReport>();
    std::vector<double> costs;
    for (auto _ : state) {
        const double us = playStep(*m, setup, report.get());
        state.SetIterationTime(us / 1e6);
        costs.push_back(us);
    }
    std::sort(costs.begin(), costs.end());
    double sum = 0;
    for (double c : costs)
        sum += c;
    state.counters["mean_us"] = sum / static_cast<double>(costs.size());
    state.counters["p99_us"]  = costs[costs.size() * 99 / 100];
    state.counters["MB_per_minute"] =
        static_cast<double>(m->recorder.fileBytes) / m->step * STEPS_A_MINUTE / (1 << 20);
    const std::string path = m->recorder.path;
    demoRecordEnd(m->recorder);
    std::remove(path.c_str());
}
BENCHMARK(BM_RecordingCostPerStep)
    ->UseManualTime()
    ->Iterations(20000)
    ->Unit(benchmark::kMicrosecond);

void startReplay(DemoReplay& replay, const DemoFile& file, const WorldState& pictures) {
    char problem[DEMO_PROBLEM_SIZE];
    DemoFile copy = file;
    demoReplayStart(replay, std::move(copy), pictures, problem);
}

struct TenMinutes {
    DemoFile file;
    std::unique_ptr<WorldState> pictures = std::make_unique<WorldState>();
    TenMinutes() {
        char problem[DEMO_PROBLEM_SIZE];
        demoReadFile(file, tenMinuteDemo().c_str(), problem);
        resetWorld(*pictures);
    }
};

TenMinutes& tenMinutes() {
    static TenMinutes demo;
    return demo;
}

void BM_VerifyTenMinutes(benchmark::State& state) {
    TenMinutes& demo = tenMinutes();
    auto report      = std::make_unique<StepReport>();
    char problem[DEMO_PROBLEM_SIZE];
    int32_t differs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto replay = std::make_unique<DemoReplay>();
        startReplay(*replay, demo.file, *demo.pictures);
        state.ResumeTiming();
        for (DemoRun run; (run = demoReplayNext(*replay, report.get(), problem)) != DemoRun::END;)
            differs += run == DemoRun::DIFFERS;
    }
    state.counters["steps_per_second"] =
        benchmark::Counter(TEN_MINUTES, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["differing_steps"] = differs;
    state.counters["MB"]              = static_cast<double>(demo.file.bytes.size()) / (1 << 20);
}
BENCHMARK(BM_VerifyTenMinutes)->Unit(benchmark::kMillisecond)->Iterations(3);

// From the file's start to its middle, nothing kept yet.
void BM_SeekToTheMiddleOfTenMinutes(benchmark::State& state) {
    TenMinutes& demo = tenMinutes();
    char problem[DEMO_PROBLEM_SIZE];
    for (auto _ : state) {
        state.PauseTiming();
        auto replay = std::make_unique<DemoReplay>();
        startReplay(*replay, demo.file, *demo.pictures);
        state.ResumeTiming();
        demoReplaySeek(*replay, TEN_MINUTES / 2, problem);
    }
}
BENCHMARK(BM_SeekToTheMiddleOfTenMinutes)->Unit(benchmark::kMillisecond)->Iterations(5);

// Ten seconds back and forward from the middle, once the replay has passed there.
void BM_SeekTenSecondsAroundTheMiddle(benchmark::State& state) {
    TenMinutes& demo = tenMinutes();
    char problem[DEMO_PROBLEM_SIZE];
    auto replay = std::make_unique<DemoReplay>();
    startReplay(*replay, demo.file, *demo.pictures);
    const int32_t middle = TEN_MINUTES / 2, tenSeconds = 667;
    demoReplaySeek(*replay, middle + tenSeconds, problem);
    for (auto _ : state) {
        demoReplaySeek(*replay, middle - tenSeconds, problem);
        demoReplaySeek(*replay, middle, problem);
    }
}
BENCHMARK(BM_SeekTenSecondsAroundTheMiddle)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
