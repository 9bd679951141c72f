// The set-up dialog's commands: choices into gameSetup, host or join.
#include "app/dialog/setup_commands.h"

#include <cstring>

#include "app/fatal_error.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "step/game_version.h"
#include "world/contact.h"

static_assert(ADDRESS_MAX_CHARS < SETUP_ADDRESS_SIZE, "the typed address must fit");

void storeSetupChoices(bool fullScreen, bool soundEnabled, int resolutionIndex) {
    gameSetup.fullScreen      = fullScreen ? 1 : 0;
    gameSetup.soundEnabled    = soundEnabled ? 1 : 0;
    gameSetup.resolutionIndex = resolutionIndex;
}

void hostGame(NetSession& net, char addressText[NET_ADDRESS_TEXT_SIZE]) {
    char problem[NET_ENDING_TEXT_SIZE];
    if (!netHostStart(net, gameSetup.port, GAME_VERSION, addressText, problem))
        failGame(1, problem, true);
    gameSetup.isServer = 1;
    spawnLocalPlayer(gameWorld, 0);
}

void joinGame(NetSession& net, const char* typed) {
    const size_t length = strnlen(typed, ADDRESS_MAX_CHARS);
    std::memcpy(gameSetup.address, typed, length);
    gameSetup.address[length] = '\0';
    netJoinStart(net, gameSetup.address, gameSetup.port);
    gameSetup.isServer    = 0;
    gameWorld.localPlayer = FREE_SLOT;
}
