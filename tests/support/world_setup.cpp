// One-line world set-ups for tests.
#include "tests/support/world_setup.h"

#include <algorithm>

void freshWorld() {
    resetWorld(gameWorld);
    resetPlayerTable(gameWorld.players);
    gameNet.assembly = RecordAssembly{};
}

Player& placeShip(int s, Vec3 pos, float yaw, float pitch) {
    Player& p = gameWorld.players[s];
    p.slot    = s;
    p.health  = FULL_HEALTH;
    p.yaw     = yaw;
    p.pitch   = pitch;
    std::copy(pos.begin(), pos.end(), p.pos);
    return p;
}

Player& placeLocal(int s, Vec3 pos, float yaw, float pitch) {
    gameWorld.localPlayer = s;
    return placeShip(s, pos, yaw, pitch);
}

void placePlanet(Vec3 pos, float radius) {
    Planets& planets = gameWorld.planets;
    std::copy(pos.begin(), pos.end(), planets.pos[gameWorld.planetCount]);
    planets.radius[gameWorld.planetCount++] = radius;
}

void placeRocket(int s, int j, int32_t life, Vec3 pos, Vec3 vel) {
    Player& p       = gameWorld.players[s];
    p.rocketLife[j] = life;
    std::copy(pos.begin(), pos.end(), p.rocketPos[j]);
    std::copy(vel.begin(), vel.end(), p.rocketVel[j]);
}
