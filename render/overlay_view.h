// What the overlay shows beyond the world's tables, as the main loop sees it this frame.
#pragma once

#include <cstdint>

#include "world/roster.h"

constexpr int NOTICE_TEXT_SIZE = 128; // one line of the overlay, with its end

struct OverlayView {
    uint32_t nowMs;                     // the frame's time, for lines that fade
    bool scoreboard;                    // Tab is held
    bool chatOpen;                      // T opened the chat line
    char chatText[CHAT_TEXT_CHARS + 1]; // what is typed in it
    float hitFlash;                     // 1 right after the local ship is hit, fading to 0
    float hitMark;                      // 1 right after a rocket of ours hit a ship, fading to 0
    char notice[NOTICE_TEXT_SIZE];      // a line at the foot ("Screenshot saved: ..."), or ""
};
