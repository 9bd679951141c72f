// The game window's input as the platform delivers it: already the game's codes and kinds,
// so the window procedure's rules are plain code that tests call directly.
#pragma once

#include <cstdint>

constexpr int ESCAPE_CHAR     = 27;
constexpr int TEXT_EVENT_SIZE = 32; // what one text event carries, with its end

enum class InputKind {
    OTHER,      // anything the game does not handle
    INPUT_DOWN, // code, repeat: a key or a mouse button went down
    INPUT_UP,   // code: it went up
    CHAR,       // character: the character a key press produced (Escape only)
    CLOSE,      // the window manager's close (the close box, Alt+F4)
    MOUSE_MOVE, // dx, dy: the mouse's motion (the game turns it into its look cursor)
    TEXT,       // text: what typed keys spell, while text input is on
    RESIZED,    // the window's drawable changed size
};

// Every key and mouse button the game knows, the same on every system. A key is the one the
// player's layout puts its name on (the key labelled "W" is W on any layout); keys outside
// this list come as NONE. Escape is not among them: it always comes as its character.
// clang-format off
enum class InputCode : uint16_t {
    NONE,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    DIGIT_0, DIGIT_1, DIGIT_2, DIGIT_3, DIGIT_4, DIGIT_5, DIGIT_6, DIGIT_7, DIGIT_8, DIGIT_9,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    UP, DOWN, LEFT, RIGHT,
    SPACE, TAB, RETURN, BACKSPACE,
    LEFT_CTRL, RIGHT_CTRL, LEFT_SHIFT, RIGHT_SHIFT, LEFT_ALT, RIGHT_ALT,
    INSERT, DELETE_KEY, HOME, END, PAGE_UP, PAGE_DOWN, CAPS_LOCK,
    MINUS, EQUALS, LEFT_BRACKET, RIGHT_BRACKET, BACKSLASH, SEMICOLON, APOSTROPHE, GRAVE,
    COMMA, PERIOD, SLASH,
    KEYPAD_0, KEYPAD_1, KEYPAD_2, KEYPAD_3, KEYPAD_4, KEYPAD_5, KEYPAD_6, KEYPAD_7, KEYPAD_8,
    KEYPAD_9, KEYPAD_PERIOD, KEYPAD_DIVIDE, KEYPAD_MULTIPLY, KEYPAD_MINUS, KEYPAD_PLUS,
    KEYPAD_ENTER,
    MOUSE_LEFT, MOUSE_RIGHT, MOUSE_MIDDLE, MOUSE_X1, MOUSE_X2,
    COUNT
};
// clang-format on
constexpr int INPUT_CODE_COUNT = static_cast<int>(InputCode::COUNT);

// Keys held with Alt are the system's (Alt+F4 and the like) and come as OTHER, but for the
// Alt keys themselves; Escape comes as the character it types, on every press and repeat.
struct InputEvent {
    InputKind kind             = InputKind::OTHER;
    InputCode code             = InputCode::NONE;
    bool repeat                = false; // key down sent again by auto-repeat
    int character              = 0;
    int dx                     = 0;
    int dy                     = 0;
    char text[TEXT_EVENT_SIZE] = {}; // UTF-8
};
