// Eight ships in a row, 160 rockets flying between them, 50 planets in a ring far away.
#include "bench/world/busiest_world.h"

#include "world/control_state.h"
#include "world/world_state.h"

void refuelBusiestWorld(WorldState& world) {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        Player& p = world.players[i];
        for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
            p.rocketLife[j]   = 300;
            p.rocketPos[j][0] = static_cast<float>(i) * 4.0f + 2.0f;
            p.rocketPos[j][1] = static_cast<float>(j) * 0.5f + 3.0f;
            p.rocketPos[j][2] = 0.0f;
            p.rocketVel[j][0] = 0.0f;
            p.rocketVel[j][1] = 0.0f;
            p.rocketVel[j][2] = 0.01f;
        }
    }
}

void setUpBusiestWorld(WorldState& world) {
    resetWorld(world);
    resetPlayerTable(world.players);
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        Player& p = world.players[i];
        p.slot    = i;
        p.pos[0]  = static_cast<float>(i) * 4.0f;
        p.yaw     = 30.0f;
        p.pitch   = 10.0f;
    }
    for (int k = 0; k < MAX_PLANETS; ++k) {
        world.planets.pos[k][0] = 200.0f + static_cast<float>(k) * 10.0f;
        world.planets.pos[k][1] = static_cast<float>(k % 7) * 10.0f;
        world.planets.pos[k][2] = -100.0f;
        world.planets.radius[k] = 4.0f;
    }
    world.planetCount = MAX_PLANETS;
    world.localPlayer = 0;
    refuelBusiestWorld(world);
    // Every key held and a click each frame: four ship moves, and a shot that finds no slot.
    world.input.controls = ControlState{1, 1, 1, 1, 0, 1};
}
