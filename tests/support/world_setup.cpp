// One-line world set-ups for tests.
#include "tests/support/world_setup.h"

#include "world/control_state.h"

void freshWorld() {
    resetWorld();
    resetPlayerTable();
    controls = ControlState{};
}

Player& placeShip(int s, Vec3 pos, float yaw, float pitch) {
    Player& p = playerTable[s];
    p.slot    = s;
    p.health  = FULL_HEALTH;
    for (int a = 0; a < 3; ++a)
        p.pos[a] = pos[a];
    p.yaw   = yaw;
    p.pitch = pitch;
    return p;
}

Player& placeLocal(int s, Vec3 pos, float yaw, float pitch) {
    localPlayer = s;
    return placeShip(s, pos, yaw, pitch);
}

void placePlanet(Vec3 pos, float radius) {
    for (int a = 0; a < 3; ++a)
        planets.pos[planetCount][a] = pos[a];
    planets.radius[planetCount++] = radius;
}

void placeRocket(int s, int j, int32_t life, Vec3 pos, Vec3 vel) {
    Player& p       = playerTable[s];
    p.rocketLife[j] = life;
    for (int a = 0; a < 3; ++a) {
        p.rocketPos[j][a] = pos[a];
        p.rocketVel[j][a] = vel[a];
    }
}
