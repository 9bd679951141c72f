// The game's icon, drawn in code: a ringed planet and a ship on a starry sky.
#pragma once

#include <cstdint>

constexpr int ICON_SIDE = 32; // the window's icon; the desktop's come in more sizes

// Fills side x side ARGB pixels, row by row from the top, with the icon drawn at that size.
void drawGameIcon(uint32_t* pixels, int side = ICON_SIDE);
