// The host's and the joiner's network work, as the rest of the game calls it.
#pragma once

#include <cstdint>

#include "net/net_message.h"

constexpr int NET_PORT              = 2345;
constexpr int NET_ADDRESS_TEXT_SIZE = 256;

void resetConnSlots();
void netHostStart(char addressText[NET_ADDRESS_TEXT_SIZE]); // writes "a.b.c.d:2345"
void netJoinStart(const char* addressText);                 // "host:2345"
void netExchange(int32_t isServer);                         // start of every frame
void netSend(const NetMessage& msg);                        // to the host, or to every peer
void checkGlobalTimeout();                                  // joiner, once per frame
void netShutdown();                                         // closes every socket
