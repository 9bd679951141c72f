// What the set-up dialog's buttons (and --host and --join) do, apart from the dialog itself.
#pragma once

#include "app/dialog/game_setup.h"
#include "net/net.h"

constexpr int ADDRESS_MAX_CHARS = 149; // what the address box takes

// "Create Game": opens the network as host on setup.port, writes this machine's address
// into addressText, makes this machine slot 0 and places its ship in world. False, with the
// reason in problem, for a port that cannot be had.
bool hostGame(NetSession& net, GameSetup& setup, WorldState& world,
              char addressText[NET_ADDRESS_TEXT_SIZE], char problem[NET_ENDING_TEXT_SIZE]);

// "Join Game": starts joining at most ADDRESS_MAX_CHARS of what was typed, on the port typed
// or setup.port; the slot comes with the welcome. The address is kept in setup.
void joinGame(NetSession& net, GameSetup& setup, WorldState& world, const char* typed);

// A host answers the games lists of others at once, while its dialog still waits for it.
void answerGameSearches(NetSession& net);
