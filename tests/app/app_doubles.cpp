// Recording stand-ins for the shutdown and the network starts.
#include "tests/app/app_doubles.h"

#include <cstring>

#include "app/main_loop.h"
#include "app/shutdown.h"
#include "net/net.h"
#include "world/control_state.h"
#include "app/game_setup.h"
#include "world/world_state.h"

AppCalls appCalls;

constexpr const char* HOST_ADDRESS_TEXT = "10.1.2.3:2345";

void resetAppTest() {
    appCalls = AppCalls{};
    resetWorld();
    resetPlayerTable();
    controls  = ControlState{};
    gameSetup = startSetup();
    clearQuitMessage();
}

void shutdownGame() {
    if (appCalls.shutdowns++ == 0) appCalls.quitBeforeShutdown = quitMessagePosted();
}

bool netHostStart(int, const char*, char addressText[NET_ADDRESS_TEXT_SIZE],
                  char[NET_ENDING_TEXT_SIZE]) {
    std::strcpy(addressText, HOST_ADDRESS_TEXT);
    appCalls.hostStarts.emplace_back(addressText);
    return true;
}

void netJoinStart(const char* typed, int) {
    appCalls.joinStarts.emplace_back(typed);
}
