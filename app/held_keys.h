// The movement keys as the steps see them: a key is held from its press to its release, and
// a tap shorter than a step still counts for the next step.
#pragma once

#include "app/window_proc.h"
#include "world/control_state.h"

void pressKey(ControlState& controls, GameKey key);
void releaseKey(ControlState& controls, GameKey key);
// Lets go of every movement key at once (the chat line opens).
void releaseEveryKey(ControlState& controls);
// After each step: keys pressed and released since the step before now count as released.
void settleTappedKeys(ControlState& controls);
