// Waiting for the next step: the time until it falls due belongs to the network, which
// relays what arrives meanwhile.
#pragma once

#include <cstdint>

struct NetSession;

// Waits until the millisecond clock reaches dueMs (unsigned 32-bit difference); returns at
// once when it has.
void waitUntilStep(NetSession& net, uint32_t dueMs);
