// Tests that do not take the game's own world and session get them here; the game's frame brings
// its own.
#include "app/game_world.h"

__attribute__((weak)) WorldState gameWorld;
__attribute__((weak)) NetSession gameNet;
