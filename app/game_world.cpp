// The game program's world, fresh at start, and its network session.
#include "app/game_world.h"

WorldState gameWorld = [] {
    WorldState world;
    resetWorld(world);
    return world;
}();

NetSession gameNet;
