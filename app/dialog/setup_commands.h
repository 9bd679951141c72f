// What the set-up dialog's buttons (and --host and --join) do, apart from the dialog itself.
#pragma once

#include "net/net.h"

constexpr int ADDRESS_MAX_CHARS = 149; // what the address box takes

// The video and sound choices as the dialog shows them, read at every button.
void storeSetupChoices(bool fullScreen, bool soundEnabled, int resolutionIndex);

// "Create Game": opens the network as host on gameSetup.port, writes this machine's address
// into addressText, makes this machine slot 0 and places its ship. A port that cannot be had
// ends the game with a box that names it.
void hostGame(NetSession& net, char addressText[NET_ADDRESS_TEXT_SIZE]);

// "Join Game": starts joining at most ADDRESS_MAX_CHARS of what was typed, on the port typed
// or gameSetup.port; the slot comes with the welcome. The address is kept in gameSetup.
void joinGame(NetSession& net, const char* typed);
