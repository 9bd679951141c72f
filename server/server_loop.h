// The dedicated server's program: the shared step with no ship of its own, a heartbeat to
// every joiner each step, its bots beside it, an event line for whatever happens, until
// SIGTERM or SIGINT.
#pragma once

#include <cstdio>

#include "server/server_options.h"

constexpr int EXIT_SERVER_FAILED = 1; // the port cannot be had, or the signals cannot be caught

// Hosts on options.port until a stop signal; the event lines go to log (nullptr: none).
// Returns 0 after a stop, EXIT_SERVER_FAILED with what to do on standard error.
int runServer(const ServerOptions& options, FILE* log);
