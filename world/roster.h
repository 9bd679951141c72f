// Who plays: every player's name, kills and deaths as that player's machine last told them,
// the local player's own, and the lines shown for kills and chat.
#pragma once

#include <cstdint>

#include "world/tables.h"

constexpr int PLAYER_NAME_BYTES = 24; // as a name travels; shown names are shorter
constexpr int PLAYER_NAME_CHARS = 15; // what a player may choose
constexpr int CHAT_TEXT_CHARS   = 80; // one chat line

struct Roster {
    bool known[MAX_PLAYERS]; // that player's machine told its name and numbers
    int32_t kills[MAX_PLAYERS];
    int32_t deaths[MAX_PLAYERS];
    char name[MAX_PLAYERS][PLAYER_NAME_BYTES + 1]; // printable ASCII
    int32_t localDeaths;                           // times the local ship was destroyed
    char localName[PLAYER_NAME_CHARS + 1];         // the local player's chosen name
};

struct WorldState;

// Keeps at most `size` - 1 characters of text, each outside the space to the tilde as '?'.
void printableText(const char* text, int length, char* out, int size);

// Sets the local player's name: printable, at most PLAYER_NAME_CHARS.
void setLocalName(Roster& roster, const char* name);

// What players see for a slot: the local name for the local player, the name its machine
// told, else "PLAYER n" (n counted from 1). An invalid slot gives "?".
void playerName(const WorldState& world, int32_t slot, char out[PLAYER_NAME_BYTES + 1]);

// A slot given up, or given to someone new: nothing is known of its player any more.
void forgetPlayerInfo(Roster& roster, int32_t slot);

// What one player's machine says of it.
void setPlayerInfo(Roster& roster, int32_t slot, int32_t kills, int32_t deaths, const char* name);
