// The game window's input: control flags, mouse look, respawn, the scoreboard, the chat
// line, Escape and close.
//
// The window procedure takes events already translated from the platform's (see
// input_translate.h), so the input rules are plain code that tests call directly.
#pragma once

constexpr int LOOK_CENTRE_X   = 300; // the look is measured from here, at every resolution
constexpr int LOOK_CENTRE_Y   = 200;
constexpr float LOOK_FACTOR   = 0.3f; // degrees per pixel
constexpr int ESCAPE_CHAR     = 27;
constexpr int TEXT_EVENT_SIZE = 32; // what one text event carries, with its end

enum class InputKind {
    OTHER,             // anything the game does not handle
    KEY_DOWN,          // key, repeat
    KEY_UP,            // key
    CHAR,              // character: the character a key press produced
    CLOSE,             // the window manager's close (the close box, Alt+F4)
    MOUSE_MOVE,        // dx, dy: where the cursor is, relative to the look centre
    LEFT_BUTTON_DOWN,  // a press; releases are not events
    RIGHT_BUTTON_DOWN, // a press
    TEXT,              // text: what typed keys spell, while the chat line is open
};

// Tab shows the scoreboard while held; T opens the chat line, Backspace and Enter edit and
// send it.
enum class GameKey { OTHER, CTRL, LEFT, UP, RIGHT, DOWN, TAB, CHAT, BACKSPACE, ENTER };

struct InputEvent {
    InputKind kind             = InputKind::OTHER;
    GameKey key                = GameKey::OTHER;
    bool repeat                = false; // key down sent again by auto-repeat
    int character              = 0;
    int dx                     = 0;
    int dy                     = 0;
    char text[TEXT_EVENT_SIZE] = {}; // UTF-8
};

// Handles one event: gathers the step's input (control flags, look turn, respawn request),
// shows the scoreboard, edits the chat line, or shuts the game down and
// posts the quit message. While the chat line is open, keys type into it instead of flying,
// and Escape closes it instead of ending the game.
void gameWindowProc(const InputEvent& event);
