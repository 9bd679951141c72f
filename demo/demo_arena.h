// Which arena file a demo was recorded in, told by the CRC-32 of its bytes.
#pragma once

#include <cstdint>

// CRC-32 of arenas/NAME.uni in the game folder; 0 for "" or a file that cannot be read.
uint32_t demoArenaCrc(const char* name);
