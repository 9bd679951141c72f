// Taking the host's arena and match records on a joiner.
#include "net/arena_use.h"

#include <cstdio>
#include <cstring>

#include "net/arena_records.h"
#include "net/match_record.h"
#include "world/contact.h"
#include "world/world_state.h"

namespace {
// The loaded picture of that name, or -1.
int32_t loadedTexture(const UniverseTextures& loaded, const char* name) {
    char fileName[UNIVERSE_NAME_SIZE];
    std::snprintf(fileName, sizeof fileName, "%s%s", name, PICTURE_FILE_END);
    const int count = loaded.count < MAX_UNIVERSE_TEXTURES ? loaded.count : MAX_UNIVERSE_TEXTURES;
    for (int t = 0; t < count; ++t)
        if (strncmp(loaded.fileName[t], fileName, UNIVERSE_NAME_SIZE) == 0) return t;
    return -1;
}

void refuse(const char* why, const char* detail) {
    std::fprintf(stderr,
                 "voranis: the host's arena was refused (%s%s): this machine keeps its own "
                 "planets; the host's game may be of another version.\n",
                 why, detail);
}
} // namespace

bool useArena(WorldState& world, const ArenaDescription& arena) {
    if (checkArena(arena) != ArenaFault::NONE) return false;
    int32_t map[MAX_ARENA_TEXTURES];
    for (int t = 0; t < arena.textureCount; ++t) {
        map[t] = loadedTexture(world.planetTextures, arena.texture[t]);
        if (map[t] < 0) return false;
    }
    Planets planets;
    int32_t count = 0;
    UniverseTextures named;
    arenaToUniverse(arena, &planets, &count, &named);
    for (int k = 0; k < count; ++k)
        planets.texture[k] = map[arena.planet[k].texture];
    world.planets     = planets;
    world.planetCount = count;
    return true;
}

// One arena is received at a time, from the one host.
void applyArenaRecord(WorldState& world, RecordAssembly& assembly, const NetMessage& msg,
                      uint32_t) {
    ArenaDescription arena;
    const ArenaStep step = addArenaRecord(assembly.arena, msg, &arena);
    if (step == ArenaStep::REFUSED) refuse(arenaFaultText(assembly.arena.fault), "");
    if (step != ArenaStep::COMPLETE) return;
    if (!useArena(world, arena)) {
        refuse("it names a planet picture this machine has not loaded", "");
        return;
    }
    // Where the ship stood may now be inside a planet.
    if (isValidSlot(world.localPlayer) && world.players[world.localPlayer].health > 0)
        spawnLocalPlayer(world, world.localPlayer);
}

void applyMatchRecord(WorldState& world, RecordAssembly&, const NetMessage& msg, uint32_t) {
    MatchRecord record;
    if (!readMatchMessage(msg, &record)) return;
    world.awaitingHostWorld   = false; // sent after the arena: the host's world is in place
    const int32_t knownNumber = world.matchView.number;
    world.matchView = MatchView{record.phase, record.secondsLeft, record.number, record.winner};
    if (knownNumber != 0 && record.number != knownNumber) beginNextMatch(world);
}
