// The game's own choices, those of a first start until chosen.
#include "app/game_setup.h"

GameSetup gameSetup = startSetup();
