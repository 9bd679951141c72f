// Waiting for the next step: the time until it falls due belongs to the network, which
// relays what arrives meanwhile.
#pragma once

#include <cstdint>

struct NetSession;
struct StepSetup;

// The step clock in milliseconds: setup's clock, or the platform's.
uint32_t stepClockMs(const StepSetup& setup);

// Waits until the millisecond clock reaches dueMs (unsigned 32-bit difference); returns at
// once when it has. The clock and the wait are setup's when it has them.
void waitUntilStep(NetSession& net, const StepSetup& setup, uint32_t dueMs);
