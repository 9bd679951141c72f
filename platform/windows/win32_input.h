// The window procedure's input half: messages turned into the game's InputEvents.
#pragma once

#include <windows.h>

#include "platform/input_event.h"

// Queues what the message means to the game; true when the message is fully handled
// (result is then the window procedure's answer) and the system's default must not run.
bool takeInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
// Lets the cursor go when the window closes.
void releaseCursor();
// The game's code for a key message's virtual key and flags (NONE for a key it does not
// know), for any window of the game's that takes keys.
InputCode keyInputCode(WPARAM key, LPARAM flags);
