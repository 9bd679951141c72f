// The game program's world, fresh at start.
#include "app/game_world.h"

WorldState gameWorld = [] {
    WorldState world;
    resetWorld(world);
    return world;
}();
