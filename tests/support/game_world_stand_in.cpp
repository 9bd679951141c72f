// Tests that do not take the game's own world get one here; the game's frame brings its own.
#include "app/game_world.h"

__attribute__((weak)) WorldState gameWorld;
