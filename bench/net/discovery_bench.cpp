// Finding games on the LAN: how soon a game on another machine (across a veth pair, in a
// namespace of its own) appears after the browser opens, and the processor time of the
// browser's and the host's calls. Run it inside a private network namespace, as root.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <poll.h>
#include <thread>
#include <vector>

#include "net/discovery_browser.h"
#include "net/discovery_responder.h"
#include "tests/support/other_machine.h"

namespace {
constexpr uint32_t APPEAR_LIMIT_MS = 5000;
// Between openings: a responder answers one address at most ten times a second.
constexpr auto BUDGET_PAUSE = std::chrono::milliseconds(110);

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

bool startGame(benchmark::State& state, OtherMachine& other) {
    static const HostedGame game = {"rigel", 2345};
    if (startOtherMachine(&game, 1, other)) return true;
    state.SkipWithError("the other machine could not be set up (root and a namespace needed)");
    return false;
}

// From opening the browser until the game is listed; the browser is driven as soon as its
// socket has something, as a dialog waiting in poll() would.
void timeToAppear(benchmark::State& state) {
    OtherMachine other;
    if (!startGame(state, other)) return;
    std::vector<double> samples;
    for (auto _ : state) {
        std::this_thread::sleep_for(BUDGET_PAUSE);
        DiscoveryBrowser browser;
        char reason[DISCOVERY_REASON_SIZE];
        FoundGame found[DISCOVERY_FOUND_MAX];
        auto start = std::chrono::steady_clock::now();
        discoveryBrowseOpen(browser, DISCOVERY_PORT, reason, sizeof reason);
        uint32_t opened = steadyMs();
        pollfd p{datagramDescriptor(discoveryBrowseSocket(browser)), POLLIN, 0};
        int count = 0;
        while (count == 0 && steadyMs() - opened < APPEAR_LIMIT_MS) {
            discoveryBrowse(browser, steadyMs());
            count = discoveryFoundGames(browser, found);
            if (count == 0) ::poll(&p, 1, 10);
        }
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        discoveryBrowseClose(browser);
        if (count == 0) {
            state.SkipWithError("the game never appeared");
            break;
        }
        samples.push_back(seconds);
        state.SetIterationTime(seconds);
    }
    stopOtherMachine(other);
    if (samples.empty()) return;
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2] * 1e3;
    state.counters["max_ms"]    = samples.back() * 1e3;
}

// One discoveryBrowse call while the search goes on: arg 1, a call that sends a round of
// queries (every interface's broadcast address looked up afresh); arg 0, one of the calls
// in between, which reads what has come and forgets the silent.
void browseCall(benchmark::State& state) {
    OtherMachine other;
    if (!startGame(state, other)) return;
    DiscoveryBrowser browser;
    char reason[DISCOVERY_REASON_SIZE];
    discoveryBrowseOpen(browser, DISCOVERY_PORT, reason, sizeof reason);
    uint32_t now = steadyMs();
    discoveryBrowse(browser, now);
    for (auto _ : state) {
        if (state.range(0)) now += DISCOVERY_QUERY_EVERY_MS;
        double start = threadSeconds();
        discoveryBrowse(browser, now);
        state.SetIterationTime(threadSeconds() - start);
    }
    discoveryBrowseClose(browser);
    stopOtherMachine(other);
}

// The host's call each frame when no query waits: what hosting costs a frame.
void serveIdleFrame(benchmark::State& state) {
    DiscoveryResponder responder;
    char reason[DISCOVERY_REASON_SIZE];
    if (!discoveryServeOpen(responder, DISCOVERY_PORT, reason, sizeof reason)) {
        state.SkipWithError(reason);
        return;
    }
    uint32_t now = 0;
    for (auto _ : state) {
        double start = threadSeconds();
        discoveryServe(responder, now += 15, "rigel", "1.0.0", 3, 2345);
        state.SetIterationTime(threadSeconds() - start);
    }
    discoveryServeClose(responder);
}
} // namespace

BENCHMARK(timeToAppear)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(browseCall)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(serveIdleFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
