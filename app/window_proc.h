// The game window's input: control flags, mouse look, respawn, Escape and close.
//
// The window procedure takes events already translated from the platform's (see
// input_translate.h), so the input rules are plain code that tests call directly.
#pragma once

constexpr int LOOK_CENTRE_X = 300; // the look is measured from here, at every resolution
constexpr int LOOK_CENTRE_Y = 200;
constexpr float LOOK_FACTOR = 0.3f; // degrees per pixel
constexpr float YAW_LIMIT   = 360.0f;
constexpr float PITCH_LIMIT = 90.0f;
constexpr int ESCAPE_CHAR   = 27;

enum class InputKind {
    OTHER,             // anything the game does not handle
    KEY_DOWN,          // key, repeat
    KEY_UP,            // key
    CHAR,              // character: the character a key press produced
    CLOSE,             // the window manager's close (the close box, Alt+F4)
    MOUSE_MOVE,        // dx, dy: where the cursor is, relative to the look centre
    LEFT_BUTTON_DOWN,  // a press; releases are not events
    RIGHT_BUTTON_DOWN, // a press
};

enum class GameKey { OTHER, CTRL, LEFT, UP, RIGHT, DOWN };

struct InputEvent {
    InputKind kind = InputKind::OTHER;
    GameKey key    = GameKey::OTHER;
    bool repeat    = false; // key down sent again by auto-repeat
    int character  = 0;
    int dx         = 0;
    int dy         = 0;
};

// Handles one event: sets or clears the control flags, turns the local ship, respawns
// a dead local ship, or shuts the game down and posts the quit message.
void gameWindowProc(const InputEvent& event);

// Turns a view by a cursor offset from the look centre: yaw wraps once, pitch is clamped.
void applyMouseLook(float& yaw, float& pitch, int dx, int dy);
