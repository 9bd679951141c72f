// One-line world set-ups for tests.
#include "tests/support/portable/world_setup.h"

#include <algorithm>

void freshWorld(WorldState& world) {
    resetWorld(world);
    resetPlayerTable(world.players);
}

Player& placeShip(WorldState& world, int s, Vec3 pos, float yaw, float pitch) {
    Player& p = world.players[s];
    p.slot    = s;
    p.health  = FULL_HEALTH;
    p.yaw     = yaw;
    p.pitch   = pitch;
    std::copy(pos.begin(), pos.end(), p.pos);
    return p;
}

Player& placeLocal(WorldState& world, int s, Vec3 pos, float yaw, float pitch) {
    world.localPlayer = s;
    return placeShip(world, s, pos, yaw, pitch);
}

void placePlanet(WorldState& world, Vec3 pos, float radius) {
    Planets& planets = world.planets;
    std::copy(pos.begin(), pos.end(), planets.pos[world.planetCount]);
    planets.radius[world.planetCount++] = radius;
}

void placeRocket(WorldState& world, int s, int j, int32_t life, Vec3 pos, Vec3 vel) {
    Player& p       = world.players[s];
    p.rocketLife[j] = life;
    std::copy(pos.begin(), pos.end(), p.rocketPos[j]);
    std::copy(vel.begin(), vel.end(), p.rocketVel[j]);
}
