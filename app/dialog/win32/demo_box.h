// The "Demos..." box as a Windows dialog: the recorded games in a list; Play, Enter or a double
// click chooses one.
#pragma once

#include <windows.h>

#include "app/dialog/demo_list.h"

// Shows the list over owner until closed; true, with the chosen demo's path, when one was
// chosen to be played.
bool chooseDemo(HWND owner, const DemoList& demos, char path[DEMO_PATH_BYTES]);
