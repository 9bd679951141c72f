// The host's match in every program that hosts (the game, the dedicated server): the match
// begun on its first step under the world's rules, kills counted, the match record sent on
// change and every second, the next match with scores reset, ships respawned, rockets
// cleared and the arena of that match shared. Peers' records are counted where the host
// applies them; the host's own ship here.
#pragma once

#include <cstdint>

#include "world/world_state.h"

struct NetSession;

// The host's arena: a name from the game folder's arenas/, "rotate", or "" for none (the
// host's universe.uni stays and joiners keep their own). Before the first step.
void setHostArenas(const char* choice);

// After the exchange: the first step begins match 1 in its arena; each peer just welcomed
// forgets its slot's count and is sent the arena and the match record.
void welcomeToMatch(WorldState& world, NetSession& net, uint32_t nowMs);

// After the simulation: the host's own record counted, the match advanced, and at the next
// match the world and every joiner begin it; droppedSlots' counts are forgotten.
void advanceHostMatch(WorldState& world, NetSession& net, uint32_t nowMs, uint32_t droppedSlots);

// A new hosting: no match, no arena.
void resetHostMatch();
