// The game's own choices, read across the program.
#pragma once

#include "app/dialog/game_setup.h"

extern GameSetup gameSetup;
