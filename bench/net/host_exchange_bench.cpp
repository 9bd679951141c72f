// Processor time of the host's network work per frame with seven peers, each sending one
// state record per frame: the exchange (seven reads, 42 relays) and the host's own state
// record to all seven. Run it inside a private network namespace.
#include <benchmark/benchmark.h>
#include <ctime>
#include <unistd.h>

#include "net/net.h"
#include "net/net_host.h"
#include "net/net_session.h"
#include "tests/support/peer.h"
#include "world/world_state.h"

namespace {
// This program's own world and network session, as each program owns its own.
WorldState testWorld;
NetSession testNet;

constexpr int PEERS = 7;

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void hostFrame(benchmark::State& state, bool withOwnState) {
    char address[NET_ADDRESS_TEXT_SIZE];
    char hostProblem[NET_ENDING_TEXT_SIZE] = {};
    netShutdown(testNet);
    resetPlayerTable(testWorld.players);
    netHostStart(testNet, NET_PORT, "test", address, hostProblem);
    testWorld.localPlayer     = 0;
    testWorld.players[0].slot = 0;
    Peer peers[PEERS + 1];
    for (int i = 1; i <= PEERS; ++i) {
        peers[i] = connectPeer();
        netExchange(testNet, testWorld, 1, 0);
        Record welcome;
        if (peers[i].fd < 0 || !peers[i].receiveRecord(&welcome, 1000)) {
            state.SkipWithError("a peer could not join");
            return;
        }
    }
    int64_t missed = 0;
    float frame    = 0.0f;
    for (auto _ : state) {
        frame += 1.0f;
        for (int i = 1; i <= PEERS; ++i) {
            testWorld.players[i].pos[0] = frame;
            Record r;
            encodeNetMessage(makeStateMessage(testWorld, i), r.data());
            peers[i].sendRecord(r);
            testWorld.players[i].pos[0] = 0.0f;
        }
        double start = threadSeconds();
        netExchange(testNet, testWorld, 1, 0);
        if (withOwnState) netSend(testNet, makeStateMessage(testWorld, 0));
        state.SetIterationTime(threadSeconds() - start);
        for (int i = 1; i <= PEERS; ++i) {
            if (testWorld.players[i].pos[0] != frame) ++missed;
            peers[i].receiveBytes(0); // drained
        }
    }
    state.counters["records_not_yet_there"] = static_cast<double>(missed);
    netShutdown(testNet);
}

void hostExchangeSevenPeers(benchmark::State& state) {
    hostFrame(state, false);
}
void hostExchangeAndOwnStateSevenPeers(benchmark::State& state) {
    hostFrame(state, true);
}
} // namespace

BENCHMARK(hostExchangeSevenPeers)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(hostExchangeAndOwnStateSevenPeers)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
