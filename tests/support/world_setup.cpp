// One-line world set-ups for tests.
#include "tests/support/world_setup.h"

#include <algorithm>

#include "net/chat_assembly.h"
#include "world/control_state.h"
#include "world/messages.h"
#include "world/roster.h"

void freshWorld() {
    resetWorld();
    resetPlayerTable();
    resetRoster();
    resetMessages();
    resetChatAssembly();
    controls = ControlState{};
}

Player& placeShip(int s, Vec3 pos, float yaw, float pitch) {
    Player& p = playerTable[s];
    p.slot    = s;
    p.health  = FULL_HEALTH;
    p.yaw     = yaw;
    p.pitch   = pitch;
    std::copy(pos.begin(), pos.end(), p.pos);
    return p;
}

Player& placeLocal(int s, Vec3 pos, float yaw, float pitch) {
    localPlayer = s;
    return placeShip(s, pos, yaw, pitch);
}

void placePlanet(Vec3 pos, float radius) {
    std::copy(pos.begin(), pos.end(), planets.pos[planetCount]);
    planets.radius[planetCount++] = radius;
}

void placeRocket(int s, int j, int32_t life, Vec3 pos, Vec3 vel) {
    playerTable[s].rocketLife[j] = life;
    std::copy(pos.begin(), pos.end(), playerTable[s].rocketPos[j]);
    std::copy(vel.begin(), vel.end(), playerTable[s].rocketVel[j]);
}
