// Watching a recorded game in the game window: replay steps at the recording's rate times
// the chosen speed, drawn from any player's eyes or a free camera, with the game's sounds,
// until Escape. No network is opened.
#pragma once

// Plays the demo at path with the chosen window and sound (gameSetup); returns the exit code.
// A file that cannot be played ends the game with a line naming what is wrong.
int playDemo(const char* path);
