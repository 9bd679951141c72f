// The only place that touches sockets: TCP over IPv4, nothing ever waits, and traffic moves
// in whole 40-byte records. A connection that breaks simply stops delivering records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/net_message.h"

using NetSocket                          = int;       // handle into the layer's own table
constexpr NetSocket NO_SOCKET            = -1;        // every call on it does nothing
constexpr int SOCKET_TABLE_SIZE          = 16;        // listener, 7 peers and room to refuse
constexpr std::size_t SOCKET_QUEUE_BYTES = 64 * 1024; // per connection, unsent bytes held back

void socketOpenNetwork();
// Listens on every IPv4 interface; address reuse is on, so a restarted host listens at once.
// NO_SOCKET with the errno in error when the port cannot be had.
NetSocket socketListen(int port, int* error);
// A waiting connection, or NO_SOCKET when nobody waits (or the table is full).
NetSocket socketAccept(NetSocket listener);
// Starts connecting to the address (host byte order) and port; never waits. A connection
// that fails, at once or later, stops delivering records and socketEndError says why.
NetSocket socketConnectTo(uint32_t ipv4, int port);
// -1 while the connection may still deliver; 0 once the peer has closed it in order; else the
// errno that ended it (ECONNREFUSED, ENETUNREACH, ...).
int socketEndError(NetSocket s);

// True when a whole record was read. A read that yields part of one keeps those bytes for
// the next call and returns false, so the stream stays aligned on records.
bool socketReadRecord(NetSocket s, uint8_t record[NET_RECORD_SIZE]);
// Sends what is queued first, then the record; what the system does not take now waits in
// the queue. A record that does not fit whole in the queue is dropped.
void socketWriteRecord(NetSocket s, const uint8_t record[NET_RECORD_SIZE]);
std::size_t socketQueuedBytes(NetSocket s);

// Waits at most microseconds until one of the connections has bytes to read (or has ended),
// never for a listener or a connection already known to have ended, or until one of the other
// descriptors (datagram sockets; -1 is passed over) is readable; with nothing to watch it
// simply sleeps. True when something is ready.
bool socketWait(const NetSocket* sockets, int count, const int* descriptors, int descriptorCount,
                uint32_t microseconds);

// This machine's first non-loopback IPv4 address (127.0.0.1 without one), ":", the port.
void socketLocalAddressText(int port, char* text, std::size_t size);

// "a.b.c.d:port" of the other end of a connection; false (text "?") when it has none.
bool socketPeerAddressText(NetSocket s, char* text, std::size_t size);

void socketClose(NetSocket s); // a last try at the queue, then closed
void socketCloseAll();         // every socket; harmless when nothing is open
