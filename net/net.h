// The host's and the joiner's network work, as the main loop calls it. Nothing here shows a
// box, exits or reads a clock: the caller passes the time and reports how a game ended.
#pragma once

#include <cstdint>

#include "net/net_message.h"

struct NetSession;
struct WorldState;

constexpr int NET_PORT              = 2345; // TCP, unless the host chooses another
constexpr int NET_ADDRESS_TEXT_SIZE = 256;
constexpr int NET_ENDING_TEXT_SIZE  = 512;

// How the network ended this machine's game: the process ends with exitCode after showing
// text (a first line, then what happened and what to do). exitCode 0: the game goes on.
struct NetEnding {
    int exitCode;
    char text[NET_ENDING_TEXT_SIZE];
};

// "Create Game": listens on the TCP port and answers discovery on UDP port 2345, telling
// the game's version; addressText gets "a.b.c.d:port". False, with what went wrong and what
// to do in problem, when a port cannot be had.
bool netHostStart(NetSession& session, int port, const char* version,
                  char addressText[NET_ADDRESS_TEXT_SIZE], char problem[NET_ENDING_TEXT_SIZE]);
// "Join Game": typed is "a.b.c.d" or a name, either with ":port" (defaultPort otherwise).
// Never waits: a name is looked up in the background, and whatever goes wrong comes back
// from the exchanges.
void netJoinStart(NetSession& session, const char* typed, int defaultPort);
// The host answers the discovery queries waiting now; every exchange and wait does too, this
// serves the time before the first step.
void netServeDiscovery(NetSession& session, uint32_t nowMs);
// "host:port" being joined
void netJoinTarget(const NetSession& session, char text[NET_ADDRESS_TEXT_SIZE]);
// Start of every step: the host answers discovery, accepts, reads, applies and relays; the
// joiner connects and waits for its slot (nowMs measures the waits), then applies what the
// host sent.
NetEnding netExchange(NetSession& session, WorldState& world, int32_t isServer, uint32_t nowMs);
void netSend(NetSession& session, const NetMessage& msg); // to the host, or to every peer
// The host's: to the peer in one slot only, and the slots welcomed since the last call (one
// bit a slot; always 0 on a joiner).
void netSendTo(NetSession& session, int32_t slot, const NetMessage& msg);
uint32_t netTakeWelcomedSlots(NetSession& session);
// The host's arena as discovery replies name it; "" for none.
void netTellArena(NetSession& session, const char* name);
NetEnding checkGlobalTimeout(NetSession& session); // joiner, once per step
// Frees in the world the slots of the peers the host has dropped since the last call; one bit
// a slot comes back for each.
uint32_t netFreeDroppedSlots(NetSession& session, WorldState& world);
// Waits at most microseconds for the peers: the host relays every whole record that arrives
// meanwhile at once and keeps it for its next exchange, and answers discovery; a joiner
// simply sleeps.
void netWait(NetSession& session, uint32_t nowMs, uint32_t microseconds);
// Closes every socket the session holds and makes it a fresh NetSession{}.
void netShutdown(NetSession& session);

// The dedicated server's own, after netHostStart: discovery tells name and counts no player
// of the host's own.
void netHostAsServer(NetSession& session, const char* name);
// "a.b.c.d:port" of the host's peer in slot i; false ("?") for a free slot.
bool netPeerAddress(const NetSession& session, int slot, char text[NET_ADDRESS_TEXT_SIZE]);
// Of the slots the host gave up since the last call, those whose peer closed its connection
// rather than falling silent; one bit a slot.
uint32_t netTakeLeftSlots(NetSession& session);
