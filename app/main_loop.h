// Start-up, the main loop and the quit message.
#pragma once

#include "platform/input_event.h"

constexpr const char* GAME_NAME = "Voranis";

// Posts the quit message: the main loop ends with this exit code at its next look. A
// later post before then changes nothing.
void postQuitMessage(int exitCode);
bool quitMessagePosted();
int quitExitCode();
void clearQuitMessage(); // for tests that run several sessions in one process

// One event from the platform: a new size fits the scene again, the mouse's motion moves the
// look cursor, and the window procedure takes it.
void handleEvent(InputEvent event);

// Handles every waiting event, one per turn, and runs frame (the game's runFrame) whenever
// none is waiting. Returns the quit message's exit code.
int runMainLoop(void (*frame)());

// The whole program: the command line, start-up in its fixed order, then the main loop.
int runGame(int argc, const char* const* argv);
