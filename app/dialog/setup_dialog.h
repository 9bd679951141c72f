// The modal set-up dialog: host or join, address, resolution, full screen, sound.
#pragma once

struct NetSession;

// Runs the dialog until a button, Enter, Escape or the close box ends it. It fills
// gameSetup and opens the network as host or joiner; the close box also posts the quit
// message and then joins, as Escape does. The games list and the game use net.
void runSetupDialog(NetSession& net);
