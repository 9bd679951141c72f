// The input flags: written by the window procedure (or a bot's brain), read by the step.
#pragma once

#include <cstdint>

struct ControlState {
    int32_t forward;     // Up arrow
    int32_t backward;    // Down arrow
    int32_t strafeLeft;  // Left arrow
    int32_t strafeRight; // Right arrow
    int32_t vertical;    // Ctrl: forward and backward climb and sink
    int32_t fire;        // left button; cleared when the shot is handled
};
