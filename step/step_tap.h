// What a step tells as it runs, for a recording: the input as the simulation takes it and every
// record it sends to all. Nothing in the step depends on it.
#pragma once

#include "net/net_message.h"

struct WorldState;

struct StepTap {
    void (*inputTaken)(const WorldState& world, void* context);  // null: not told
    void (*recordSent)(const NetMessage& record, void* context); // null: not told
    void* context;
};
