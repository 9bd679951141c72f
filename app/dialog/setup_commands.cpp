// The set-up dialog's commands: choices into the setup, host or join.
#include "app/dialog/setup_commands.h"

#include <cstring>

#include "platform/platform.h"
#include "step/game_version.h"
#include "world/contact.h"

static_assert(ADDRESS_MAX_CHARS < SETUP_ADDRESS_SIZE, "the typed address must fit");

bool hostGame(NetSession& net, GameSetup& setup, WorldState& world,
              char addressText[NET_ADDRESS_TEXT_SIZE], char problem[NET_ENDING_TEXT_SIZE]) {
    if (!netHostStart(net, setup.port, GAME_VERSION, addressText, problem)) return false;
    setup.isServer = 1;
    spawnLocalPlayer(world, 0);
    return true;
}

void joinGame(NetSession& net, GameSetup& setup, WorldState& world, const char* typed) {
    const size_t length = strnlen(typed, ADDRESS_MAX_CHARS);
    std::memcpy(setup.address, typed, length);
    setup.address[length] = '\0';
    netJoinStart(net, setup.address, setup.port);
    setup.isServer    = 0;
    world.localPlayer = FREE_SLOT;
}

void answerGameSearches(NetSession& net) {
    netServeDiscovery(net, platformMilliseconds());
}
