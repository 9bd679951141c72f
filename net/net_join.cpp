// The joiner: connecting, waiting for its slot, reading the host's records every frame, and
// ending the game when the host refuses it or falls silent.
#include <cstdlib>

#include "app/platform.h"
#include "app/shutdown.h"
#include "net/net.h"
#include "net/net_join.h"
#include "net/net_session.h"
#include "world/contact.h"
#include "world/world_state.h"

uint32_t globalTimeout = 0;

namespace {
[[noreturn]] void endWithNetworkError(const char* text, int exitCode) {
    platformErrorBox(NETWORK_ERROR_TITLE, text);
    shutdownGame();
    std::exit(exitCode);
}

// Spins in the first frame until the host gives this machine a slot. Only whole records are
// judged; the part of one that has arrived waits for the rest.
void waitForWelcome() {
    uint32_t t0 = platformMilliseconds();
    while (localPlayer < 0) {
        uint8_t record[NET_RECORD_SIZE];
        bool got = socketReadRecord(netSocket, record);
        if (got) {
            NetMessage msg = decodeNetMessage(record);
            if (netMessageType(msg) != MSG_WELCOME)
                endWithNetworkError(SERVER_BUSY_TEXT, EXIT_SERVER_BUSY);
            spawnLocalPlayer(netMessageSlot(msg));
        }
        if (platformMilliseconds() - t0 > WELCOME_LIMIT_MS)
            endWithNetworkError(WELCOME_TIMEOUT_TEXT, EXIT_WELCOME_TIMEOUT);
        if (!got) platformSleep(WELCOME_POLL_SLEEP_MS);
    }
}
} // namespace

void netJoinStart(const char* addressText) {
    netShutdown();
    socketOpenNetwork();
    netSocket = socketConnect(addressText);
    netRole   = NetRole::JOINER;
}

void joinExchange() {
    if (localPlayer < 0) waitForWelcome();
    uint8_t record[NET_RECORD_SIZE];
    while (socketReadRecord(netSocket, record)) {
        globalTimeout = GLOBAL_TIMEOUT_REFILL;
        applyNetMessage(decodeNetMessage(record));
    }
}

void joinSend(const uint8_t record[NET_RECORD_SIZE]) {
    socketWriteRecord(netSocket, record);
}

void checkGlobalTimeout() {
    globalTimeout -= 1;
    if (globalTimeout < GLOBAL_TIMEOUT_BELOW)
        endWithNetworkError(GLOBAL_TIMEOUT_TEXT, EXIT_GLOBAL_TIMEOUT);
}
