// Plain loopback sockets that play the joiners in the network benchmarks.
#pragma once

#include <cstdint>

#include "net/net_message.h"

int connectPeer(); // to 127.0.0.1:2345, TCP_NODELAY; -1 on failure
bool readRecord(int fd, NetMessage& msg, int waitMs); // one whole record within the wait
void writeRecord(int fd, const NetMessage& msg);
void drainPeer(int fd); // discards whatever has arrived
