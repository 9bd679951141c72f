// Start-up, the main loop and the quit message.
#pragma once

constexpr const char* GAME_NAME = "Voranis";

// Posts the quit message: the main loop ends with this exit code at its next look. A
// later post before then changes nothing.
void postQuitMessage(int exitCode);
bool quitMessagePosted();
int quitExitCode();
void clearQuitMessage(); // for tests that run several sessions in one process

// Handles every waiting event, one per turn, and runs a frame whenever none is waiting.
// Returns the quit message's exit code.
int runMainLoop();

// The whole program: the command line, start-up in its fixed order, then the main loop.
int runGame(int argc, const char* const* argv);
