// The joiner: the host's address is looked up in the background, the connection and the
// welcome are awaited step by step, and every ending says what happened and what to do.
#include "net/net_join.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "net/join_address.h"
#include "net/name_lookup.h"
#include "net/record_rules.h"
#include "world/contact.h"
#include "world/world_state.h"

static_assert(JOIN_HOST_SIZE + sizeof ":65535" <= NET_ADDRESS_TEXT_SIZE, "host:port must fit");

namespace {
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

NetEnding addressEnding(const JoinState& join) {
    const char* typedText = join.typedText;
    switch (join.badAddress) {
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
NetEnding connectionEnding(const JoinState& join, int error) {
    const char* host = join.target.host;
    const int port   = join.target.port;
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

NetEnding lookUp(NetSession& session, uint32_t nowMs) {
    JoinState& join           = session.join;
    const JoinAddress& target = join.target;
    uint32_t ipv4             = 0;
    const LookupState got     = lookupState(join.lookup, &ipv4);
    if (got == LookupState::FOUND) {
        lookupForget(join.lookup);
        session.socket = socketConnectTo(ipv4, target.port);
        join.stage     = JoinStage::CONNECTING;
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
    if (nowMs - join.waitStart > NAME_LOOKUP_LIMIT_MS)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "The name service gave no answer for \"%s\" within 2 seconds: type the "
                      "host's address instead (for example 192.168.0.20).",
                      target.host);
    return NetEnding{};
}

// The host gives this machine a slot with its first record; any other record refuses it.
// Only whole records are judged; the part of one that has arrived waits for the rest. Steps
// go on meanwhile, with nothing to simulate until the slot is known.
NetEnding awaitWelcome(NetSession& session, WorldState& world, uint32_t nowMs) {
    JoinState& join           = session.join;
    const JoinAddress& target = join.target;
    uint8_t record[NET_RECORD_SIZE];
    if (socketReadRecord(session.socket, record)) {
        NetMessage msg = decodeNetMessage(record);
        if (netMessageType(msg) != MSG_WELCOME)
            return ending(EXIT_SERVER_BUSY, SERVER_BUSY_TEXT,
                          "The host at %s:%d already has seven other players: wait until "
                          "someone leaves, or host a game of your own.",
                          target.host, target.port);
        joinWelcomed(session, world, netMessageSlot(msg), nowMs);
    }
    // Judged after the welcome, so a welcome that comes too late still ends the wait.
    if (nowMs - join.waitStart > WELCOME_LIMIT_MS)
        return ending(EXIT_WELCOME_TIMEOUT, WELCOME_TIMEOUT_TEXT,
                      "No answer from %s:%d within 10 seconds: is the host running, and is TCP "
                      "port %d open in its firewall?",
                      target.host, target.port, target.port);
    const int error = socketEndError(session.socket);
    if (join.stage == JoinStage::CONNECTING && error >= 0) return connectionEnding(join, error);
    return NetEnding{};
}

NetEnding readHost(NetSession& session, WorldState& world, uint32_t nowMs) {
    const JoinAddress& target = session.join.target;
    uint8_t record[NET_RECORD_SIZE];
    while (socketReadRecord(session.socket, record)) {
        session.join.globalTimeout = GLOBAL_TIMEOUT_REFILL;
        const NetMessage msg       = decodeNetMessage(record);
        tellExchange(session.tap, ExchangeEvent::RECEIVED, netMessageSlot(msg), 0, &msg);
        applyNetMessage(world, session.assembly, msg, nowMs);
    }
    const int error = socketEndError(session.socket);
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

void joinOpen(NetSession& session, const char* typed, int defaultPort) {
    JoinState& join = session.join;
    socketOpenNetwork();
    session.role = NetRole::JOINER;
    std::snprintf(join.typedText, sizeof join.typedText, "%s", typed ? typed : "");
    join.badAddress = parseJoinAddress(typed, defaultPort, &join.target);
    if (join.badAddress != AddressProblem::NONE) {
        join.stage = JoinStage::BAD_ADDRESS;
    } else if (join.target.dotted) {
        session.socket = socketConnectTo(join.target.ipv4, join.target.port);
        join.stage     = JoinStage::CONNECTING;
    } else {
        lookupStart(join.lookup, join.target.host);
        join.stage = JoinStage::LOOKING_UP;
    }
}

NetEnding joinExchange(NetSession& session, WorldState& world, uint32_t nowMs) {
    JoinState& join = session.join;
    if (!join.waiting) {
        join.waiting   = true;
        join.waitStart = nowMs;
    }
    NetEnding e{};
    if (join.stage == JoinStage::BAD_ADDRESS) return addressEnding(join);
    if (join.stage == JoinStage::LOOKING_UP) e = lookUp(session, nowMs);
    if (e.exitCode == 0 && join.stage == JoinStage::CONNECTING)
        e = awaitWelcome(session, world, nowMs);
    if (e.exitCode == 0 && join.stage == JoinStage::PLAYING) e = readHost(session, world, nowMs);
    joinEndHostWorldWait(session, world, nowMs);
    return e;
}

void joinWelcomed(NetSession& session, WorldState& world, int32_t slot, uint32_t nowMs) {
    tellExchange(session.tap, ExchangeEvent::JOINED, slot, 0, nullptr);
    spawnLocalPlayer(world, slot);
    session.join.stage      = JoinStage::PLAYING;
    world.awaitingHostWorld = true;
    session.join.welcomedAt = nowMs;
}

void joinEndHostWorldWait(const NetSession& session, WorldState& world, uint32_t nowMs) {
    if (nowMs - session.join.welcomedAt > HOST_WORLD_WAIT_MS) world.awaitingHostWorld = false;
}

void joinSend(NetSession& session, const uint8_t record[NET_RECORD_SIZE]) {
    socketWriteRecord(session.socket, record);
}

NetEnding joinCheckSilence(NetSession& session) {
    const JoinState& join = session.join;
    session.join.globalTimeout -= 1;
    if (join.globalTimeout < GLOBAL_TIMEOUT_BELOW)
        return ending(EXIT_GLOBAL_TIMEOUT, GLOBAL_TIMEOUT_TEXT,
                      "Nothing came from the host at %s:%d for 7 seconds: it stopped, or the "
                      "network failed. Join again when it hosts.",
                      join.target.host, join.target.port);
    return NetEnding{};
}

void joinTarget(const NetSession& session, char text[NET_ADDRESS_TEXT_SIZE]) {
    const JoinState& join = session.join;
    if (join.stage == JoinStage::BAD_ADDRESS || join.stage == JoinStage::NONE)
        std::snprintf(text, NET_ADDRESS_TEXT_SIZE, "%s", join.typedText);
    else
        std::snprintf(text, NET_ADDRESS_TEXT_SIZE, "%s:%d", join.target.host, join.target.port);
}
