// The hostile peer: a flood of random records, mostly of the known kinds so they reach the
// host's rules, naming its own slot, others' slots or none, with wild indices and floats.
#include <climits>
#include <cstring>
#include <random>
#include <unistd.h>

#include "tests/soak/soak_peers.h"

namespace {
constexpr int BURST_RECORDS       = 256; // written at once, as fast as the host's side takes them
constexpr int HOSTILE_SEND_BUFFER = 32 * 1024; // keeps "sent" close to what the host took

uint32_t draw(std::mt19937& rng) {
    return static_cast<uint32_t>(rng());
}

uint32_t oneOf(std::mt19937& rng, std::initializer_list<uint32_t> choices) {
    return *(choices.begin() + draw(rng) % choices.size());
}

uint32_t asWord(int32_t v) {
    return static_cast<uint32_t>(v);
}

uint32_t wildType(std::mt19937& rng) {
    uint32_t r = draw(rng) % 100;
    if (r < 30) return asWord(MSG_STATE);
    if (r < 60) return asWord(MSG_ROCKET);
    if (r < 68) return asWord(MSG_WELCOME);
    if (r < 74) return asWord(MSG_SERVER_FULL);
    if (r < 80) return oneOf(rng, {0, 1011, 1012, 1015, asWord(-1013)});
    return draw(rng);
}

uint32_t wildSlot(std::mt19937& rng, const SoakShared& shared, int32_t own) {
    uint32_t r = draw(rng) % 100;
    if (r < 40) return asWord(own);
    if (r < 55) return asWord(shared.honestSlot[draw(rng) % HONEST_PEERS].load());
    if (r < 65) return 0;
    if (r < 85) return draw(rng) % MAX_PLAYERS;
    return oneOf(rng, {asWord(-1), asWord(FREE_SLOT), MAX_PLAYERS, asWord(INT_MIN), asWord(INT_MAX),
                       draw(rng)});
}

uint32_t wildIndex(std::mt19937& rng) {
    uint32_t r = draw(rng) % 10;
    if (r < 6) return draw(rng) % ROCKETS_PER_PLAYER;
    return oneOf(rng,
                 {asWord(-1), ROCKETS_PER_PLAYER, asWord(INT_MIN), asWord(INT_MAX), draw(rng)});
}

uint32_t wildLife(std::mt19937& rng) {
    return oneOf(
        rng, {300, 99, 101, 91, 100, 0, asWord(-1), asWord(INT_MIN), asWord(INT_MAX), draw(rng)});
}

uint32_t wildFloat(std::mt19937& rng) {
    switch (draw(rng) % 10) {
    case 0:
        return 0x7FC00000u; // quiet NaN
    case 1:
        return 0x7F800001u | (draw(rng) & 0x3FFFFFu); // signalling NaN
    case 2:
        return 0x7F800000u; // +inf
    case 3:
        return 0xFF800000u; // -inf
    case 4:
        return oneOf(rng, {0x7F7FFFFFu, 0xFF7FFFFFu}); // largest finite
    case 5:
        return oneOf(rng, {0x00000001u, 0x80000001u}); // smallest denormal
    case 6:
    case 7:
        return draw(rng);
    default: {
        float f = std::uniform_real_distribution<float>(-40.0f, 40.0f)(rng); // inside the world
        uint32_t w;
        std::memcpy(&w, &f, sizeof w);
        return w;
    }
    }
}

NetMessage hostileRecord(std::mt19937& rng, const SoakShared& shared, int32_t own) {
    NetMessage msg;
    msg.word[0] = wildType(rng);
    msg.word[1] = wildSlot(rng, shared, own);
    msg.word[2] = wildIndex(rng);
    msg.word[3] = wildLife(rng);
    for (int w = 4; w < NET_RECORD_WORDS; ++w)
        msg.word[w] = wildFloat(rng);
    return msg;
}
} // namespace

// Never reads: the host's queue towards it fills and must stay bounded.
void runHostilePeer(SoakShared& shared, uint32_t seed, HostileResult& out) {
    yieldToHost();
    int fd = connectToHost(0, HOSTILE_SEND_BUFFER);
    uint8_t welcome[NET_RECORD_SIZE];
    if (fd < 0 || !readExactly(fd, welcome, sizeof welcome, PEER_WAIT_MS, shared.stop) ||
        netMessageType(decodeNetMessage(welcome)) != MSG_WELCOME) {
        noteFault(shared.faults, "hostile: no welcome");
        if (fd >= 0) ::close(fd);
        return;
    }
    out.slot = netMessageSlot(decodeNetMessage(welcome));
    shared.welcomes += 1;
    std::mt19937 rng(seed);
    uint8_t burst[BURST_RECORDS * NET_RECORD_SIZE];
    while (!shared.stop.load()) {
        for (int r = 0; r < BURST_RECORDS; ++r) {
            uint8_t* record = burst + r * NET_RECORD_SIZE;
            encodeNetMessage(hostileRecord(rng, shared, out.slot), record);
            ledgerNote(shared.ledger, record, out.slot);
        }
        if (!sendAll(fd, burst, sizeof burst, shared.stop)) {
            if (!shared.stop.load())
                noteFault(shared.faults, "hostile: the host stopped taking records");
            break;
        }
        out.sent += BURST_RECORDS;
    }
    ::close(fd);
}
