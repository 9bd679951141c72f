// What a joiner does with the host's arena and match records: the arena's parts are gathered
// until it is whole and checked, then its planets replace this machine's; the match record
// becomes what the HUD shows, and a new match number starts the next match here too.
#pragma once

#include <cstdint>

#include "net/arena.h"
#include "net/net_message.h"
#include "net/record_rules.h"

struct WorldState;

// The arena's planets into the world, each texture found by name among the pictures this
// machine loaded for planets. False, with the world unchanged, when the arena is not checked
// whole or names a picture not loaded.
bool useArena(WorldState& world, const ArenaDescription& arena);

// Record rows' apply functions (3003-3005, and 3006).
void applyArenaRecord(WorldState& world, RecordAssembly& assembly, const NetMessage& msg,
                      uint32_t nowMs);
void applyMatchRecord(WorldState& world, RecordAssembly& assembly, const NetMessage& msg,
                      uint32_t nowMs);
