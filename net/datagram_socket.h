// UDP over IPv4 for finding games on the LAN: non-blocking datagrams, broadcast, the
// broadcast address of each interface and this machine's name. Nothing here ever waits.
#pragma once

#include <cstddef>
#include <cstdint>

using DatagramSocket                    = int;         // handle into the layer's own table
constexpr DatagramSocket NO_DATAGRAM    = -1;          // every call on it does nothing
constexpr int DATAGRAM_TABLE_SIZE       = 4;           // a host's responder, a joiner's browser
constexpr int BROADCAST_ADDRESSES_MAX   = 16;          // interfaces looked at
constexpr std::size_t ADDRESS_TEXT_SIZE = 22;          // "255.255.255.255:65535"
constexpr std::size_t REASON_SIZE       = 128;         // enough for any failure this layer tells
constexpr uint32_t LIMITED_BROADCAST    = 0xFFFFFFFFu; // 255.255.255.255
constexpr uint32_t LOOPBACK_ADDRESS     = 0x7F000001u; // 127.0.0.1
constexpr uint32_t LOOPBACK_BROADCAST   = 0x7FFFFFFFu; // 127.255.255.255

struct DatagramAddress {
    uint32_t ip; // host byte order
    int port;
};

// Bound to every interface on the port (0: any free one), broadcast allowed. Address reuse
// lets several games on one machine share the port: each of them gets every broadcast,
// while a datagram sent to one address reaches only one. On failure NO_DATAGRAM, with what
// went wrong written to reason.
DatagramSocket datagramOpen(int port, char* reason, std::size_t reasonSize);
// False when the system did not take the datagram (no route, buffer full).
bool datagramSend(DatagramSocket s, DatagramAddress to, const uint8_t* bytes, std::size_t length);
// The next waiting datagram: bytes copied (a longer one is cut to capacity), or -1 when
// none waits.
int datagramReceive(DatagramSocket s, uint8_t* bytes, std::size_t capacity, DatagramAddress& from);
// The descriptor of an open socket, for a caller that waits in poll(); -1 otherwise.
int datagramDescriptor(DatagramSocket s);
void datagramClose(DatagramSocket s);

// Broadcast addresses of the IPv4 interfaces that are up and have one, each once.
int datagramBroadcastAddresses(uint32_t addresses[BROADCAST_ADDRESSES_MAX]);
void datagramHostName(char* name, std::size_t size);
void datagramAddressText(DatagramAddress address, char* text, std::size_t size); // "a.b.c.d:port"
