// The sizes the game offers, and the choices of a first start.
#include "app/dialog/game_setup.h"

#include <cstdio>

#include "net/net.h"
#include "platform/platform.h"

// clang-format off
const Resolution resolutionTable[RESOLUTION_COUNT] = {
    { 640, 480},
    { 800, 600},
    {1024, 768},
    {   0,   0}, // the desktop's own
};
// clang-format on

GameSetup startSetup() {
    GameSetup s{};
    s.isServer        = 0;
    s.resolutionIndex = DESKTOP_RESOLUTION;
    s.fullScreen      = 1;
    s.soundEnabled    = 0;
    s.port            = NET_PORT;
    std::snprintf(s.address, sizeof s.address, "%s", ADDRESS_PREFIX);
    char login[PLAYER_NAME_BYTES + 1];
    platformLoginName(login, sizeof login);
    printableText(login, PLAYER_NAME_CHARS, s.name, sizeof s.name);
    s.bots             = 0;
    s.botSkill         = DEFAULT_BOT_SKILL;
    s.scoreLimit       = DEFAULT_SCORE_LIMIT;
    s.timeLimitMinutes = DEFAULT_TIME_LIMIT_MINUTES;
    std::snprintf(s.arena, sizeof s.arena, "%s", DEFAULT_ARENA);
    return s;
}
