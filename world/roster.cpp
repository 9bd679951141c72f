// The roster and the names players see.
#include "world/roster.h"

#include <cstdio>
#include <cstring>

#include "world/world_state.h"

void printableText(const char* text, int length, char* out, int size) {
    int n = 0;
    for (; n < length && n < size - 1 && text[n] != '\0'; ++n)
        out[n] = text[n] >= ' ' && text[n] <= '~' ? text[n] : '?';
    out[n] = '\0';
}

void setLocalName(Roster& roster, const char* name) {
    printableText(name, PLAYER_NAME_CHARS, roster.localName, sizeof roster.localName);
}

void playerName(const WorldState& world, int32_t slot, char out[PLAYER_NAME_BYTES + 1]) {
    const Roster& roster = world.roster;
    if (!isValidSlot(slot)) {
        std::snprintf(out, PLAYER_NAME_BYTES + 1, "?");
    } else if (slot == world.localPlayer && roster.localName[0] != '\0') {
        std::snprintf(out, PLAYER_NAME_BYTES + 1, "%s", roster.localName);
    } else if (roster.known[slot] && roster.name[slot][0] != '\0') {
        std::snprintf(out, PLAYER_NAME_BYTES + 1, "%s", roster.name[slot]);
    } else {
        std::snprintf(out, PLAYER_NAME_BYTES + 1, "PLAYER %d", slot + 1);
    }
}

void forgetPlayerInfo(Roster& roster, int32_t slot) {
    if (!isValidSlot(slot)) return;
    roster.known[slot]   = false;
    roster.name[slot][0] = '\0';
}

void setPlayerInfo(Roster& roster, int32_t slot, int32_t kills, int32_t deaths, const char* name) {
    if (!isValidSlot(slot)) return;
    roster.known[slot]  = true;
    roster.kills[slot]  = kills;
    roster.deaths[slot] = deaths;
    printableText(name, PLAYER_NAME_BYTES, roster.name[slot], sizeof roster.name[slot]);
}
