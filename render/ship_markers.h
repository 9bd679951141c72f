// Finding the others: where each ship lies on the screen, seen from the local ship.
#pragma once

#include "world/world_state.h"

// Where a point lies for a viewer: on the screen (x right, y down, in window pixels) when it
// is in view; else only the direction to turn to face it (dx, dy, a unit vector on the
// screen). The projection is the game's: fovDegrees high, the window's shape.
struct ScreenSpot {
    bool inView;
    float x, y;
    float dx, dy;
};

ScreenSpot spotOnScreen(const Player& viewer, const float point[3], int width, int height,
                        float fovDegrees);

// Every other living ship in view gets its name and distance in its slot colour; every one
// out of view a small arrow in that colour at the edge of the screen, each where it is
// drawn at nowMs. Inside the overlay.
void drawShipMarkers(const WorldState& world, const Player& viewer, uint32_t nowMs);
