// The real program under a display of its own, as a player would drive it: Xvfb started with
// -displayfd (ready once its number is known), the game with its arguments, environment and
// working folder, its windows found by process and title, keys and mouse through xdotool,
// screenshots read back from the display, the exit code within a time limit, and what the
// game wrote. Everything started is killed when the driver goes.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/picture.h"

constexpr int DRIVER_WAIT_MS = 20000; // the longest wait for what the game should do

struct GameRun {
    std::vector<std::string> args = {}; // after the program's name
    std::vector<std::string> env  = {}; // "NAME=value" over the test's environment
    std::string workDir           = {}; // the game folder when empty
    std::string program           = {}; // the game folder's voranis when empty
};

struct ScreenRect {
    int x, y, w, h;
};

class GameDriver {
  public:
    // A screen of its own, or none (DISPLAY unset for the game). The game's settings live in
    // configDir(), a fresh folder, so no test reads or writes a player's own.
    explicit GameDriver(bool withDisplay = true, int screenW = 640, int screenH = 480);
    ~GameDriver();
    GameDriver(const GameDriver&)            = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    bool start(const GameRun& run = {});
    // The game's viewable window of that title; 0 when none comes in time or the game ended.
    unsigned long window(const std::string& title, int waitMs = DRIVER_WAIT_MS);
    ScreenRect windowRect(unsigned long window);
    void xdo(const std::string& words);                       // one xdotool command on this display
    void keys(unsigned long window, const std::string& keys); // given the focus first
    void click(int x, int y, int button = 1, int count = 1);
    void moveMouse(int dx, int dy);
    Picture screenshot();

    int exitCode(int waitMs = DRIVER_WAIT_MS);       // -1 when it did not end in time (killed then)
    std::string output() const;                      // standard output so far
    std::string errors() const;                      // standard error so far
    std::string display() const { return display_; } // for in-process windows too
    std::string folder() const { return folder_; }   // the driver's own, gone with it
    std::string configDir() const { return folder_ + "/config"; }
    pid_t pid() const { return game_; }

  private:
    bool running();
    struct _XDisplay* x_ = nullptr; // this driver's own connection to its display
    std::string folder_;
    std::string display_;
    pid_t xvfb_   = -1;
    pid_t game_   = -1;
    int exitCode_ = -1;
};
