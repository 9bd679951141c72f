// What the bot and the dedicated server do before their network starts: a fresh world on
// the game's own planets, no players, no peers.
#pragma once

#include "world/world_state.h"

constexpr int START_PROBLEM_SIZE = 256;

// Resets world, makes the data folder the working directory and loads its universe (its
// picture names too: a host's arena is matched against them), then empties the player table
// and the peer slots. False, with "cannot read universe.uni: WHY" in problem, when the
// universe cannot be read.
bool startWithoutWindow(WorldState& world, char problem[START_PROBLEM_SIZE]);
