// What the set-up dialog's buttons do, apart from the dialog itself.
#pragma once

#include "net/net.h"

constexpr const char* ADDRESS_PREFIX   = "192.168.0."; // a private network, to be completed
constexpr int ADDRESS_MAX_CHARS        = 149;          // what the address box takes
constexpr const char* JOIN_PORT_SUFFIX = ":2345";

// The video and sound choices as the dialog shows them, read at every button.
void storeSetupChoices(bool fullScreen, bool soundEnabled, int resolutionIndex);

// "Create Game": opens the network as host, writes this machine's address into
// addressText, makes this machine slot 0 and places its ship.
void hostGame(char addressText[NET_ADDRESS_TEXT_SIZE]);

// The join address: at most ADDRESS_MAX_CHARS of what was typed, then the game's port.
void joinAddress(const char* typed, char out[NET_ADDRESS_TEXT_SIZE]);

// "Join Game": starts connecting to what was typed; the slot comes with the welcome.
void joinGame(const char* typed);
