// The game's icon, drawn in code: a ringed planet and a ship on a starry sky.
#pragma once

#include <cstdint>

constexpr int ICON_SIDE = 32;

// Fills side x side ARGB pixels, row by row from the top, in the icon's 16 colours.
void drawGameIcon(uint32_t pixels[ICON_SIDE * ICON_SIDE]);
