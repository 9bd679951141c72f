// The thin layer over the operating system that the game's plain code calls:
// clock, sleep, look centre, cursor, message boxes and buffer swap.
#pragma once

#include <cstdint>

uint32_t platformMilliseconds(); // wraps after 2^32 ms, like the game expects
void platformSleep(uint32_t milliseconds);
void centreCursor(); // the look is measured from the centre again
void platformShowCursor(bool visible);
void platformErrorBox(const char* title, const char* text); // stop icon, OK, no owner
void platformSwapBuffers();
