// The thin layer over the operating system that the game's plain code calls:
// clock, sleep, look centre, cursor, message boxes and buffer swap.
#pragma once

#include <cstdint>

uint32_t platformMilliseconds(); // wraps after 2^32 ms, like the game expects
// The same clock in microseconds: a thousandth of it is platformMilliseconds().
uint64_t platformMicroseconds();
void platformSleep(uint32_t milliseconds);
void centreCursor(); // the look is measured from the centre again
void platformShowCursor(bool visible);
void platformTextInput(bool on); // typed characters arrive as text while on
// The name the player logged in with, cut to size; "" when none is known.
void platformLoginName(char* name, int size);
int platformProcessId();
// True once the process that started this one has ended.
bool platformStarterGone();
// Asking a program without a window to end: SIGTERM and SIGINT on Linux; Ctrl+C, Ctrl+Break
// and closing its console on Windows. Installs the handlers once; false when they cannot be
// had. A request cuts the network's wait short, so the loop sees it within a step.
bool platformCatchStopRequests();
bool platformStopRequested(); // a request came since platformCatchStopRequests

// Other programs this one starts and stops: a handle, or NO_PROGRAM when it cannot start.
using ProgramHandle                = int;
constexpr ProgramHandle NO_PROGRAM = -1;
// Starts the program at path with the arguments (argv[0] first, null last).
ProgramHandle platformStartProgram(const char* path, const char* const argv[]);
// Asks it to end, waits a moment, and makes it end if it has not.
void platformStopProgram(ProgramHandle program);
// The folder this program lies in, with its trailing separator; "" when unknown.
void platformProgramFolder(char* folder, int size);
// The files in folder whose names end in `end`, each without it and shorter than nameSize,
// into names (maxNames rows of nameSize bytes), in no set order; returns how many. 0 for a
// folder that cannot be read.
int platformFolderNames(const char* folder, const char* end, char* names, int nameSize,
                        int maxNames);
struct ScreenArea {
    int x, y, w, h;
};
// Stop sign, text, one OK button, no owner; centred over the area, waits until closed.
void platformErrorBox(const char* title, const char* text, const ScreenArea& over);
void platformSwapBuffers();
