// Drives the real game under the test display: starts it from its folder, finds its
// windows, types into them with xdotool, closes them as a window manager would, and
// plays the other machine over loopback.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr int PROGRAM_TIMEOUT_MS = 10000;

// Starts the game in its folder; extraEnv ("NAME=value") is added to its environment.
// Holds the test display's keyboard for this process until it ends or lets go: keys go
// to whichever window has the focus, so only one test may type at a time.
int holdKeyboard();
void releaseKeyboard(int lock);

// With a working directory, the game starts there and its standard error goes to
// errors.txt in it.
pid_t startGame(const char* extraEnv = nullptr, const char* workDir = nullptr);
// The game's exit code, or -1 when it did not end in time (it is killed then).
int waitForExit(pid_t game, int timeoutMs);

// The owner's visible top-level window with exactly this title, or 0 when none comes in
// time.
unsigned long waitForWindow(const char* title, pid_t owner, int timeoutMs);
bool windowExists(const char* title, pid_t owner);
// Gives the window the keyboard, then runs "xdotool <args>" (one command: "type" takes
// every word after it as text).
void typeInto(unsigned long window, const std::string& xdotoolArgs);
// What a window manager sends when the close box is clicked.
void closeWindow(unsigned long window);

// Loopback sockets for the test's side.
int listenOnGamePort();                        // 127.0.0.1:2345
int acceptWithin(int listener, int timeoutMs); // -1 when nobody came
int connectToGame(int timeoutMs);              // retried until the game listens
bool readRecord(int socket, uint8_t out[40], int timeoutMs);
bool writeRecord(int socket, const uint8_t record[40]);
