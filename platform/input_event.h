// The game window's input as the platform delivers it: already the game's keys and kinds,
// so the window procedure's rules are plain code that tests call directly.
#pragma once

constexpr int ESCAPE_CHAR     = 27;
constexpr int TEXT_EVENT_SIZE = 32; // what one text event carries, with its end

enum class InputKind {
    OTHER,             // anything the game does not handle
    KEY_DOWN,          // key, repeat
    KEY_UP,            // key
    CHAR,              // character: the character a key press produced
    CLOSE,             // the window manager's close (the close box, Alt+F4)
    MOUSE_MOVE,        // dx, dy: the mouse's motion (the game turns it into its look cursor)
    LEFT_BUTTON_DOWN,  // a press; releases are not events
    RIGHT_BUTTON_DOWN, // a press
    TEXT,              // text: what typed keys spell, while text input is on
    RESIZED,           // the window's drawable changed size
};

// Tab shows the scoreboard while held; T opens the chat line, Backspace and Enter edit and
// send it; F12 saves a screenshot.
enum class GameKey { OTHER, CTRL, LEFT, UP, RIGHT, DOWN, TAB, CHAT, BACKSPACE, F12, ENTER };

// Keys held with Alt are the system's (Alt+F4 and the like) and come as OTHER; Escape comes
// as the character it types, on every press and repeat.
struct InputEvent {
    InputKind kind             = InputKind::OTHER;
    GameKey key                = GameKey::OTHER;
    bool repeat                = false; // key down sent again by auto-repeat
    int character              = 0;
    int dx                     = 0;
    int dy                     = 0;
    char text[TEXT_EVENT_SIZE] = {}; // UTF-8
};
