// The host's match and arena, step by step.
#include "step/match_host.h"

#include <cstdio>

#include "net/arena_use.h"
#include "net/net.h"
#include "world/contact.h"

namespace {

bool sameRecord(const MatchRecord& a, const MatchRecord& b) {
    return a.phase == b.phase && a.secondsLeft == b.secondsLeft && a.number == b.number &&
           a.winner == b.winner && a.rules.scoreLimit == b.rules.scoreLimit &&
           a.rules.timeLimitMinutes == b.rules.timeLimitMinutes;
}

// The arena of this match number into the host's world and its records; none on failure.
void takeArena(HostMatch& host, WorldState& world, NetSession& net) {
    host.recordCount = 0;
    netTellArena(net, "");
    if (host.choice[0] == '\0') return;
    const char* name = arenaForMatch(host.arenas, host.choice, world.match.number);
    char problem[ARENA_PROBLEM_TEXT_SIZE];
    ArenaDescription arena;
    if (name == nullptr) {
        std::fprintf(stderr,
                     "voranis: no arena \"%s\" in the game folder's %s/: playing on "
                     "universe.uni; choose one the dialog lists.\n",
                     host.choice, ARENA_FOLDER);
        return;
    }
    if (!loadArenaFile(name, &arena, problem)) {
        std::fprintf(stderr, "voranis: %s.\n", problem);
        return;
    }
    if (!useArena(world, arena)) {
        std::fprintf(stderr,
                     "voranis: arena %s names a planet picture this game has not loaded: "
                     "playing on universe.uni; mend the arena's TEXTURE lines.\n",
                     name);
        return;
    }
    host.recordCount = makeArenaMessages(arena, host.records);
    netTellArena(net, arena.name);
    if (isValidSlot(world.localPlayer)) spawnLocalPlayer(world, world.localPlayer);
}

void showMatch(WorldState& world, const MatchRecord& record) {
    world.matchView = MatchView{record.phase, record.secondsLeft, record.number, record.winner};
}
} // namespace

void setHostArenas(HostMatch& host, const char* choice) {
    std::snprintf(host.choice, sizeof host.choice, "%s", choice);
    host.arenas = listArenas(ARENA_FOLDER);
}

void welcomeToMatch(HostMatch& host, WorldState& world, NetSession& net, uint32_t nowMs) {
    if (world.match.number <= 0) {
        const MatchRules rules = world.match.rules; // a copy: startMatch clears the match first
        startMatch(world.match, rules, nowMs);
        takeArena(host, world, net);
    }
    const uint32_t welcomed = netTakeWelcomedSlots(net);
    const NetMessage record = makeMatchMessage(matchRecordOf(world.match, nowMs));
    for (int slot = 0; slot < MAX_PLAYERS; ++slot) {
        if (!(welcomed & (1u << slot))) continue;
        forgetMatchSlot(world.match, slot);
        for (int k = 0; k < host.recordCount; ++k)
            netSendTo(net, slot, host.records[k]);
        netSendTo(net, slot, record);
    }
}

void advanceHostMatch(HostMatch& host, WorldState& world, const RecordOut& out, uint32_t nowMs,
                      uint32_t droppedSlots) {
    for (int slot = 0; slot < MAX_PLAYERS; ++slot)
        if (droppedSlots & (1u << slot)) forgetMatchSlot(world.match, slot);
    if (isValidSlot(world.localPlayer)) {
        const Player& own = world.players[world.localPlayer];
        countStateKill(world, world.localPlayer, own.killer, own.health);
    }
    const MatchChange change = advanceMatch(world.match, nowMs);
    if (change == MatchChange::NEXT_MATCH) {
        beginNextMatch(world);
        takeArena(host, world, out.net);
        for (int k = 0; k < host.recordCount; ++k)
            sendRecord(out, host.records[k]);
    }
    const MatchRecord record = matchRecordOf(world.match, nowMs);
    showMatch(world, record);
    const bool due = !host.recordSent || !sameRecord(record, host.lastRecord) ||
                     nowMs - host.recordSentMs >= MATCH_RECORD_EVERY_MS;
    if (!due) return;
    sendRecord(out, makeMatchMessage(record));
    host.recordSent   = true;
    host.recordSentMs = nowMs;
    host.lastRecord   = record;
}
