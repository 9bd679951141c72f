// What the host's and the joiner's sides share: the one socket the game names and which end
// of the game this machine opened.
#pragma once

#include <cstdint>

#include "net/net_message.h"
#include "net/socket_layer.h"

enum class NetRole { NONE, HOST, JOINER };

extern NetSocket netSocket; // host: the listener; joiner: the connection to the host
extern NetRole netRole;

void hostExchange();
void hostSend(const uint8_t record[NET_RECORD_SIZE]);
void closeHostPeers();

void joinExchange();
void joinSend(const uint8_t record[NET_RECORD_SIZE]);
