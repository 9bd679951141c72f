// The input flags: written by the window procedure, read by the frame update.
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

extern ControlState controls;
