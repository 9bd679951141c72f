// The local player's name, kills and deaths go to the others as soon as it has a place in the
// game, whenever the numbers change, and every 2 s, so that a late joiner learns everyone.
#pragma once

#include <cstdint>

#include "step/record_out.h"
#include "world/world_state.h"

constexpr uint32_t ANNOUNCE_EVERY_MS = 2000;

// What went out last; a fresh Announcement{} has sent nothing.
struct Announcement {
    bool announced;
    int32_t sentSlot;
    int32_t sentKills;
    int32_t sentDeaths;
    uint32_t announcedAt;
};

void announcePlayer(Announcement& said, const WorldState& world, const RecordOut& out,
                    uint32_t nowMs);
