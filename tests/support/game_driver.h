// The real program on an Xvfb display of its own, driven as a player would; everything
// started dies with the driver.
#pragma once

#include <sys/types.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/picture.h"
#include "tests/support/portable/file_text.h"

constexpr int DRIVER_WAIT_MS = 20000; // the longest wait for what the game should do

struct ScreenRect {
    int x, y, w, h;
};

// The game's settings live in configDir() and its files (screenshots) in dataDir(), fresh
// folders, never in a player's own. With VORANIS_UNDER set (valgrind and its options:
// scripts/valgrind-run) every program started runs under that tool, and every wait of the
// driver is six times as long.
class GameDriver {
  public:
    explicit GameDriver(bool withDisplay = true); // without: DISPLAY unset for the game
    ~GameDriver();
    GameDriver(const GameDriver&)            = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    // In workDir (else the game folder), the program given (else the game folder's voranis).
    bool start(const std::vector<std::string>& args = {}, const std::string& workDir = {},
               const std::string& program = {});
    // The game's viewable window of that title; 0 when none comes in time or the game ended.
    unsigned long window(const std::string& title, int waitMs = DRIVER_WAIT_MS);
    ScreenRect windowRect(unsigned long window);
    void xdo(const std::string& words);                       // one xdotool command
    void keys(unsigned long window, const std::string& keys); // given the focus first
    void click(int x, int y, int count = 1);
    Picture screenshot(unsigned long window = 0); // the whole screen, or that window
    int exitCode(int waitMs = DRIVER_WAIT_MS);    // -1 when it did not end in time (killed then)
    std::string output() const { return fileText(folder_ + "/out.txt"); }
    std::string errors() const { return fileText(folder_ + "/err.txt"); }
    std::string display() const { return display_; }
    std::string folder() const { return folder_; } // the driver's own, gone with it
    std::string configDir() const { return folder_ + "/config"; }
    std::string dataDir() const { return folder_ + "/data"; } // made by the game when needed
    pid_t pid() const { return game_; }
    int slowness() const { return slow_; } // 6 under a tool, else 1

  private:
    bool running();
    std::string tool(std::vector<std::string> argv); // run on this display; its output
    struct _XDisplay* x_ = nullptr;                  // this driver's own connection
    std::string folder_, display_;
    pid_t xvfb_ = -1, game_ = -1;
    int exitCode_ = -1, slow_ = std::getenv("VORANIS_UNDER") ? 6 : 1;
};
