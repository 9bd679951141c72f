// Resetting the world's tables and scalars.
#include "world/world_state.h"

void resetPlayerTable(PlayerTable& players) {
    for (Player& p : players.entry) {
        p.slot   = FREE_SLOT;
        p.health = FULL_HEALTH;
        p.killer = NO_KILLER;
        p.pos[0] = 1.0f;
        p.pos[1] = 0.0f;
        p.pos[2] = 0.0f;
        p.vel[0] = p.vel[1] = p.vel[2] = 0.0f;
        p.yaw                          = 0.0f;
        p.pitch                        = 0.0f;
        for (int32_t& life : p.rocketLife)
            life = 0;
    }
}

void resetWorld(WorldState& world) {
    world             = WorldState{};
    world.localPlayer = FREE_SLOT;
}
