// The "Demos..." box on FLTK: the recorded games in a list; Play or a double click chooses one.
#pragma once

#include "app/dialog/demo_list.h"

class Fl_Window;

// Shows the list over owner until closed; true, with the chosen demo's path, when one was
// chosen to be played.
bool chooseDemo(Fl_Window* owner, const DemoList& demos, char path[DEMO_PATH_BYTES]);
