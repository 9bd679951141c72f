// The discovery datagrams: byte layout, encoding and decoding.
//
//   query (120 bytes or longer)           reply (120 bytes)
//   bytes   field                         bytes   field
//   0-7     magic "VORANISQ"              0-7     magic "VORANISR"
//   8-11    protocol version (1)          8-11    protocol version (1)
//   12-15   nonce                         12-15   nonce of the query answered
//   16-119  zero, ignored                 16-19   hosting id, random for each hosting
//                                         20-21   TCP port of the game
//                                         22      players in use
//                                         23      players' room (8)
//                                         24-55   game's version text, NUL-padded
//                                         56-98   host's name, NUL-padded
//                                         99-119  arena's name, NUL-padded
//
// Numbers travel least significant byte first. A query is padded to the length of a reply,
// and the host answers only queries at least that long, so a forged source address can
// never draw more bytes than it sends. Texts hold at most their field less one byte. The
// arena's name takes the end of what was all the host's name's field: older hosts leave it
// zero, and one whose name ran past byte 98 tells no arena.
#include "net/discovery_protocol.h"

#include <cstring>

namespace {
constexpr std::size_t MAGIC_SIZE   = 8;
constexpr uint8_t QUERY_MAGIC[]    = {'V', 'O', 'R', 'A', 'N', 'I', 'S', 'Q'};
constexpr uint8_t REPLY_MAGIC[]    = {'V', 'O', 'R', 'A', 'N', 'I', 'S', 'R'};
constexpr std::size_t AT_VERSION   = 8;
constexpr std::size_t AT_NONCE     = 12;
constexpr std::size_t AT_HOSTING   = 16;
constexpr std::size_t AT_PORT      = 20;
constexpr std::size_t AT_PLAYERS   = 22;
constexpr std::size_t AT_ROOM      = 23;
constexpr std::size_t AT_GAME_TEXT = 24;
constexpr std::size_t AT_HOST_NAME = AT_GAME_TEXT + DISCOVERY_VERSION_SIZE;
constexpr std::size_t AT_ARENA     = DISCOVERY_REPLY_SIZE - DISCOVERY_ARENA_SIZE;
constexpr std::size_t NAME_FIELD   = AT_ARENA - AT_HOST_NAME;
constexpr uint8_t FIRST_PRINTABLE  = 0x20;
constexpr uint8_t LAST_PRINTABLE   = 0x7E;
constexpr char UNPRINTABLE         = '?';
constexpr int LARGEST_BYTE         = 0xFF;
constexpr int LARGEST_PORT         = 0xFFFF;
static_assert(AT_HOST_NAME + DISCOVERY_NAME_SIZE == DISCOVERY_REPLY_SIZE);
static_assert(DISCOVERY_QUERY_SIZE >= DISCOVERY_REPLY_SIZE);

void putWord(uint8_t* at, uint32_t w) {
    for (int b = 0; b < 4; ++b)
        at[b] = static_cast<uint8_t>(w >> (8 * b));
}

uint32_t getWord(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

void putText(uint8_t* at, std::size_t field, const char* text) {
    std::memset(at, 0, field);
    std::size_t length = text ? strnlen(text, field - 1) : 0;
    std::memcpy(at, text, length);
}

void getText(const uint8_t* at, std::size_t field, char* text) {
    std::size_t i = 0;
    for (; i < field - 1 && at[i] != 0; ++i) {
        bool printable = at[i] >= FIRST_PRINTABLE && at[i] <= LAST_PRINTABLE;
        text[i]        = printable ? static_cast<char>(at[i]) : UNPRINTABLE;
    }
    text[i] = '\0';
}

uint8_t clampByte(int v) {
    return static_cast<uint8_t>(v < 0 ? 0 : v > LARGEST_BYTE ? LARGEST_BYTE : v);
}

bool hasHead(const uint8_t* in, std::size_t length, std::size_t least, const uint8_t* magic) {
    return in && length >= least && std::memcmp(in, magic, MAGIC_SIZE) == 0 &&
           getWord(in + AT_VERSION) == DISCOVERY_PROTOCOL_VERSION;
}

void putHead(uint8_t* out, const uint8_t* magic, uint32_t nonce) {
    std::memcpy(out, magic, MAGIC_SIZE);
    putWord(out + AT_VERSION, DISCOVERY_PROTOCOL_VERSION);
    putWord(out + AT_NONCE, nonce);
}
} // namespace

void encodeDiscoveryQuery(uint32_t nonce, uint8_t out[DISCOVERY_QUERY_SIZE]) {
    std::memset(out, 0, DISCOVERY_QUERY_SIZE);
    putHead(out, QUERY_MAGIC, nonce);
}

bool decodeDiscoveryQuery(const uint8_t* in, std::size_t length, uint32_t& nonce) {
    if (!hasHead(in, length, DISCOVERY_QUERY_SIZE, QUERY_MAGIC)) return false;
    nonce = getWord(in + AT_NONCE);
    return true;
}

void encodeDiscoveryReply(const DiscoveryReply& reply, uint8_t out[DISCOVERY_REPLY_SIZE]) {
    putHead(out, REPLY_MAGIC, reply.nonce);
    putWord(out + AT_HOSTING, reply.hostingId);
    int port         = reply.tcpPort < 0 || reply.tcpPort > LARGEST_PORT ? 0 : reply.tcpPort;
    out[AT_PORT]     = static_cast<uint8_t>(port);
    out[AT_PORT + 1] = static_cast<uint8_t>(port >> 8);
    out[AT_PLAYERS]  = clampByte(reply.playersInUse);
    out[AT_ROOM]     = clampByte(reply.playerCapacity);
    putText(out + AT_GAME_TEXT, DISCOVERY_VERSION_SIZE, reply.version);
    putText(out + AT_HOST_NAME, NAME_FIELD, reply.hostName);
    putText(out + AT_ARENA, DISCOVERY_ARENA_SIZE, reply.arena);
}

bool decodeDiscoveryReply(const uint8_t* in, std::size_t length, DiscoveryReply& reply) {
    if (!hasHead(in, length, DISCOVERY_REPLY_SIZE, REPLY_MAGIC)) return false;
    int port = in[AT_PORT] | in[AT_PORT + 1] << 8;
    int room = in[AT_ROOM];
    if (port == 0 || room == 0 || in[AT_PLAYERS] > room) return false;
    reply.nonce          = getWord(in + AT_NONCE);
    reply.hostingId      = getWord(in + AT_HOSTING);
    reply.tcpPort        = port;
    reply.playersInUse   = in[AT_PLAYERS];
    reply.playerCapacity = room;
    getText(in + AT_GAME_TEXT, DISCOVERY_VERSION_SIZE, reply.version);
    getText(in + AT_HOST_NAME, DISCOVERY_NAME_SIZE, reply.hostName);
    reply.arena[0] = '\0';
    if (in[AT_ARENA - 1] == 0) getText(in + AT_ARENA, DISCOVERY_ARENA_SIZE, reply.arena);
    return true;
}
