// The game program's world, fresh at start, its network session and its step's state.
#include "app/game_world.h"

WorldState gameWorld = [] {
    WorldState world;
    resetWorld(world);
    return world;
}();

NetSession gameNet;
StepState gameStep;
