// The display mode for FULL_SCREEN_SWITCH: switched to the closest mode and given back on
// every way out (platformRestoreDisplayMode).
#pragma once

// Switches the primary display to the mode closest to width x height; false when the
// display has none it can take.
bool switchDisplayMode(int width, int height);
