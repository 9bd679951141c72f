// The thin layer over the operating system that the game's plain code calls: clock, sleep,
// processes, folders, message boxes, the one game window with its OpenGL context, cursor
// and input, and the gamepad that plays. One backend a system implements all of it, in
// platform/<system>/.
#pragma once

#include <cstdint>

#include "platform/input_event.h"

uint32_t platformMilliseconds(); // wraps after 2^32 ms, like the game expects
// The same clock in microseconds: a thousandth of it is platformMilliseconds().
uint64_t platformMicroseconds();
void platformSleep(uint32_t milliseconds);
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
// The folder for the player's own files the game makes, of one kind ("screenshots"):
// $XDG_DATA_HOME/voranis/KIND (~/.local/share/voranis/KIND without it) on Linux,
// %APPDATA%\Voranis\KIND on Windows, with its trailing separator; made, with the folders
// above it, when missing. False with what failed (no home, a folder that cannot be made) in
// problem.
bool platformDataFolder(const char* kind, char* folder, int size, char* problem, int problemSize);
struct ScreenArea {
    int x, y, w, h;
};
// Stop sign, text, one OK button, no owner; centred over the area, waits until closed.
void platformErrorBox(const char* title, const char* text, const ScreenArea& over);
// The window toolkit's own fatal errors (no display, mostly) go to fail, told in the game's
// words; a system whose window and boxes are its own has none.
using ToolkitFailure = void (*)(const char* text);
void platformRouteToolkitFailures(ToolkitFailure fail);

// The game window. Each call that can fail writes what the system said into problem.
constexpr int PLATFORM_PROBLEM_SIZE = 256; // enough for any such problem
constexpr int WINDOW_COLOUR_BITS    = 5;   // per channel, at least
constexpr int WINDOW_DEPTH_BITS     = 16;  // at least
enum class WindowMode {
    FULL_SCREEN_DESKTOP, // covers the screen at the desktop's size: no mode change
    FULL_SCREEN_SWITCH,  // the display takes (about) width x height when the window shows
    WINDOWED,            // decorated, resizable, centred
    MAXIMISED,           // decorated, resizable, as large as the desktop leaves room for
};
struct WindowRequest {
    const char* title; // also the window's class for the window manager
    int width, height; // points
    WindowMode mode;
    int minWidth, minHeight; // a resizable window gets no smaller
    const uint32_t* icon;    // iconSide x iconSide pixels, 0xAARRGGBB, top row first
    int iconSide;
};
// Starts the window system; the desktop's size is known from then on.
bool platformOpenVideo(const char* title, char* problem, int problemSize);
ScreenArea platformDesktopArea();
// The window, hidden, ready for a double-buffered OpenGL context.
bool platformCreateWindow(const WindowRequest& request, char* problem, int problemSize);
// Makes the window's context current; swaps never wait for the screen's refresh.
bool platformCreateGlContext(char* problem, int problemSize);
void platformShowWindow(); // and raises it
// The window's points on the screen; the whole screen while there is no window (all 0 when
// the window system is not open).
ScreenArea platformWindowArea();
// The drawable's pixels, which may be more than the window's points (HiDPI).
void platformDrawableSize(int* width, int* height);
void platformSwapBuffers();
// Gives the display its desktop mode back after FULL_SCREEN_SWITCH; safe to repeat.
void platformRestoreDisplayMode();
void platformCloseVideo(); // restores the mode and lets the window system go
// A hidden cursor is held in the window for the look: the mouse then reports motion only.
// The game hides it before it shows the window.
void platformShowCursor(bool visible);
// Where the visible cursor points in the window, in drawable pixels from the top left.
void platformPointerPosition(int* x, int* y);
void platformTextInput(bool on); // typed characters arrive as TEXT events while on
// The next waiting input event, translated (OTHER for what the game does not use); false
// when none is waiting.
bool platformPollEvent(InputEvent* event);

// One gamepad as the game reads it, its controls named by where they sit on an Xbox-style
// pad. Sticks run -1..1 (right and down positive), triggers 0..1 (let go to pulled all the
// way).
struct GamepadState {
    bool connected;
    float leftX, leftY;
    float rightX, rightY;
    float leftTrigger, rightTrigger;
    bool south;        // the bottom face button: A, or a cross
    bool back;         // Back, Select, View or Share
    bool leftShoulder; // the left bumper
};
// Starts reading gamepads (pads plugged in later are found too); false, with the reason in
// problem, when the system offers none: the game then plays without.
bool platformOpenGamepads(char* problem, int problemSize);
// The pad that plays: the first one connected, while it stays; when it goes the one connected
// next takes over. False, with pad all zero, when none is connected. Pads come and go as the
// window's events are polled.
bool platformReadGamepad(GamepadState* pad);
