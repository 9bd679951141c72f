// What a player types to join: "a.b.c.d", a machine's name, either with ":port". Plain text
// rules, no network.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t JOIN_HOST_SIZE = 248; // the longest host text taken, with its end

enum class AddressProblem {
    NONE,
    EMPTY,      // nothing but blanks before the port
    INCOMPLETE, // digits and dots that do not make four numbers: "192.168.0."
    BAD_PORT,   // a port that is not a number from 1 to 65535, or a second colon
    TOO_LONG,
};

struct JoinAddress {
    char host[JOIN_HOST_SIZE]; // without surrounding blanks
    int port;                  // the one typed, else the default
    bool dotted;               // host is a complete dotted address, in ipv4
    uint32_t ipv4;             // host byte order
};

AddressProblem parseJoinAddress(const char* typed, int defaultPort, JoinAddress* out);
