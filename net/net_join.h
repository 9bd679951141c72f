// The joiner's limits and its three fatal errors.
#pragma once

#include <cstdint>

constexpr uint32_t WELCOME_LIMIT_MS      = 10000; // from the start of the first exchange
constexpr uint32_t GLOBAL_TIMEOUT_REFILL = 500;   // after each whole record
constexpr uint32_t GLOBAL_TIMEOUT_BELOW  = 10;    // the check fires below this
constexpr uint32_t WELCOME_POLL_SLEEP_MS = 1;

constexpr int EXIT_SERVER_BUSY     = 1;
constexpr int EXIT_WELCOME_TIMEOUT = 3;
constexpr int EXIT_GLOBAL_TIMEOUT  = 4;

constexpr const char* NETWORK_ERROR_TITLE  = "NETWORK ERROR";
constexpr const char* SERVER_BUSY_TEXT     = "SERVER IS BUSSY !";
constexpr const char* WELCOME_TIMEOUT_TEXT = "TIMEOUT ERROR !";
constexpr const char* GLOBAL_TIMEOUT_TEXT  = "GLOBAL TIMEOUT. CONNECTION WITH THE SERVER IS LOST.";

// Frames left before the host counts as silent; 0 at start-up, wraps below 0 on purpose.
extern uint32_t globalTimeout;
