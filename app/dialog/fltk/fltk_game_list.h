// The games list in an FLTK browser: filled from discovery on a timer while the dialog is open.
#pragma once

#include "app/dialog/game_list.h"

class Fl_Hold_Browser;

// Starts looking for games through browser and showing them in list; a failure to look is
// shown there too.
void startGameList(Fl_Hold_Browser* list, DiscoveryBrowser& browser);
void stopGameList(DiscoveryBrowser& browser);
// Copies the "a.b.c.d:port" of list line `line` (from 1); false for a line that is no game.
bool gameListAddress(int line, char address[GAME_ADDRESS_TEXT_SIZE]);
