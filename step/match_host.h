// The host's match in every program that hosts (the game, the dedicated server): the match
// begun on its first step under the world's rules, kills counted, the match record sent on
// change and every second, the next match with scores reset, ships respawned, rockets
// cleared and the arena of that match shared. Peers' records are counted where the host
// applies them; the host's own ship here.
#pragma once

#include <cstdint>

#include "net/arena_records.h"
#include "net/match_record.h"
#include "step/arena_choice.h"
#include "step/record_out.h"
#include "world/world_state.h"

// The host's arena choice and what it last told; a fresh HostMatch{} (a new hosting) has no
// match and no arena.
struct HostMatch {
    char choice[ARENA_NAME_BYTES + 1];
    ArenaList arenas;
    int recordCount; // the arena's records, 0 for none
    NetMessage records[MAX_ARENA_RECORDS];
    bool recordSent; // a match record went out
    uint32_t recordSentMs;
    MatchRecord lastRecord;
};

// The host's arena: a name from the game folder's arenas/, "rotate", or "" for none (the
// host's universe.uni stays and joiners keep their own). Before the first step.
void setHostArenas(HostMatch& host, const char* choice);

// After the exchange: the first step begins match 1 in its arena; each peer just welcomed
// forgets its slot's count and is sent the arena and the match record (through the session:
// they are for that peer alone).
void welcomeToMatch(HostMatch& host, WorldState& world, NetSession& net, uint32_t nowMs);

// After the simulation: the host's own record counted, the match advanced, and at the next
// match the world and every joiner begin it; droppedSlots' counts are forgotten.
void advanceHostMatch(HostMatch& host, WorldState& world, const RecordOut& out, uint32_t nowMs,
                      uint32_t droppedSlots);
