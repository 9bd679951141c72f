// The host's and the joiner's network work, as the main loop calls it. Nothing here shows a
// box, exits or reads a clock: the caller passes the time and reports how a game ended.
#pragma once

#include <cstdint>

#include "net/net_message.h"

constexpr int NET_PORT              = 2345;
constexpr int NET_ADDRESS_TEXT_SIZE = 256;
constexpr int NET_ENDING_TEXT_SIZE  = 512;

// How the network ended this machine's game: the process ends with exitCode after showing
// text. exitCode 0 means the game goes on.
struct NetEnding {
    int exitCode;
    char text[NET_ENDING_TEXT_SIZE];
};

void resetConnSlots();
void netHostStart(char addressText[NET_ADDRESS_TEXT_SIZE]); // writes "a.b.c.d:2345"
void netJoinStart(const char* addressText);                 // "host:2345"
// Start of every frame: the host accepts, reads, applies and relays; the joiner waits for
// its slot (nowMs measures the wait) and then applies what the host sent.
NetEnding netExchange(int32_t isServer, uint32_t nowMs);
void netSend(const NetMessage& msg); // to the host, or to every peer
NetEnding checkGlobalTimeout();      // joiner, once per frame
// Waits at most milliseconds for the peers: the host relays every whole record that arrives
// meanwhile at once and keeps it for its next exchange; a joiner simply sleeps.
void netWait(uint32_t milliseconds);
void netShutdown(); // closes every socket
