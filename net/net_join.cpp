// The joiner: the host's address is looked up in the background, the connection and the
// welcome are awaited frame by frame, and every ending says what happened and what to do.
#include "net/net_join.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "net/join_address.h"
#include "net/name_lookup.h"
#include "net/net_session.h"
#include "net/record_rules.h"
#include "world/contact.h"
#include "world/world_state.h"

static_assert(JOIN_HOST_SIZE + sizeof ":65535" <= NET_ADDRESS_TEXT_SIZE, "host:port must fit");

uint32_t globalTimeout = 0;

namespace {
enum class JoinStage { NONE, BAD_ADDRESS, LOOKING_UP, CONNECTING, PLAYING };

JoinStage stage           = JoinStage::NONE;
AddressProblem badAddress = AddressProblem::NONE;
JoinAddress target        = {};
char typedText[NET_ADDRESS_TEXT_SIZE];
bool waiting        = false; // an exchange has begun the wait for the welcome
uint32_t waitStart  = 0;
uint32_t welcomedAt = 0;
// A host sends its arena and match record right after the welcome; one that sends neither
// (an older game) is drawn in this machine's own planets after this long.
constexpr uint32_t HOST_WORLD_WAIT_MS = 500;

// The Part's first line, then what happened and what to do.
NetEnding ending(int exitCode, const char* firstLine, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

NetEnding ending(int exitCode, const char* firstLine, const char* format, ...) {
    NetEnding e{};
    e.exitCode = exitCode;
    char reason[NET_ENDING_TEXT_SIZE - 64]; // the first line is short
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(reason, sizeof reason, format, arguments);
    va_end(arguments);
    std::snprintf(e.text, sizeof e.text, "%s\n%s", firstLine, reason);
    return e;
}

NetEnding addressEnding() {
    switch (badAddress) {
    case AddressProblem::EMPTY:
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "No address was given: type the host's address (for example "
                      "192.168.0.20), or pick a game from the list.");
    case AddressProblem::INCOMPLETE:
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "The address \"%s\" is incomplete: type all four numbers, for example "
                      "192.168.0.20.",
                      typedText);
    case AddressProblem::BAD_PORT:
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "The port in \"%s\" is not a number from 1 to 65535: type the address "
                      "alone, or with the host's port, for example 192.168.0.20:2345.",
                      typedText);
    default:
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "The address \"%.60s...\" is too long: type the host's address.", typedText);
    }
}

// The connection ended before the welcome: refused, unreachable or closed.
NetEnding connectionEnding(int error) {
    const char* host = target.host;
    const int port   = target.port;
    if (error == 0)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "The host at %s:%d closed the connection before giving this machine a "
                      "place in the game: try again, or ask the host whether it still plays.",
                      host, port);
    if (error == ECONNREFUSED)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "%s refused the connection on TCP port %d: nothing hosts a game there. "
                      "Check the address, and that the host has pressed OK.",
                      host, port);
    if (error == ENETUNREACH || error == EHOSTUNREACH)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "%s cannot be reached from this machine (%s): check the address and that "
                      "both machines are on the same network.",
                      host, std::strerror(error));
    return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                  "The connection to %s:%d failed (%s): check the address and the network.", host,
                  port, std::strerror(error));
}

NetEnding lookUp(uint32_t nowMs) {
    uint32_t ipv4         = 0;
    const LookupState got = lookupState(&ipv4);
    if (got == LookupState::FOUND) {
        lookupForget();
        netSocket = socketConnectTo(ipv4, target.port);
        stage     = JoinStage::CONNECTING;
        return NetEnding{};
    }
    if (got == LookupState::NOT_FOUND)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "The name \"%s\" could not be found: type the host's address (for "
                      "example 192.168.0.20), or pick a game from the list.",
                      target.host);
    if (got != LookupState::RUNNING)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "The name \"%s\" could not be looked up: this machine's name service "
                      "failed. Type the host's address instead (for example 192.168.0.20).",
                      target.host);
    if (nowMs - waitStart > NAME_LOOKUP_LIMIT_MS)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "The name service gave no answer for \"%s\" within 2 seconds: type the "
                      "host's address instead (for example 192.168.0.20).",
                      target.host);
    return NetEnding{};
}

// The host gives this machine a slot with its first record; any other record refuses it.
// Only whole records are judged; the part of one that has arrived waits for the rest. Frames
// go on meanwhile, with nothing to simulate until the slot is known.
NetEnding awaitWelcome(WorldState& world, uint32_t nowMs) {
    uint8_t record[NET_RECORD_SIZE];
    if (socketReadRecord(netSocket, record)) {
        NetMessage msg = decodeNetMessage(record);
        if (netMessageType(msg) != MSG_WELCOME)
            return ending(EXIT_SERVER_BUSY, SERVER_BUSY_TEXT,
                          "The host at %s:%d already has seven other players: wait until "
                          "someone leaves, or host a game of your own.",
                          target.host, target.port);
        spawnLocalPlayer(world, netMessageSlot(msg));
        stage                   = JoinStage::PLAYING;
        world.awaitingHostWorld = true;
        welcomedAt              = nowMs;
    }
    // Judged after the welcome, so a welcome that comes too late still ends the wait.
    if (nowMs - waitStart > WELCOME_LIMIT_MS)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "No answer from %s:%d within 10 seconds: is the host running, and is TCP "
                      "port %d open in its firewall?",
                      target.host, target.port, target.port);
    const int error = socketEndError(netSocket);
    if (stage == JoinStage::CONNECTING && error >= 0) return connectionEnding(error);
    return NetEnding{};
}

NetEnding readHost(WorldState& world, uint32_t nowMs) {
    uint8_t record[NET_RECORD_SIZE];
    while (socketReadRecord(netSocket, record)) {
        globalTimeout = GLOBAL_TIMEOUT_REFILL;
        applyNetMessage(world, decodeNetMessage(record), nowMs);
    }
    const int error = socketEndError(netSocket);
    if (error == 0)
        return ending(EXIT_GLOBAL_TIMEOUT, GLOBAL_TIMEOUT_TEXT,
                      "The host at %s:%d closed the connection: it quit, or dropped this "
                      "machine. Join again when it hosts.",
                      target.host, target.port);
    if (error > 0)
        return ending(EXIT_GLOBAL_TIMEOUT, GLOBAL_TIMEOUT_TEXT,
                      "The connection to the host at %s:%d broke (%s): join again.", target.host,
                      target.port, std::strerror(error));
    return NetEnding{};
}
} // namespace

void joinOpen(const char* typed, int defaultPort) {
    socketOpenNetwork();
    netRole = NetRole::JOINER;
    std::snprintf(typedText, sizeof typedText, "%s", typed ? typed : "");
    badAddress = parseJoinAddress(typed, defaultPort, &target);
    if (badAddress != AddressProblem::NONE) {
        stage = JoinStage::BAD_ADDRESS;
    } else if (target.dotted) {
        netSocket = socketConnectTo(target.ipv4, target.port);
        stage     = JoinStage::CONNECTING;
    } else {
        lookupStart(target.host);
        stage = JoinStage::LOOKING_UP;
    }
}

NetEnding joinExchange(WorldState& world, uint32_t nowMs) {
    if (!waiting) {
        waiting   = true;
        waitStart = nowMs;
    }
    NetEnding e{};
    if (stage == JoinStage::BAD_ADDRESS) return addressEnding();
    if (stage == JoinStage::LOOKING_UP) e = lookUp(nowMs);
    if (e.exitCode == 0 && stage == JoinStage::CONNECTING) e = awaitWelcome(world, nowMs);
    if (e.exitCode == 0 && stage == JoinStage::PLAYING) e = readHost(world, nowMs);
    if (nowMs - welcomedAt > HOST_WORLD_WAIT_MS) world.awaitingHostWorld = false;
    return e;
}

void joinSend(const uint8_t record[NET_RECORD_SIZE]) {
    socketWriteRecord(netSocket, record);
}

NetEnding joinCheckSilence() {
    globalTimeout -= 1;
    if (globalTimeout < GLOBAL_TIMEOUT_BELOW)
        return ending(EXIT_GLOBAL_TIMEOUT, GLOBAL_TIMEOUT_TEXT,
                      "Nothing came from the host at %s:%d for 7 seconds: it stopped, or the "
                      "network failed. Join again when it hosts.",
                      target.host, target.port);
    return NetEnding{};
}

void joinTarget(char text[NET_ADDRESS_TEXT_SIZE]) {
    if (stage == JoinStage::BAD_ADDRESS || stage == JoinStage::NONE)
        std::snprintf(text, NET_ADDRESS_TEXT_SIZE, "%s", typedText);
    else
        std::snprintf(text, NET_ADDRESS_TEXT_SIZE, "%s:%d", target.host, target.port);
}

void joinReset() {
    lookupForget();
    stage   = JoinStage::NONE;
    waiting = false;
}
