// The bar at the bottom of a demo's picture: the time played and the whole, where every kill
// fell, and what the player watching has chosen (paused, speed, whose view).
#pragma once

#include <cstdint>

constexpr int TIME_BAR_STATUS_SIZE = 64;

struct TimeBarView {
    uint32_t elapsedMs;
    uint32_t totalMs;
    const uint32_t* killMs; // when each kill fell, the caller's table of killCount entries
    int killCount;
    char status[TIME_BAR_STATUS_SIZE]; // shown beside the times, e.g. "PAUSED  x2  ALICE"
};

// The bar's box in drawable pixels (origin top left).
struct TimeBarPlace {
    float x, y, w, h;
};
TimeBarPlace timeBarPlace();

// "M:SS / M:SS" of whole seconds, elapsed first.
void timeBarClock(uint32_t elapsedMs, uint32_t totalMs, char text[TIME_BAR_STATUS_SIZE]);

// Inside the screen overlay.
void drawTimeBar(const TimeBarView& bar);
