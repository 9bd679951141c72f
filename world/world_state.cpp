// The world's process-wide tables and scalars.
#include "world/world_state.h"

#include <cstring>

PlayerTable playerTable;
Planets planets;

int32_t localPlayer       = FREE_SLOT;
int32_t localScore        = 0;
float spinAngle           = 0.0f;
float pulseAngle          = 0.0f;
int32_t planetCount       = 0;
int32_t planetTextureBase = 0;

void resetPlayerTable() {
    for (Player& p : playerTable.entry) {
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

void resetWorld() {
    std::memset(&playerTable, 0, sizeof playerTable);
    std::memset(&planets, 0, sizeof planets);
    localPlayer       = FREE_SLOT;
    localScore        = 0;
    spinAngle         = 0.0f;
    pulseAngle        = 0.0f;
    planetCount       = 0;
    planetTextureBase = 0;
}
