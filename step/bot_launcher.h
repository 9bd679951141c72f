// The host's bots: started once the host confirms its game, stopped when it ends. They join
// over loopback like any peer and take the lowest free slots.
#pragma once

#include "platform/platform.h"
#include "world/tables.h"

constexpr const char* BOT_PROGRAM = "voranis-bot"; // beside the game's own program
constexpr int MAX_BOTS            = MAX_PLAYERS - 1;
constexpr int BOT_SKILL_LEVELS    = 3; // 1 (easy) to 3 (hard)
constexpr int DEFAULT_BOT_SKILL   = 2;

// The bots a program started; a fresh BotLauncher{} has none.
struct BotLauncher {
    ProgramHandle bot[MAX_BOTS];
    int count;
};

void startBots(BotLauncher& bots, int count, int skill, int port);
void stopBots(BotLauncher& bots); // safe to repeat
