// The controls page on Windows: a second dialog from the template builder, over the set-up
// dialog.
#pragma once

#include <windows.h>

#include "app/controls/controls.h"

// Shows the page over owner until OK, Cancel, Escape or the close box; after OK the page's
// settings replace settings.
void runControlsPage(HWND owner, ControlSettings& settings);
