// The set-up dialog's controls on Windows, moved to and from their plain values by kind.
#pragma once

#include <windows.h>

#include "app/dialog/control_values.h"

// Fills the controls (choices get their entries) from values.
void writeControls(HWND dialog, const ControlValues values, const ArenaList& arenas);
// What the controls hold now.
void readControls(HWND dialog, ControlValues values);
