// The game's own choices, read across the program.
#pragma once

#include "app/dialog/game_setup.h"

// Process-wide because the game has one set of choices for its whole run: the dialog, the
// command line and the settings write it before play; the frame and shutdown only read it.
extern GameSetup gameSetup;
