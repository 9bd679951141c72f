// The modal set-up dialog: host or join, address, resolution, full screen, sound.
#pragma once

#include "app/dialog/demo_list.h"
#include "app/dialog/game_setup.h"
#include "net/net.h"
#include "step/bot_launcher.h"

// How the dialog ended, for the game to act on.
struct SetupOutcome {
    bool quit;                          // the close box: the game ends once started
    bool hostFailed;                    // "Create Game" could not open the network
    char problem[NET_ENDING_TEXT_SIZE]; // why, when hostFailed
    char demo[DEMO_PATH_BYTES];         // the demo chosen to be watched; "" for a game
};

// Runs the dialog, showing setup's choices, until a button, Enter, Escape or the close box
// ends it. It stores the choices into setup and opens the network as host (placing the
// host's ship in world) or joiner; the close box also asks to quit, and then joins, as
// Escape does. The games list and the network use net; a confirmed host starts its bots
// into bots. A demo chosen from "Demos..." ends it without a network.
SetupOutcome runSetupDialog(GameSetup& setup, WorldState& world, NetSession& net,
                            BotLauncher& bots);
