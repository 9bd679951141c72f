// The bot's program: a joiner without window, GL or sound whose ship the bot's brain flies,
// step by step at the game's own pace.
#pragma once

#include "world/roster.h"

struct BotOptions {
    char address[256];                // the host's, as --join takes it
    int port;                         // when the address names none
    int skill;                        // 1 to 3
    char name[PLAYER_NAME_CHARS + 1]; // "" for "BOT n", n its slot
    bool quiet;                       // no word on standard error when it ends
};

// Plays until the host refuses it, is missing or quits (the joiner's exit codes), or until
// the process that started it ends (0).
int runBot(const BotOptions& options);
