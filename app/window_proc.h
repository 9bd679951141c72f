// The game window's input, through the player's controls (gameSetup.controls): control flags, mouse
// look, respawn, the scoreboard, the chat line, the screenshot key, Escape and close.
//
// The window procedure takes events already translated by the platform (see
// platform/input_event.h), so the input rules are plain code that tests call directly. A
// MOUSE_MOVE reaches it as where the look cursor is, relative to the look centre (see
// handleEvent in main_loop.h).
#pragma once

#include "platform/input_event.h"

constexpr int LOOK_CENTRE_X = 300; // the look is measured from here, at every resolution
constexpr int LOOK_CENTRE_Y = 200;

// Handles one event: gathers the step's input (control flags, look turn, respawn request),
// shows the scoreboard, edits the chat line, or shuts the game down and
// posts the quit message. While the chat line is open, keys type into it instead of flying,
// and Escape closes it instead of ending the game.
void gameWindowProc(const InputEvent& event);
