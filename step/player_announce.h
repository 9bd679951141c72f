// The local player's name, kills and deaths go to the others as soon as it has a place in the
// game, whenever the numbers change, and every 2 s, so that a late joiner learns everyone.
#pragma once

#include <cstdint>

#include "world/world_state.h"

struct NetSession;

constexpr uint32_t ANNOUNCE_EVERY_MS = 2000;

void announcePlayer(const WorldState& world, NetSession& net, uint32_t nowMs);
void resetAnnouncements();
