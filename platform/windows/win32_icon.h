// The window's icon from the game's own pixels.
#pragma once

#include <windows.h>

#include <cstdint>

// An icon of side x side pixels (0xAARRGGBB, top row first); nullptr when it cannot be made.
HICON createWindowIcon(const uint32_t* pixels, int side);
