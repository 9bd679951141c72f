// The world set up in one line each: a clean world, ships, planets, rockets.
#pragma once

#include <array>
#include <cstdint>

#include "world/world_state.h"

using Vec3 = std::array<float, 3>;

// world as in a fresh process, every entry free, nobody named, no lines shown, no input held.
void freshWorld(WorldState& world);
// Slot s in use, alive at full health, at pos, looking along yaw and pitch.
Player& placeShip(WorldState& world, int s, Vec3 pos, float yaw = 0.0f, float pitch = 0.0f);
// The same, and this machine's player.
Player& placeLocal(WorldState& world, int s, Vec3 pos, float yaw = 0.0f, float pitch = 0.0f);
void placePlanet(WorldState& world, Vec3 pos, float radius);
void placeRocket(WorldState& world, int s, int j, int32_t life, Vec3 pos,
                 Vec3 vel = {0.0f, 0.0f, 0.0f});
