// The real host's frame for VORANIS_SOAK_SECONDS (5 by default) relaying peers' numbered
// records while another floods it with records of any type, slot and bit pattern.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>

#include "net/net_host.h"
#include "net/net_session.h"
#include "step/step_loop.h"
#include "tests/support/peer.h"
#include "tests/support/portable/world_setup.h"
#include "world/contact.h"
#include "world/world_state.h"

namespace {
// This program's own world and network session, as each program owns its own.
WorldState testWorld;
NetSession testNet;
StepState testStep;

constexpr int PEERS    = 4;
constexpr int FRAME_MS = 15;

std::atomic<bool> stop{false};
int slotOf[PEERS];  // each peer's, once it is welcomed
int floodSlot = -1; // the flooder's: its own records may say anything

// What a peer receives of the others: whole, as they sent it, in order ("" or the fault).
std::string check(const Record& r, uint32_t last[MAX_PLAYERS], uint32_t seen[MAX_PLAYERS]) {
    const WireState st = readState(r);
    if (recordType(r) != WIRE_STATE || st.slot == 0 || st.slot == floodSlot) return "";
    if (st.slot < 0 || st.slot >= MAX_PLAYERS || st.health != FULL_HEALTH || st.pos[1] != st.slot)
        return "a record of slot " + std::to_string(st.slot) + " came torn or changed";
    if (st.pos[0] <= last[st.slot]) return "records of one peer came out of order";
    last[st.slot] = uint32_t(st.pos[0]);
    ++seen[st.slot];
    return "";
}

void peer(int k, uint32_t* seen, std::string* fault) {
    Peer p = connectPeer();
    Record r;
    slotOf[k] = p.receiveRecord(&r) && recordType(r) == WIRE_WELCOME ? recordSlot(r) : -1;
    if (slotOf[k] < 0) *fault = "no place";
    uint32_t last[MAX_PLAYERS] = {};
    WireState mine             = {slotOf[k], WIRE_NO_KILLER, FULL_HEALTH};
    mine.pos[1]                = float(slotOf[k]);
    auto next                  = std::chrono::steady_clock::now();
    for (uint32_t n = 1; !stop; ++n, next += std::chrono::milliseconds(FRAME_MS)) {
        mine.pos[0] = float(n);
        p.sendRecord(stateRecord(mine));
        while (!stop && std::chrono::steady_clock::now() < next)
            if (p.receiveRecord(&r, 1) && fault->empty()) *fault = check(r, last, seen);
    }
}

// Never reads; mostly state and rocket records, for its own slot, the others' or none.
void flooder() {
    Peer p = connectPeer();
    Record r;
    floodSlot = p.receiveRecord(&r) ? recordSlot(r) : -1;
    std::mt19937 rng(0x5EED);
    for (std::array<uint32_t, WIRE_WORDS> w; !stop;) {
        for (uint32_t& word : w)
            word = rng();
        w[0] = w[0] % 3 == 0 ? w[0] : w[0] % 3 == 1 ? WIRE_STATE : WIRE_ROCKET;
        w[1] %= MAX_PLAYERS + 2;
        p.sendRecord(wordsRecord(w));
    }
}

bool goOn(WorldState&, uint32_t, const StepResult&, const StepReport&, void*) {
    return true;
}
} // namespace

TEST(Soak, TheHostPassesEveryRecordOnWholeAndInOrderAllAlong) {
    const char* text  = std::getenv("VORANIS_SOAK_SECONDS");
    const int seconds = std::clamp(text ? std::atoi(text) : 5, 1, 600);
    freshWorld(testWorld);
    char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
    ASSERT_TRUE(netHostStart(testNet, GAME_PORT, "soak", address, problem)) << problem;
    spawnLocalPlayer(testWorld, 0);
    uint32_t seen[PEERS][MAX_PLAYERS] = {};
    std::string faults[PEERS];
    std::vector<std::thread> peers;
    for (int k = 0; k < PEERS; ++k)
        peers.emplace_back(peer, k, seen[k], &faults[k]);
    peers.emplace_back(flooder);
    const Player host = testWorld.players[0];
    StepClock clock{};
    static StepReport report;
    bool moved = false; // the host's own ship, by someone else's record
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
         std::chrono::steady_clock::now() < end;) {
        runStepsOwed(testWorld, testNet, testStep, StepSetup{1, nullptr, nullptr}, clock, &report,
                     StepLoopHooks{goOn, nullptr, nullptr});
        moved = moved || std::memcmp(&host.pos, &testWorld.players[0].pos, sizeof host.pos) != 0;
    }
    stop = true;
    netShutdown(testNet); // ends every peer's wait
    for (std::thread& t : peers)
        t.join();
    EXPECT_FALSE(moved);
    for (int reader = 0; reader < PEERS; ++reader) {
        EXPECT_EQ(faults[reader], "") << "peer " << reader;
        for (int k = 0; k < PEERS; ++k) // from every other peer
            EXPECT_TRUE(k == reader || seen[reader][std::max(0, slotOf[k])] > 0)
                << "peer " << reader << " never heard peer " << k;
    }
}
