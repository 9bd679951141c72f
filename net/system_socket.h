// The few system calls under the socket and datagram layers and the name look-up, one
// implementation a system (net/posix/, net/winsock/); the tables, queues and records above
// them are the same everywhere.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/name_lookup.h"

// A system socket. It fits an int on both systems: Windows' handles are 32-bit significant.
using SystemSocket                      = int;
constexpr SystemSocket NO_SYSTEM_SOCKET = -1;

enum class SocketKind { STREAM, DATAGRAM };
enum class SocketOption {
    RESTART_LISTENING, // a restarted host listens at once on its old port
    SHARE_PORT,        // several programs on one machine bind the same datagram port
    BROADCAST,
    NO_DELAY, // records are tiny and wanted at once: never held back for an acknowledgement
};

// Errors are errno values on both systems (WinSock's own are translated), so callers compare
// them with ECONNREFUSED and the like.
int systemSocketError();          // why the last call on this thread failed
bool systemWouldBlock(int error); // nothing could be done now; try again later

// Non-blocking and never inherited by programs this one starts; NO_SYSTEM_SOCKET on failure.
SystemSocket systemSocketOpen(SocketKind kind);
void systemSocketSetOption(SystemSocket s, SocketOption option);
bool systemSocketBind(SystemSocket s, int port); // on every IPv4 interface
bool systemSocketListen(SystemSocket s);
SystemSocket systemSocketAccept(SystemSocket listener); // as systemSocketOpen makes them
// 0 when connected or still connecting; else the error.
int systemSocketConnect(SystemSocket s, uint32_t ipv4, int port);
// Bytes moved, or -1 with systemSocketError telling why; receiving 0 means the peer closed.
// A failed connect shows as an error of the first receive.
long systemSocketSend(SystemSocket s, const uint8_t* bytes, std::size_t length);
long systemSocketReceive(SystemSocket s, uint8_t* bytes, std::size_t capacity);
long systemSocketSendTo(SystemSocket s, uint32_t ipv4, int port, const uint8_t* bytes,
                        std::size_t length);
// A datagram longer than capacity is cut to it.
long systemSocketReceiveFrom(SystemSocket s, uint8_t* bytes, std::size_t capacity, uint32_t* ipv4,
                             int* port);
bool systemSocketPeer(SystemSocket s, uint32_t* ipv4, int* port);
void systemSocketShutdownWrite(SystemSocket s);
void systemSocketClose(SystemSocket s);
// Waits at most microseconds until one of the sockets is readable (or has failed); with none
// it simply sleeps. True when one is.
bool systemSocketsWait(const SystemSocket* sockets, int count, uint32_t microseconds);

// Addresses in host byte order.
struct SystemInterface {
    uint32_t address;
    uint32_t broadcast; // 0 when it has none
    bool up;
    bool loopback;
};
int systemInterfaces(SystemInterface* interfaces, int maxInterfaces);
bool systemHostName(char* name, std::size_t size);
// Waits for the name service: NOT_FOUND, FAILED, or FOUND with the first IPv4 address.
LookupState systemLookupIpv4(const char* host, uint32_t* ipv4);
