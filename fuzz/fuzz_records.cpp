// Fuzzes the record stream: byte 0 the sender's slot (high bit: as the host), then read lengths.
// Nothing changes outside the record's entry (or rocket); a relayed record goes on unchanged;
// an arena put together from the records is sound, and a match record read reads back the same;
// the host's arena and match records as a joiner applies them keep the planets sound.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/arena_records.h"
#include "net/arena_use.h"
#include "net/match_record.h"
#include "net/net_message.h"
#include "net/record_rules.h"
#include "world/step_simulation.h"
#include "world/world_state.h"

namespace {
WorldState world; // the joiner's or host's world the records land in; too large for the stack

// Everything but entry s (-1: none), or only its rocket j when j >= 0, as it was.
bool onlyChanged(const PlayerTable& before, int32_t s, int32_t j) {
    PlayerTable now = world.players;
    if (s >= 0 && j < 0) now[s] = before[s];
    if (s >= 0 && j >= 0) {
        now[s].rocketLife[j] = before[s].rocketLife[j];
        std::memcpy(now[s].rocketPos[j], before[s].rocketPos[j], sizeof now[s].rocketPos[j]);
        std::memcpy(now[s].rocketVel[j], before[s].rocketVel[j], sizeof now[s].rocketVel[j]);
    }
    return std::memcmp(&now, &before, sizeof now) == 0;
}

void take(const uint8_t record[NET_RECORD_SIZE], int32_t sender, bool host, ArenaAssembly& arena) {
    const NetMessage msg = decodeNetMessage(record);
    ArenaDescription whole;
    if (addArenaRecord(arena, msg, &whole) == ArenaStep::COMPLETE &&
        checkArena(whole) != ArenaFault::NONE)
        std::abort();
    MatchRecord match;
    const int MATCH_WORDS = 8; // the rest are not read
    if (readMatchMessage(msg, &match) &&
        std::memcmp(makeMatchMessage(match).word, msg.word, MATCH_WORDS * sizeof msg.word[0]) != 0)
        std::abort();
    uint8_t relayed[NET_RECORD_SIZE];
    encodeNetMessage(msg, relayed);
    if (std::memcmp(relayed, record, NET_RECORD_SIZE) != 0) std::abort();
    const int32_t type = netMessageType(msg), slot = netMessageSlot(msg);
    const bool fits = netMessageFitsTables(msg) && (type == MSG_STATE || type == MSG_ROCKET);
    if (host && (type == MSG_STATE || type == MSG_ROCKET) && !(fits && slot == sender)) return;
    const bool hostOnly = type >= MSG_ARENA && type <= MSG_MATCH;
    if (host && hostOnly) return; // a host takes these from no peer
    const PlayerTable before = world.players;
    static RecordAssembly assembly; // lines and arenas in parts, as a session keeps them
    applyNetMessage(world, assembly, msg, 0);
    // The host's arena and a new match may move the local ship and clear rockets; the planets
    // stay in their table and name only pictures loaded.
    if (hostOnly) {
        if (world.planetCount < 0 || world.planetCount > MAX_PLANETS) std::abort();
        for (int k = 0; k < world.planetCount; ++k)
            if (world.planets.texture[k] < 0 ||
                world.planets.texture[k] >= world.planetTextures.count)
                std::abort();
        return;
    }
    const int32_t rocket = type == MSG_ROCKET ? static_cast<int32_t>(msg.word[2]) : -1;
    if (!onlyChanged(before, fits ? slot : -1, rocket)) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    resetWorld(world);
    resetPlayerTable(world.players);
    world.localPlayer = 0;
    for (const char* name : {"planet0.bmp", "planet1.bmp"}) // pictures an arena may name
        std::snprintf(world.planetTextures.fileName[world.planetTextures.count++],
                      UNIVERSE_NAME_SIZE, "%s", name);
    uint8_t record[NET_RECORD_SIZE];
    size_t held = 0;
    StepReport report;
    ArenaAssembly arena{};
    for (size_t at = 1; at < size; simulateStep(world, &report)) {
        const size_t read = std::min(size_t(data[at] % NET_RECORD_SIZE + 1), size - at - 1);
        for (const size_t end = ++at + read; at < end; held %= NET_RECORD_SIZE) {
            record[held++] = data[at++];
            if (held == NET_RECORD_SIZE) take(record, data[0] % MAX_PLAYERS, data[0] & 0x80, arena);
        }
    }
    return 0;
}
