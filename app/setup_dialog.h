// The modal set-up dialog: host or join, address, resolution, full screen, sound.
#pragma once

// Runs the dialog until a button (or the close box) ends it; fills gameSetup and
// opens the network as host or joiner. Returns true when the close box posted the quit.
bool runSetupDialog();
