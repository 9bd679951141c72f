// Translation of SDL events into the window procedure's input events.
#include "app/input_translate.h"

#include <cstdio>

#include "app/look_cursor.h"

namespace {
GameKey gameKey(SDL_Keycode key) {
    switch (key) {
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return GameKey::CTRL;
    case SDLK_LEFT:
        return GameKey::LEFT;
    case SDLK_UP:
        return GameKey::UP;
    case SDLK_RIGHT:
        return GameKey::RIGHT;
    case SDLK_DOWN:
        return GameKey::DOWN;
    case SDLK_TAB:
        return GameKey::TAB;
    case SDLK_t:
        return GameKey::CHAT;
    case SDLK_BACKSPACE:
        return GameKey::BACKSPACE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return GameKey::ENTER;
    default:
        return GameKey::OTHER;
    }
}

InputEvent keyEvent(const SDL_KeyboardEvent& key) {
    InputEvent in;
    if (key.keysym.mod & KMOD_ALT) return in;
    if (key.type == SDL_KEYDOWN && key.keysym.sym == SDLK_ESCAPE) {
        // Escape counts by the character it types, on every press and repeat.
        in.kind      = InputKind::CHAR;
        in.character = ESCAPE_CHAR;
        return in;
    }
    in.kind   = key.type == SDL_KEYDOWN ? InputKind::KEY_DOWN : InputKind::KEY_UP;
    in.key    = gameKey(key.keysym.sym);
    in.repeat = key.repeat != 0;
    return in;
}

InputEvent buttonEvent(const SDL_MouseButtonEvent& button) {
    InputEvent in;
    if (button.button == SDL_BUTTON_LEFT) in.kind = InputKind::LEFT_BUTTON_DOWN;
    if (button.button == SDL_BUTTON_RIGHT) in.kind = InputKind::RIGHT_BUTTON_DOWN;
    return in;
}

InputEvent motionEvent(const SDL_MouseMotionEvent& motion) {
    moveLookCursor(motion.xrel, motion.yrel);
    InputEvent in;
    in.kind = InputKind::MOUSE_MOVE;
    in.dx   = lookOffsetX();
    in.dy   = lookOffsetY();
    return in;
}
} // namespace

InputEvent translateEvent(const SDL_Event& event) {
    InputEvent in;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return keyEvent(event.key);
    case SDL_MOUSEBUTTONDOWN:
        return buttonEvent(event.button);
    case SDL_MOUSEMOTION:
        return motionEvent(event.motion);
    case SDL_QUIT:
        in.kind = InputKind::CLOSE;
        return in;
    case SDL_TEXTINPUT:
        in.kind = InputKind::TEXT;
        std::snprintf(in.text, sizeof in.text, "%s", event.text.text);
        return in;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) in.kind = InputKind::CLOSE;
        return in;
    default:
        return in;
    }
}
