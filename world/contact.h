// The one proximity test, and placing the local ship at a free random point.
#pragma once

#include <cstdint>

struct WorldState;

constexpr float SHIP_RADIUS   = 0.37f;
constexpr float ROCKET_RADIUS = 0.1f;
constexpr int SPAWN_CUBE_MIN  = -30; // spawn coordinates are integers from -30 to 29
constexpr int SPAWN_CUBE_SIDE = 60;

// -1: touches a planet; i + 1: touches the live ship in slot i; 0: touches nothing.
int32_t findObstacle(const WorldState& world, float x, float y, float z, float r, int32_t skipSlot);
int32_t findObstacle(const WorldState& world, const float point[3], float r, int32_t skipSlot);

// Makes s the local player and places it alive at a free random point.
void spawnLocalPlayer(WorldState& world, int32_t s);
