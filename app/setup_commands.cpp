// The set-up dialog's commands: choices into gameSetup, host or join.
#include "app/setup_commands.h"

#include <cstring>

#include "app/game_setup.h"
#include "world/contact.h"
#include "world/world_state.h"

static_assert(ADDRESS_MAX_CHARS + 6 <= NET_ADDRESS_TEXT_SIZE, "the join address must fit");

void storeSetupChoices(bool fullScreen, bool soundEnabled, int resolutionIndex) {
    gameSetup.fullScreen      = fullScreen ? 1 : 0;
    gameSetup.soundEnabled    = soundEnabled ? 1 : 0;
    gameSetup.resolutionIndex = resolutionIndex;
}

void hostGame(char addressText[NET_ADDRESS_TEXT_SIZE]) {
    netHostStart(addressText);
    gameSetup.isServer = 1;
    spawnLocalPlayer(0);
}

void joinAddress(const char* typed, char out[NET_ADDRESS_TEXT_SIZE]) {
    size_t length = strnlen(typed, ADDRESS_MAX_CHARS);
    std::memcpy(out, typed, length);
    std::strcpy(out + length, JOIN_PORT_SUFFIX);
}

void joinGame(const char* typed) {
    char address[NET_ADDRESS_TEXT_SIZE];
    joinAddress(typed, address);
    netJoinStart(address);
    gameSetup.isServer = 0;
    localPlayer        = FREE_SLOT;
}
