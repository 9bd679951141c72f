// What the Win32 window's files share: the one game window and its device context.
#pragma once

#include <windows.h>

HWND gameWindowHandle(); // nullptr while there is no window
HDC gameWindowDc();      // the window's own device context, kept to the end
