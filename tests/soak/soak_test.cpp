// The real host's frame for VORANIS_SOAK_SECONDS (5 by default) under honest peers sending
// numbered records and reading all, and a flooder of forged and wild records, threads on loopback.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <thread>

#include "app/frame.h"
#include "app/game_setup.h"
#include "net/net_host.h"
#include "tests/support/peer.h"
#include "tests/support/world_setup.h"
#include "world/contact.h"
#include "world/random.h"

namespace {
constexpr int HONEST        = 4;
constexpr int FRAME_MS      = 15;
constexpr int HONEST_HEALTH = 100; // what no forged record of the flooder's carries

std::atomic<bool> stop{false};
std::atomic<int> faults{0}, slotOf[HONEST];
std::mutex faultLock;
std::string firstFault;

void fault(const std::string& what) {
    std::lock_guard<std::mutex> hold(faultLock);
    if (faults++ == 0) firstFault = what;
}

int32_t joinHost(Peer& p) { // the slot of the welcome, or -1
    Record r;
    return p.fd >= 0 && p.receiveRecord(&r) && recordType(r) == WIRE_WELCOME ? recordSlot(r) : -1;
}

// What an honest peer receives: whole, in order, never forged, never outside the tables.
void check(const Record& r, uint32_t last[MAX_PLAYERS], uint32_t seen[MAX_PLAYERS]) {
    const int32_t type = recordType(r), s = recordSlot(r);
    if (type != WIRE_STATE && type != WIRE_ROCKET) return; // passed on untouched
    if (s < 0 || s >= MAX_PLAYERS ||
        (type == WIRE_ROCKET && uint32_t(readRocket(r).index) >= ROCKETS_PER_PLAYER))
        return fault("a record outside the tables was relayed");
    const WireState st = readState(r);
    if (type != WIRE_STATE || s <= 0 || std::count(slotOf, slotOf + HONEST, s) == 0) return;
    if (st.health != HONEST_HEALTH || st.pos[1] != s)
        return fault("a forged record of slot " + std::to_string(s) + " was relayed");
    if (st.pos[0] <= last[s]) return fault("records of one peer came out of order");
    last[s] = uint32_t(st.pos[0]);
    ++seen[s];
}

void honestPeer(int k, uint32_t* seen) {
    Peer p    = connectPeer();
    slotOf[k] = joinHost(p);
    if (slotOf[k] < 0) return fault("an honest peer got no place");
    uint32_t last[MAX_PLAYERS] = {};
    auto next                  = std::chrono::steady_clock::now();
    for (uint32_t n = 1; !stop; ++n, next += std::chrono::milliseconds(FRAME_MS)) {
        p.sendRecord(
            wordsRecord({WIRE_STATE, uint32_t(slotOf[k]), uint32_t(WIRE_NO_KILLER), HONEST_HEALTH,
                         floatWord(float(n)), floatWord(float(slotOf[k]))}));
        for (Record r; !stop && std::chrono::steady_clock::now() < next;)
            if (p.receiveRecord(&r, 1)) check(r, last, seen);
    }
}

void flooder(uint64_t& sent) {
    Peer p = connectPeer();
    std::mt19937 rng(0x5EED);
    auto any  = [&] { return static_cast<uint32_t>(rng()); };
    auto pick = [&](std::initializer_list<uint32_t> c) { return c.begin()[any() % c.size()]; };
    const uint32_t own = static_cast<uint32_t>(joinHost(p)), low = 1u << 31, none = ~0u;
    while (own < MAX_PLAYERS && !stop) { // forged, out of the tables, or wild, mostly known types
        const auto other = static_cast<uint32_t>(slotOf[any() % HONEST].load());
        std::array<uint32_t, WIRE_WORDS> w;
        w[0] = pick({WIRE_STATE, WIRE_ROCKET, WIRE_STATE, WIRE_WELCOME, WIRE_SERVER_FULL, any()});
        w[1] = pick({own, other, 0, any() % 8, none, MAX_PLAYERS, low, any()});
        w[2] = pick({any() % ROCKETS_PER_PLAYER, none, ROCKETS_PER_PLAYER, low - 1, any()});
        w[3] = pick({300, 99, 101, 91, 0, none, low, any()});
        for (int i = 4; i < WIRE_WORDS; ++i)
            w[i] = pick({0x7FC00000u, 0x7F800000u, 0xFF800000u, 0x7F7FFFFFu, 1, any(), any()});
        sent += p.sendRecord(wordsRecord(w));
    }
}

// After every frame: entries only under their own index, honest ones as their peers sent
// them, the host's ship untouched.
void checkHost(const Player& hostBefore) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        const Player& p = playerTable[i];
        if (p.slot >= 0 && p.slot != i) fault("an entry names another slot");
        for (int k = 0; k < HONEST; ++k)
            if (i == slotOf[k] && p.slot == i && (p.health != HONEST_HEALTH || p.pos[1] != i))
                fault("an honest entry took a forged record");
    }
    const Player& h = playerTable[0]; // its slot, health, killer and place, and no shot
    if (std::memcmp(&h, &hostBefore, offsetof(Player, vel)) != 0 ||
        std::memcmp(h.rocketLife, hostBefore.rocketLife, sizeof h.rocketLife) != 0)
        fault("the host's ship was changed");
}
} // namespace

TEST(Soak, TheHostKeepsItsRulesAndPassesEveryHonestRecordOnUnderAttack) {
    const char* text  = std::getenv("VORANIS_SOAK_SECONDS");
    const int seconds = std::clamp(text ? std::atoi(text) : 5, 1, 600);
    freshWorld();
    resetConnSlots();
    gameSetup          = startSetup();
    gameSetup.isServer = 1;
    char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
    ASSERT_TRUE(netHostStart(GAME_PORT, "soak", address, problem)) << problem;
    gameSrand(GAME_PORT);
    spawnLocalPlayer(0);
    const Player hostBefore = playerTable[0];
    for (auto& s : slotOf)
        s = -1;
    uint32_t seen[HONEST][MAX_PLAYERS] = {};
    uint64_t flooded                   = 0;
    std::vector<std::thread> peers;
    for (int k = 0; k < HONEST; ++k)
        peers.emplace_back(honestPeer, k, seen[k]);
    peers.emplace_back(flooder, std::ref(flooded));
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
         std::chrono::steady_clock::now() < end;) {
        runFrame();
        checkHost(hostBefore);
    }
    stop = true;
    netShutdown(); // ends every peer's wait
    for (std::thread& t : peers)
        t.join();
    EXPECT_EQ(faults, 0) << firstFault;
    EXPECT_GT(flooded, 1000u);
    for (int reader = 0; reader < HONEST; ++reader) // from every other honest peer
        for (int k = 0; k < HONEST; ++k)
            EXPECT_TRUE(k == reader || seen[reader][std::max(0, slotOf[k].load())] > 0)
                << "peer " << reader << " never heard peer " << k;
}
