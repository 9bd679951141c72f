// The one way the game ends on a failure.
#pragma once

// Gives the display its mode and the player the mouse back, writes one line naming the
// cause to standard error ("voranis: cannot read ship.wrl: No such file or directory"),
// shows the "NETWORK ERROR" box when networkBox is set (text may hold a second line), puts
// network and sound back, and ends the process with exitCode.
[[noreturn]] void failGame(int exitCode, const char* text, bool networkBox);

// The window toolkit's own fatal errors (no display, mostly) go the same way, with exit
// code 1.
void routeToolkitFailures();
