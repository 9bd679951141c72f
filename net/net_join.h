// The joiner's side: finding and connecting to the host, waiting for its slot, reading the
// host's records every step, and every way the host or the network can end this game.
#pragma once

#include <cstdint>

#include "net/net.h"
#include "net/net_session.h"

constexpr uint32_t WELCOME_LIMIT_MS      = 10000; // from the start of the first exchange
constexpr uint32_t NAME_LOOKUP_LIMIT_MS  = 2000;  // the longest a name may take to be found
constexpr uint32_t GLOBAL_TIMEOUT_REFILL = 500;   // after each whole record
constexpr uint32_t GLOBAL_TIMEOUT_BELOW  = 10;    // the check fires below this

constexpr int EXIT_SERVER_BUSY     = 1;
constexpr int EXIT_WELCOME_TIMEOUT = 3;
constexpr int EXIT_GLOBAL_TIMEOUT  = 4;

constexpr const char* SERVER_BUSY_TEXT     = "SERVER IS BUSSY !";
constexpr const char* WELCOME_TIMEOUT_TEXT = "TIMEOUT ERROR !";
constexpr const char* GLOBAL_TIMEOUT_TEXT  = "GLOBAL TIMEOUT. CONNECTION WITH THE SERVER IS LOST.";

void joinOpen(NetSession& session, const char* typed, int defaultPort);
NetEnding joinExchange(NetSession& session, WorldState& world, uint32_t nowMs);
void joinSend(NetSession& session, const uint8_t record[NET_RECORD_SIZE]);
NetEnding joinCheckSilence(NetSession& session);
// The host's welcome gave this machine slot: its ship appears, and the host's arena may follow.
void joinWelcomed(NetSession& session, WorldState& world, int32_t slot, uint32_t nowMs);
// Every exchange: past the wait after the welcome the world is drawn whether or not the
// host's arena came.
void joinEndHostWorldWait(const NetSession& session, WorldState& world, uint32_t nowMs);
// "host:port" as typed and completed
void joinTarget(const NetSession& session, char text[NET_ADDRESS_TEXT_SIZE]);
