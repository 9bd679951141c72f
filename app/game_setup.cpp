// Start values of the set-up choices: 640 x 480, full screen, no sound.
#include "app/game_setup.h"

GameSetup gameSetup = {0, 0, 1, 0};
