// One player's machine for the end-to-end tests: a private X display of its own, the real
// game on it, xdotool for keys and mouse, and screenshots read back from the display.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// A screenshot in 8-bit RGB rows, top row first.
struct Picture {
    int width  = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* at(int x, int y) const { return &rgb[3 * (static_cast<size_t>(y) * width + x)]; }
};

class PlayerScreen {
  public:
    // shots: the folder for this test's screenshots and logs; name: the player's name in it.
    PlayerScreen(std::string shots, std::string name);
    ~PlayerScreen(); // kills the game and the display, whatever state they are in
    PlayerScreen(const PlayerScreen&)            = delete;
    PlayerScreen& operator=(const PlayerScreen&) = delete;

    // Processes die with the thread that started them, so these two run on the test's
    // main thread; the rest may run on any.
    bool launchDisplay(); // Xvfb
    bool startGame();     // the game in VORANIS_GAME_DIR, its standard error to a log
    bool awaitDisplay();  // false when Xvfb does not come up
    bool hostGame();      // dialog: windowed, Create Game, OK; waits for the game window
    bool joinGame();      // dialog: 127.0.0.1, windowed, Join Game; waits for the game window
    // Dialog answered only: the game window may never come. Full screen when not windowed
    // (the display is 640 x 480, so no mode switch is needed).
    bool answerJoin(bool windowed = true);
    unsigned long waitForWindow(const std::string& title, int timeoutMs);

    // xdotool on this display, with the game window focused first.
    void xdo(const std::string& args);
    void keyDown(const char* key) { xdo(std::string("keydown ") + key); }
    void keyUp(const char* key) { xdo(std::string("keyup ") + key); }
    void key(const char* key) { xdo(std::string("key ") + key); }
    void click(int button) { xdo("click " + std::to_string(button)); }
    void moveMouse(int dx, int dy);

    Picture grab() const;                      // the whole screen
    void save(const std::string& label) const; // PNG in the shots folder
    int waitForExit(int timeoutMs);            // exit code, or -1 (the game is killed then)
    bool running();
    void saveStacks() const;    // a running game's threads, for a game that does not end
    std::string errors() const; // what the game wrote to standard error
    const std::string& name() const { return name_; }
    pid_t gamePid() const { return game_; }

  private:
    bool answerDialog(bool host, bool windowed);
    std::string shots_;
    std::string name_;
    std::string display_;
    int displayPipe_          = -1;
    pid_t xvfb_               = -1;
    pid_t game_               = -1;
    int exitCode_             = -1;
    unsigned long gameWindow_ = 0;
};

// Milliseconds since the test's start, for logs.
long testMillis();
void napMs(int ms);
