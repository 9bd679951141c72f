// findObstacle, the one proximity test, and spawnLocalPlayer.
#include "world/contact.h"

#include "world/random.h"
#include "world/vector.h"
#include "world/world_state.h"

namespace {
// Random draws before the spawn search falls back to scanning the cube's integer points,
// so a universe that covers the cube cannot hang start-up.
constexpr int SPAWN_RANDOM_TRIES = 1000;
constexpr int SPAWN_CUBE_POINTS  = SPAWN_CUBE_SIDE * SPAWN_CUBE_SIDE * SPAWN_CUBE_SIDE;

float spawnCoordinate() {
    return static_cast<float>(gameRand() % SPAWN_CUBE_SIDE + SPAWN_CUBE_MIN);
}

void placeAtCubePoint(Player& p, int index) {
    p.pos[0] = static_cast<float>(index / (SPAWN_CUBE_SIDE * SPAWN_CUBE_SIDE) + SPAWN_CUBE_MIN);
    p.pos[1] = static_cast<float>(index / SPAWN_CUBE_SIDE % SPAWN_CUBE_SIDE + SPAWN_CUBE_MIN);
    p.pos[2] = static_cast<float>(index % SPAWN_CUBE_SIDE + SPAWN_CUBE_MIN);
}

int cubePointIndex(const float pos[3]) {
    int x = static_cast<int>(pos[0]) - SPAWN_CUBE_MIN;
    int y = static_cast<int>(pos[1]) - SPAWN_CUBE_MIN;
    int z = static_cast<int>(pos[2]) - SPAWN_CUBE_MIN;
    return (x * SPAWN_CUBE_SIDE + y) * SPAWN_CUBE_SIDE + z;
}

// Draws random points until one is free; after SPAWN_RANDOM_TRIES it scans the cube from
// the last draw onward for a free point, and keeps the last draw when none is free.
void placeAtFreePoint(const WorldState& world, Player& p, int32_t s) {
    for (int attempt = 0; attempt < SPAWN_RANDOM_TRIES; ++attempt) {
        p.pos[0] = spawnCoordinate();
        p.pos[1] = spawnCoordinate();
        p.pos[2] = spawnCoordinate();
        if (findObstacle(world, p.pos, SHIP_RADIUS, s) == 0) return;
    }
    const float lastDraw[3] = {p.pos[0], p.pos[1], p.pos[2]};
    const int start         = cubePointIndex(lastDraw);
    for (int n = 0; n < SPAWN_CUBE_POINTS; ++n) {
        placeAtCubePoint(p, (start + n) % SPAWN_CUBE_POINTS);
        if (findObstacle(world, p.pos, SHIP_RADIUS, s) == 0) return;
    }
    for (int a = 0; a < 3; ++a)
        p.pos[a] = lastDraw[a];
}
} // namespace

int32_t findObstacle(const WorldState& world, float x, float y, float z, float r,
                     int32_t skipSlot) {
    const int count   = world.planetCount < MAX_PLANETS ? world.planetCount : MAX_PLANETS;
    const float at[3] = {x, y, z};
    for (int k = 0; k < count; ++k) {
        if (distance(at, world.planets.pos[k]) <= world.planets.radius[k] + r) return -1;
    }
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        const Player& p = world.players[i];
        if (i == skipSlot || p.health <= 0 || p.slot < 0) continue;
        if (distance(at, p.pos) <= r + SHIP_RADIUS) return i + 1;
    }
    return 0;
}

int32_t findObstacle(const WorldState& world, const float point[3], float r, int32_t skipSlot) {
    return findObstacle(world, point[0], point[1], point[2], r, skipSlot);
}

void spawnLocalPlayer(WorldState& world, int32_t s) {
    if (!isValidSlot(s)) return;
    Player& p         = world.players[s];
    world.localPlayer = s;
    p.slot            = s;
    p.health          = FULL_HEALTH;
    placeAtFreePoint(world, p, s);
    p.yaw    = 0.0f;
    p.pitch  = 0.0f;
    p.vel[0] = p.vel[1] = p.vel[2] = 0.0f;
    for (int32_t& life : p.rocketLife)
        life = 0;
}
