// The fullest world the tables allow, with nothing touching anything, so that every
// proximity test runs over every planet and every ship.
#pragma once

void setUpBusiestWorld();

// Puts every rocket back in flight at its starting point; call at least every 100 frames.
void refuelBusiestWorld();
