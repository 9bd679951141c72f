// The fullest world the tables allow, with nothing touching anything, so that every
// proximity test runs over every planet and every ship.
#pragma once

#include "world/world_state.h"

// world filled so, this machine's ship in slot 0 with every key held and a click each step.
void setUpBusiestWorld(WorldState& world);

// Puts every rocket back in flight at its starting point; call at least every 100 frames.
void refuelBusiestWorld(WorldState& world);
