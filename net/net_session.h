// What the host's and the joiner's sides share: the socket the game names and which end of
// the game this machine opened.
#pragma once

#include "net/socket_layer.h"

enum class NetRole { NONE, HOST, JOINER };

extern NetSocket netSocket; // host: the listener; joiner: the connection to the host
extern NetRole netRole;
