// The game window's input on SDL2: events translated into the game's, the cursor held for
// the look, and typed text.
#include <SDL.h>

#include <cstdio>

#include "platform/platform.h"

namespace {
struct KeyRow {
    SDL_Keycode key;
    InputCode code;
};
// The keys outside the runs of letters, digits, function keys and keypad digits.
// clang-format off
constexpr KeyRow KEYS[] = {
    {SDLK_UP, InputCode::UP}, {SDLK_DOWN, InputCode::DOWN}, {SDLK_LEFT, InputCode::LEFT},
    {SDLK_RIGHT, InputCode::RIGHT}, {SDLK_SPACE, InputCode::SPACE}, {SDLK_TAB, InputCode::TAB},
    {SDLK_RETURN, InputCode::RETURN}, {SDLK_BACKSPACE, InputCode::BACKSPACE},
    {SDLK_LCTRL, InputCode::LEFT_CTRL}, {SDLK_RCTRL, InputCode::RIGHT_CTRL},
    {SDLK_LSHIFT, InputCode::LEFT_SHIFT}, {SDLK_RSHIFT, InputCode::RIGHT_SHIFT},
    {SDLK_LALT, InputCode::LEFT_ALT}, {SDLK_RALT, InputCode::RIGHT_ALT},
    {SDLK_INSERT, InputCode::INSERT}, {SDLK_DELETE, InputCode::DELETE_KEY},
    {SDLK_HOME, InputCode::HOME}, {SDLK_END, InputCode::END}, {SDLK_PAGEUP, InputCode::PAGE_UP},
    {SDLK_PAGEDOWN, InputCode::PAGE_DOWN}, {SDLK_CAPSLOCK, InputCode::CAPS_LOCK},
    {SDLK_MINUS, InputCode::MINUS}, {SDLK_EQUALS, InputCode::EQUALS},
    {SDLK_LEFTBRACKET, InputCode::LEFT_BRACKET}, {SDLK_RIGHTBRACKET, InputCode::RIGHT_BRACKET},
    {SDLK_BACKSLASH, InputCode::BACKSLASH}, {SDLK_SEMICOLON, InputCode::SEMICOLON},
    {SDLK_QUOTE, InputCode::APOSTROPHE}, {SDLK_BACKQUOTE, InputCode::GRAVE},
    {SDLK_COMMA, InputCode::COMMA}, {SDLK_PERIOD, InputCode::PERIOD}, {SDLK_SLASH, InputCode::SLASH},
    {SDLK_KP_0, InputCode::KEYPAD_0}, {SDLK_KP_PERIOD, InputCode::KEYPAD_PERIOD},
    {SDLK_KP_DIVIDE, InputCode::KEYPAD_DIVIDE}, {SDLK_KP_MULTIPLY, InputCode::KEYPAD_MULTIPLY},
    {SDLK_KP_MINUS, InputCode::KEYPAD_MINUS}, {SDLK_KP_PLUS, InputCode::KEYPAD_PLUS},
    {SDLK_KP_ENTER, InputCode::KEYPAD_ENTER},
};
// SDL's mouse buttons from SDL_BUTTON_LEFT on.
constexpr InputCode BUTTONS[] = {InputCode::MOUSE_LEFT, InputCode::MOUSE_MIDDLE,
                                 InputCode::MOUSE_RIGHT, InputCode::MOUSE_X1, InputCode::MOUSE_X2};
// clang-format on
constexpr int LETTERS = 26, DIGITS = 10, FUNCTION_KEYS = 12, KEYPAD_DIGITS = 9;

InputCode offset(InputCode first, int by) {
    return static_cast<InputCode>(static_cast<int>(first) + by);
}

// The key's code from its symbol, which the player's layout gives it: the key labelled "Z"
// is Z on a QWERTZ keyboard too.
InputCode inputCode(SDL_Keycode key) {
    if (key >= SDLK_a && key < SDLK_a + LETTERS) return offset(InputCode::A, key - SDLK_a);
    if (key >= SDLK_0 && key < SDLK_0 + DIGITS) return offset(InputCode::DIGIT_0, key - SDLK_0);
    if (key >= SDLK_F1 && key < SDLK_F1 + FUNCTION_KEYS)
        return offset(InputCode::F1, key - SDLK_F1);
    if (key >= SDLK_KP_1 && key < SDLK_KP_1 + KEYPAD_DIGITS)
        return offset(InputCode::KEYPAD_1, key - SDLK_KP_1);
    for (const KeyRow& row : KEYS) {
        if (row.key == key) return row.code;
    }
    return InputCode::NONE;
}

bool isAlt(SDL_Keycode key) {
    return key == SDLK_LALT || key == SDLK_RALT;
}

// A key pressed with Alt is the system's (Alt+F4), but a release always comes, so nothing
// stays held.
InputEvent keyEvent(const SDL_KeyboardEvent& key) {
    InputEvent in;
    const bool down = key.type == SDL_KEYDOWN;
    if (down && (key.keysym.mod & KMOD_ALT) && !isAlt(key.keysym.sym)) return in;
    if (down && key.keysym.sym == SDLK_ESCAPE) {
        in.kind      = InputKind::CHAR;
        in.character = ESCAPE_CHAR;
        return in;
    }
    in.code = inputCode(key.keysym.sym);
    if (in.code == InputCode::NONE) return in;
    in.kind   = down ? InputKind::INPUT_DOWN : InputKind::INPUT_UP;
    in.repeat = key.repeat != 0;
    return in;
}

InputEvent buttonEvent(const SDL_MouseButtonEvent& button) {
    InputEvent in;
    const int row = button.button - SDL_BUTTON_LEFT;
    if (row < 0 || row >= static_cast<int>(sizeof BUTTONS / sizeof BUTTONS[0])) return in;
    in.kind = button.type == SDL_MOUSEBUTTONDOWN ? InputKind::INPUT_DOWN : InputKind::INPUT_UP;
    in.code = BUTTONS[row];
    return in;
}

InputEvent windowEvent(const SDL_WindowEvent& window) {
    InputEvent in;
    if (window.event == SDL_WINDOWEVENT_CLOSE) in.kind = InputKind::CLOSE;
    if (window.event == SDL_WINDOWEVENT_SIZE_CHANGED) in.kind = InputKind::RESIZED;
    return in;
}

InputEvent translateEvent(const SDL_Event& event) {
    InputEvent in;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return keyEvent(event.key);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return buttonEvent(event.button);
    case SDL_MOUSEMOTION:
        in.kind = InputKind::MOUSE_MOVE;
        in.dx   = event.motion.xrel;
        in.dy   = event.motion.yrel;
        return in;
    case SDL_QUIT:
        in.kind = InputKind::CLOSE;
        return in;
    case SDL_TEXTINPUT:
        in.kind = InputKind::TEXT;
        std::snprintf(in.text, sizeof in.text, "%s", event.text.text);
        return in;
    case SDL_WINDOWEVENT:
        return windowEvent(event.window);
    default:
        return in;
    }
}
} // namespace

bool platformPollEvent(InputEvent* event) {
    SDL_Event sdlEvent;
    if (!SDL_PollEvent(&sdlEvent)) return false;
    *event = translateEvent(sdlEvent);
    return true;
}

void platformTextInput(bool on) {
    if (on) {
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}

// Relative mode holds the cursor: the mouse reports motion only and never leaves the game
// window (moving the pointer back every frame is not allowed everywhere).
void platformShowCursor(bool visible) {
    SDL_SetRelativeMouseMode(visible ? SDL_FALSE : SDL_TRUE);
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}
