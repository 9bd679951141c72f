// The controls page as every toolkit shows it: the settings it edits until OK, and the entry
// that waits for the player's next key or mouse button.
#pragma once

#include "app/controls/controls.h"

constexpr int NO_ENTRY            = -1;
constexpr double SENSITIVITY_STEP = 0.1; // what one click on the arrows changes

struct ControlsPage {
    ControlSettings settings;
    int waiting = NO_ENTRY; // action * INPUTS_PER_ACTION + place
};

// What the entry shows: its input's name, "" when it has none, WAITING_TEXT while it waits.
const char* entryText(const ControlsPage& page, int entry);
// The entry waits for the next input; Escape (cancelCapture) leaves it as it was.
void startCapture(ControlsPage& page, int entry);
void cancelCapture(ControlsPage& page);
// The input pressed while an entry waits goes into it, leaving the action it was bound to;
// true then. An input that cannot be bound (F12, or a key the game does not know) changes
// nothing and the entry keeps waiting.
bool captureInput(ControlsPage& page, InputCode code);
// Every setting back to the game's own, the bindings and the look's.
void restoreDefaults(ControlsPage& page);
// The look's settings as the page's fields hold them, kept within their ranges; the
// sensitivity to a tenth.
void setLook(ControlsPage& page, double sensitivity, bool invertPitch, double fovDegrees);
