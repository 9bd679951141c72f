// The game window's input on SDL2: events translated into the game's, the cursor held for
// the look, and typed text.
#include <SDL.h>

#include <cstdio>

#include "platform/linux/sdl_gamepad.h"
#include "platform/platform.h"

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
    noteGamepadEvent(sdlEvent);
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
