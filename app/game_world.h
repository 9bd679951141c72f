// The game program's world: the window procedure, the set-up dialog's commands, the frame
// and the drawing all work on this one. The bot and the server own worlds of their own.
#pragma once

#include "world/world_state.h"

extern WorldState gameWorld;
