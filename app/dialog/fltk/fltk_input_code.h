// FLTK's keys and mouse buttons as the game's input codes, for the controls page.
#pragma once

#include "platform/input_event.h"

// Fl::event_key()'s key; NONE for one the game does not know (Escape among them).
InputCode inputOfKey(int key);
// Fl::event_button()'s button (1 left, 2 middle, 3 right, 8 and 9 the side ones); NONE for
// others.
InputCode inputOfButton(int button);
