// When the player-info record is due, and sending it.
#include "app/player_announce.h"

#include "net/net.h"
#include "world/roster.h"
#include "world/world_state.h"

namespace {
bool announced       = false;
int32_t sentSlot     = FREE_SLOT;
int32_t sentKills    = 0;
int32_t sentDeaths   = 0;
uint32_t announcedAt = 0;
} // namespace

void announcePlayer(uint32_t nowMs) {
    if (!isValidSlot(localPlayer)) return;
    const bool changed = !announced || sentSlot != localPlayer || sentKills != localScore ||
                         sentDeaths != localDeaths;
    if (!changed && nowMs - announcedAt < ANNOUNCE_EVERY_MS) return;
    netSend(makePlayerInfoMessage(localPlayer, localScore, localDeaths, localName));
    announced   = true;
    sentSlot    = localPlayer;
    sentKills   = localScore;
    sentDeaths  = localDeaths;
    announcedAt = nowMs;
}

void resetAnnouncements() {
    announced = false;
}
