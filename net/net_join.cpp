// The joiner: connecting, waiting for its slot, reading the host's records every frame, and
// reporting when the host refuses it or falls silent.
#include "net/net_join.h"

#include <cstdio>

#include "net/net_session.h"
#include "world/contact.h"
#include "world/world_state.h"

uint32_t globalTimeout = 0;

namespace {
bool waiting       = false; // an exchange has begun the wait for the welcome
uint32_t waitStart = 0;

NetEnding ending(int exitCode, const char* text) {
    NetEnding e{};
    e.exitCode = exitCode;
    std::snprintf(e.text, sizeof e.text, "%s", text);
    return e;
}

// The host gives this machine a slot with its first record; any other record refuses it.
// Only whole records are judged; the part of one that has arrived waits for the rest. Frames
// go on meanwhile, with nothing to simulate until the slot is known.
NetEnding awaitWelcome(uint32_t nowMs) {
    if (!waiting) {
        waiting   = true;
        waitStart = nowMs;
    }
    uint8_t record[NET_RECORD_SIZE];
    if (socketReadRecord(netSocket, record)) {
        NetMessage msg = decodeNetMessage(record);
        if (netMessageType(msg) != MSG_WELCOME) return ending(EXIT_SERVER_BUSY, SERVER_BUSY_TEXT);
        spawnLocalPlayer(netMessageSlot(msg));
    }
    // Judged after the welcome, so a welcome that comes too late still ends the wait.
    if (nowMs - waitStart > WELCOME_LIMIT_MS)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT);
    return NetEnding{};
}
} // namespace

void joinOpen(const char* addressText) {
    socketOpenNetwork();
    netSocket = socketConnect(addressText);
    netRole   = NetRole::JOINER;
}

NetEnding joinExchange(uint32_t nowMs) {
    if (localPlayer < 0) {
        NetEnding e = awaitWelcome(nowMs);
        if (e.exitCode != 0 || localPlayer < 0) return e;
    }
    uint8_t record[NET_RECORD_SIZE];
    while (socketReadRecord(netSocket, record)) {
        globalTimeout = GLOBAL_TIMEOUT_REFILL;
        applyNetMessage(decodeNetMessage(record));
    }
    return NetEnding{};
}

void joinSend(const uint8_t record[NET_RECORD_SIZE]) {
    socketWriteRecord(netSocket, record);
}

NetEnding joinCheckSilence() {
    globalTimeout -= 1;
    if (globalTimeout < GLOBAL_TIMEOUT_BELOW)
        return ending(EXIT_GLOBAL_TIMEOUT, GLOBAL_TIMEOUT_TEXT);
    return NetEnding{};
}

void joinReset() {
    waiting = false;
}
