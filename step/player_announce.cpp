// When the player-info record is due, and sending it.
#include "step/player_announce.h"

#include "net/net.h"
#include "world/world_state.h"

namespace {
bool announced       = false;
int32_t sentSlot     = FREE_SLOT;
int32_t sentKills    = 0;
int32_t sentDeaths   = 0;
uint32_t announcedAt = 0;
} // namespace

void announcePlayer(const WorldState& world, NetSession& net, uint32_t nowMs) {
    if (!isValidSlot(world.localPlayer)) return;
    const bool changed = !announced || sentSlot != world.localPlayer ||
                         sentKills != world.localScore || sentDeaths != world.roster.localDeaths;
    if (!changed && nowMs - announcedAt < ANNOUNCE_EVERY_MS) return;
    netSend(net, makePlayerInfoMessage(world.localPlayer, world.localScore,
                                       world.roster.localDeaths, world.roster.localName));
    announced   = true;
    sentSlot    = world.localPlayer;
    sentKills   = world.localScore;
    sentDeaths  = world.roster.localDeaths;
    announcedAt = nowMs;
}

void resetAnnouncements() {
    announced = false;
}
