// When the player-info record is due, and sending it.
#include "step/player_announce.h"

#include "net/net.h"

void announcePlayer(Announcement& said, const WorldState& world, const RecordOut& out,
                    uint32_t nowMs) {
    if (!isValidSlot(world.localPlayer)) return;
    const bool changed = !said.announced || said.sentSlot != world.localPlayer ||
                         said.sentKills != world.localScore ||
                         said.sentDeaths != world.roster.localDeaths;
    if (!changed && nowMs - said.announcedAt < ANNOUNCE_EVERY_MS) return;
    sendRecord(out, makePlayerInfoMessage(world.localPlayer, world.localScore,
                                          world.roster.localDeaths, world.roster.localName));
    said = Announcement{true, world.localPlayer, world.localScore, world.roster.localDeaths, nowMs};
}
