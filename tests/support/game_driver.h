// The real program on an Xvfb display of its own, driven as a player would: windows found by
// process and title, keys and mouse through xdotool, screenshots, the exit code within a time
// limit and what it wrote. Everything started dies with the driver.
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

// The game's settings live in configDir(), a fresh folder, never in a player's own.
class GameDriver {
  public:
    explicit GameDriver(bool withDisplay = true); // without: DISPLAY unset for the game
    ~GameDriver();
    GameDriver(const GameDriver&)            = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    bool start(const GameRun& run = {});
    // The game's viewable window of that title; 0 when none comes in time or the game ended.
    unsigned long window(const std::string& title, int waitMs = DRIVER_WAIT_MS);
    ScreenRect windowRect(unsigned long window);
    void xdo(const std::string& words);                       // one xdotool command
    void keys(unsigned long window, const std::string& keys); // given the focus first
    void click(int x, int y, int count = 1);
    Picture screenshot();
    int exitCode(int waitMs = DRIVER_WAIT_MS); // -1 when it did not end in time (killed then)
    std::string output() const;
    std::string errors() const;
    std::string display() const { return display_; }
    std::string folder() const { return folder_; } // the driver's own, gone with it
    std::string configDir() const { return folder_ + "/config"; }
    pid_t pid() const { return game_; }

  private:
    bool running();
    std::string tool(std::vector<std::string> argv); // run on this display; its output
    struct _XDisplay* x_ = nullptr;                  // this driver's own connection
    std::string folder_, display_;
    pid_t xvfb_ = -1, game_ = -1;
    int exitCode_ = -1;
};
