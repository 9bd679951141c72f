// The real host for about a minute under honest and hostile peers over loopback: it must
// keep its frame pace, its queues within their bound and its player table within its
// rules, and must pass every honest record on whole, aligned and in order.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "app/frame.h"
#include "net/net.h"
#include "net/net_host.h"
#include "tests/fakes/fakes.h"
#include "tests/soak/soak_peers.h"
#include "world/contact.h"
#include "world/control_state.h"
#include "world/frame_update.h"
#include "app/game_setup.h"
#include "world/random.h"
#include "world/world_state.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr int SOAK_SECONDS      = 50; // VORANIS_SOAK_SECONDS may change it, up to LONGEST_SOAK
constexpr int LONGEST_SOAK      = 80;
constexpr int IDLE_HOLD_MS      = 8000;  // long enough for its queue to fill and drop records
constexpr int IDLE_DROP_SOAK_MS = 30000; // a shorter soak cannot see the drop (1000 frames on)
constexpr uint32_t HOST_SEED    = 2345;
constexpr uint32_t HOSTILE_SEED = 0x5EED1E55u;
constexpr uint32_t DROPPER_SEED = 0xD0D0CAFEu;
constexpr int PEER_SLOTS        = MAX_PLAYERS - 1;
constexpr int HOST_SEND_BUFFER  = 8 * 1024; // the system doubles it

// Frame pace in milliseconds between frame starts: loose enough for two loaded cores, tight
// enough that a host which blocks, reads without limit or spins on a peer fails.
constexpr double MEDIAN_LOW_MS  = 14.0;
constexpr double MEDIAN_HIGH_MS = 17.5;
constexpr double P99_LIMIT_MS   = 35.0;
constexpr double LONGEST_MS     = 250.0; // one late wake-up on a machine running the GUI tests
constexpr double FRAME_MS       = 15.0;
constexpr double SHARE_ARRIVED  = 0.9; // of an honest sender's numbered span, at each reader
constexpr uint32_t LATE_RECORDS = 200; // an honest reader may trail its sender by this at the end
constexpr auto STUCK_LIMIT      = std::chrono::seconds(10); // a frame this long is a hang

// A host that blocks for good would otherwise leave the test hanging until CTest's time-out.
void abortIfHostSticks(const std::atomic<uint64_t>& frames, const std::atomic<bool>& stop) {
    uint64_t seen = frames.load();
    auto since    = Clock::now();
    while (!stop.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (frames.load() != seen) {
            seen  = frames.load();
            since = Clock::now();
        } else if (Clock::now() - since > STUCK_LIMIT) {
            std::fprintf(stderr, "[soak] the host is stuck in frame %llu\n",
                         static_cast<unsigned long long>(seen));
            std::abort();
        }
    }
}

int soakMilliseconds() {
    const char* text = std::getenv("VORANIS_SOAK_SECONDS");
    int seconds      = text ? std::atoi(text) : SOAK_SECONDS;
    return 1000 * std::clamp(seconds, 1, LONGEST_SOAK);
}

// What the host thread saw of its own tables across the soak.
struct HostWatch {
    uint32_t lastSeq[MAX_PLAYERS] = {};
    std::size_t longestQueue      = 0;
    uint64_t fullQueueFrames      = 0; // frames with some queue within one record of its bound
};

void checkHonestEntry(SoakShared& shared, HostWatch& watch, int32_t s) {
    if (!connSlots[s].active) noteFault(shared.faults, "host: honest slot %d was dropped", s);
    const Player& p = playerTable[s];
    for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
        if (p.rocketLife[j] != 0)
            noteFault(shared.faults, "host: a rocket appeared for honest slot %d", s);
    }
    if (p.slot != s) return; // no state record read yet
    uint32_t seq = 0;
    if (!matchesSequenced(makeStateMessage(s), HONEST_HEALTH, false, &seq))
        noteFault(shared.faults, "host: honest entry %d holds what its peer never sent", s);
    else if (seq < watch.lastSeq[s])
        noteFault(shared.faults, "host: honest entry %d went back from %u to %u", s,
                  watch.lastSeq[s], seq);
    else
        watch.lastSeq[s] = seq;
}

// After each frame: entries only in use under their own index, the host's ship and the
// honest entries touched by nobody else, every write queue within its bound.
void checkHostFrame(SoakShared& shared, HostWatch& watch) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        if (playerTable[i].slot >= 0 && playerTable[i].slot != i)
            noteFault(shared.faults, "host: entry %d names slot %d", i, playerTable[i].slot);
    }
    const Player& host = playerTable[0];
    if (host.slot != 0 || std::memcmp(host.pos, shared.hostPos, sizeof host.pos) != 0 ||
        host.yaw != 0.0f || host.pitch != 0.0f)
        noteFault(shared.faults, "host: its own entry was moved");
    for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
        if (host.rocketLife[j] != 0)
            noteFault(shared.faults, "host: a rocket appeared for the host");
    }
    for (const auto& honest : shared.honestSlot) {
        int32_t s = honest.load();
        if (s > 0) checkHonestEntry(shared, watch, s);
    }
    bool full = false;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        std::size_t queued = socketQueuedBytes(peerSockets[i]);
        if (queued > SOCKET_QUEUE_BYTES)
            noteFault(shared.faults, "host: %zu bytes queued for slot %d", queued, i);
        watch.longestQueue = std::max(watch.longestQueue, queued);
        full               = full || queued + NET_RECORD_SIZE > SOCKET_QUEUE_BYTES;
    }
    watch.fullQueueFrames += full ? 1 : 0;
}

double percentile(const std::vector<double>& sorted, double share) {
    if (sorted.empty()) return 0.0;
    std::size_t at = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1));
    return sorted[at];
}

struct SoakHost : ::testing::Test {
    void SetUp() override {
        netShutdown();
        resetConnSlots();
        resetWorld();
        resetPlayerTable();
        resetFakes();
        controls                            = ControlState{};
        gameSetup                           = GameSetup{};
        gameSetup.isServer                  = 1;
        char address[NET_ADDRESS_TEXT_SIZE] = {};
        char hostProblem[NET_ENDING_TEXT_SIZE] = {};
        netHostStart(NET_PORT, "test", address, hostProblem);
        limitHostSendBuffers(HOST_SEND_BUFFER);
        gameSrand(HOST_SEED);
        spawnLocalPlayer(0);
    }
    void TearDown() override {
        netShutdown();
        resetConnSlots();
    }
};
} // namespace

TEST_F(SoakHost, KeepsPaceQueuesAndTableRulesUnderHonestAndHostilePeers) {
    const int soakMs = soakMilliseconds();
    SoakShared shared;
    std::memcpy(shared.hostPos, playerTable[0].pos, sizeof shared.hostPos);

    HonestResult honest[HONEST_PEERS];
    HostileResult hostile;
    DribblerResult dribbler;
    DropperResult dropper;
    IdleResult idle;
    ProbeResult probe;
    std::vector<std::thread> peers;
    for (int k = 0; k < HONEST_PEERS; ++k)
        peers.emplace_back(runHonestPeer, std::ref(shared), k, std::ref(honest[k]));
    peers.emplace_back(runHostilePeer, std::ref(shared), HOSTILE_SEED, std::ref(hostile));
    peers.emplace_back(runDribbler, std::ref(shared), std::ref(dribbler));
    peers.emplace_back(runDropper, std::ref(shared), DROPPER_SEED, std::ref(dropper));
    peers.emplace_back(runIdlePeer, std::ref(shared), IDLE_HOLD_MS, std::ref(idle));
    peers.emplace_back(runFullProbe, std::ref(shared), PEER_SLOTS, std::ref(probe));

    std::atomic<uint64_t> framesDone{0};
    std::thread watchdog(abortIfHostSticks, std::cref(framesDone), std::cref(shared.stop));
    HostWatch watch;
    std::vector<double> frameMs;
    frameMs.reserve(static_cast<std::size_t>(2 * soakMs / FRAME_MS));
    const auto begin = Clock::now();
    const auto end   = begin + std::chrono::milliseconds(soakMs);
    auto lastStart   = begin;
    for (auto now = begin; now < end; now = Clock::now()) {
        if (now != begin)
            frameMs.push_back(std::chrono::duration<double, std::milli>(now - lastStart).count());
        lastStart = now;
        runFrame();
        checkHostFrame(shared, watch);
        framesDone += 1;
    }
    shared.stop = true;
    watchdog.join();
    for (std::thread& t : peers)
        t.join();
    netShutdown();

    std::sort(frameMs.begin(), frameMs.end());
    const double median  = percentile(frameMs, 0.5);
    const double p99     = percentile(frameMs, 0.99);
    const double longest = frameMs.empty() ? 0.0 : frameMs.back();
    uint64_t relayed = 0, fromHost = 0, gaps = 0;
    for (const HonestResult& h : honest) {
        relayed += h.check.fromHonest + h.check.fromOthers;
        fromHost += h.check.fromHost;
        gaps += h.check.gaps;
    }
    std::printf("[soak] %d s: %zu frames, frame length median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                soakMs / 1000, frameMs.size() + 1, median, p99, longest);
    std::printf("[soak] honest peers: %u, %u, %u records sent; %llu relayed records and %llu host "
                "records read; %llu numbered records dropped whole on the way\n",
                honest[0].sent, honest[1].sent, honest[2].sent,
                static_cast<unsigned long long>(relayed), static_cast<unsigned long long>(fromHost),
                static_cast<unsigned long long>(gaps));
    std::printf(
        "[soak] hostile records sent: %llu; dribbled: %llu bytes, %llu records; dropper: %d joins, "
        "%d mid-record closes (%d by reset), %d refusals\n",
        static_cast<unsigned long long>(hostile.sent),
        static_cast<unsigned long long>(dribbler.bytes),
        static_cast<unsigned long long>(dribbler.records), dropper.joins, dropper.midRecordDrops,
        dropper.resets, dropper.refusals);
    std::printf(
        "[soak] idle: %d joins, %d dropped and closed by the host, %d refusals, %llu records read "
        "back (%llu dropped whole); longest host queue %zu bytes, %llu frames with a full queue; "
        "probe refused: %s\n",
        idle.joins, idle.drops, idle.refusals, static_cast<unsigned long long>(idle.records),
        static_cast<unsigned long long>(idle.gaps), watch.longestQueue,
        static_cast<unsigned long long>(watch.fullQueueFrames), probe.refused ? "yes" : "no");
    std::fflush(stdout);

    EXPECT_EQ(shared.faults.count, 0);
    for (const std::string& fault : shared.faults.first)
        ADD_FAILURE() << fault;

    // Pace.
    EXPECT_GE(frameMs.size(), static_cast<std::size_t>(soakMs / (1.5 * FRAME_MS)));
    EXPECT_GE(median, MEDIAN_LOW_MS);
    EXPECT_LE(median, MEDIAN_HIGH_MS);
    EXPECT_LT(p99, P99_LIMIT_MS);
    EXPECT_LT(longest, LONGEST_MS);

    // Honest traffic flowed the whole time, between every pair, and from the host.
    const auto expectedSends = static_cast<uint32_t>(soakMs / (2 * FRAME_MS));
    for (const HonestResult& h : honest)
        ASSERT_TRUE(h.joined) << h.check.who;
    ASSERT_TRUE(isValidSlot(shared.dribblerSlot.load()));
    for (const HonestResult& h : honest) {
        EXPECT_GE(h.sent, expectedSends) << h.check.who;
        EXPECT_GE(h.check.fromHost, frameMs.size() / 2) << h.check.who;
        EXPECT_GT(h.check.fromOthers, 0u)
            << h.check.who << " never saw a misbehaving peer's record";
        for (const HonestResult& sender : honest) {
            if (&sender == &h) continue;
            int32_t s     = sender.check.ownSlot;
            uint32_t span = h.check.lastSeq[s] - h.check.firstSeq[s] + 1;
            EXPECT_GE(h.check.seen[s], static_cast<uint64_t>(SHARE_ARRIVED * span))
                << h.check.who << " from " << sender.check.who;
            EXPECT_GE(h.check.lastSeq[s] + LATE_RECORDS, sender.sent)
                << h.check.who << " from " << sender.check.who;
        }
        EXPECT_GT(h.check.seen[shared.dribblerSlot.load()], 0u)
            << h.check.who << " saw no dribbled record";
    }

    // The misbehaving peers did their part.
    EXPECT_GE(hostile.sent, 1000u);
    EXPECT_GE(dribbler.records, static_cast<uint64_t>(soakMs / (3 * NET_RECORD_SIZE * FRAME_MS)));
    EXPECT_GE(dropper.midRecordDrops, 1);
    EXPECT_GE(dropper.refusals, 1);
    EXPECT_TRUE(probe.refused);
    EXPECT_GE(idle.joins, 1);
    if (soakMs >= IDLE_DROP_SOAK_MS) {
        EXPECT_GE(idle.drops, 1);
        EXPECT_GT(watch.fullQueueFrames, 0u) << "no host queue ever reached its bound";
        EXPECT_GT(idle.gaps, 0u) << "the idle peer's stream never lost records at the host's bound";
    }
    EXPECT_LE(watch.longestQueue, SOCKET_QUEUE_BYTES);
}
