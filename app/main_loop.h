// Start-up, the main loop and the quit message.
#pragma once

constexpr const char* GAME_NAME = "Voranis";

// Posts the quit message: the main loop ends with this exit code at its next look.
void postQuitMessage(int exitCode);

// Handles every waiting event, one per turn, and runs a frame whenever none is waiting.
// Returns the quit message's exit code.
int runMainLoop();

// The whole program: start-up in its fixed order, then the main loop.
int runGame();
