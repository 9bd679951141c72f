// The roster and the names players see.
#include "world/roster.h"

#include <cstdio>
#include <cstring>

Roster roster;
int32_t localDeaths = 0;
char localName[PLAYER_NAME_CHARS + 1];

void resetRoster() {
    roster      = Roster{};
    localDeaths = 0;
}

void printableText(const char* text, int length, char* out, int size) {
    int n = 0;
    for (; n < length && n < size - 1 && text[n] != '\0'; ++n)
        out[n] = text[n] >= ' ' && text[n] <= '~' ? text[n] : '?';
    out[n] = '\0';
}

void setLocalName(const char* name) {
    printableText(name, PLAYER_NAME_CHARS, localName, sizeof localName);
}

void playerName(int32_t slot, char out[PLAYER_NAME_BYTES + 1]) {
    if (!isValidSlot(slot)) {
        std::snprintf(out, PLAYER_NAME_BYTES + 1, "?");
    } else if (slot == localPlayer && localName[0] != '\0') {
        std::snprintf(out, PLAYER_NAME_BYTES + 1, "%s", localName);
    } else if (roster.known[slot] && roster.name[slot][0] != '\0') {
        std::snprintf(out, PLAYER_NAME_BYTES + 1, "%s", roster.name[slot]);
    } else {
        std::snprintf(out, PLAYER_NAME_BYTES + 1, "PLAYER %d", slot + 1);
    }
}

void forgetPlayerInfo(int32_t slot) {
    if (!isValidSlot(slot)) return;
    roster.known[slot]   = false;
    roster.name[slot][0] = '\0';
}

void setPlayerInfo(int32_t slot, int32_t kills, int32_t deaths, const char* name) {
    if (!isValidSlot(slot)) return;
    roster.known[slot]  = true;
    roster.kills[slot]  = kills;
    roster.deaths[slot] = deaths;
    printableText(name, PLAYER_NAME_BYTES, roster.name[slot], sizeof roster.name[slot]);
}
