// The two datagrams that find games on the LAN: a joiner's query and a host's reply. The
// byte layout is in discovery_protocol.cpp; encoding and decoding touch nothing else.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int DISCOVERY_PORT                      = 2345; // UDP, whatever the game's TCP port
constexpr uint32_t DISCOVERY_PROTOCOL_VERSION     = 1;
constexpr std::size_t DISCOVERY_VERSION_SIZE      = 32; // the game's version text, with its NUL
constexpr std::size_t DISCOVERY_NAME_SIZE         = 64; // the host's name, with its NUL
constexpr std::size_t DISCOVERY_ARENA_SIZE        = 21; // the arena's name, with its NUL
constexpr std::size_t DISCOVERY_REPLY_SIZE        = 120;
constexpr std::size_t DISCOVERY_QUERY_SIZE        = DISCOVERY_REPLY_SIZE; // see the layout
constexpr std::size_t DISCOVERY_DATAGRAM_CAPACITY = 512; // read buffer; longer ones are cut
constexpr std::size_t DISCOVERY_REASON_SIZE       = 256; // holds any reason an opening gives

struct DiscoveryReply {
    uint32_t nonce;     // the query's, echoed
    uint32_t hostingId; // random for each hosting: one host seen on two addresses
    int tcpPort;
    int playersInUse;
    int playerCapacity;
    char version[DISCOVERY_VERSION_SIZE];
    char hostName[DISCOVERY_NAME_SIZE];
    char arena[DISCOVERY_ARENA_SIZE]; // "" when the host tells none
};

void encodeDiscoveryQuery(uint32_t nonce, uint8_t out[DISCOVERY_QUERY_SIZE]);
// False for a datagram shorter than a query, with another magic or protocol version.
bool decodeDiscoveryQuery(const uint8_t* in, std::size_t length, uint32_t& nonce);

// Texts longer than their field are cut.
void encodeDiscoveryReply(const DiscoveryReply& reply, uint8_t out[DISCOVERY_REPLY_SIZE]);
// False for a short datagram, another magic or protocol version, no players' room, more
// players than room, or TCP port 0. Texts come out ended, anything but printable ASCII as '?'.
bool decodeDiscoveryReply(const uint8_t* in, std::size_t length, DiscoveryReply& reply);
