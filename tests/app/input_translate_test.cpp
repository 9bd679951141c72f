// SDL events into input events: keys, Escape, Alt, buttons, close and gathered motion.
#include <gtest/gtest.h>

#include "app/input_translate.h"
#include "app/look_cursor.h"
#include "app/platform.h"

namespace {
SDL_Event keyEvent(Uint32 type, SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type           = type;
    e.key.type       = type;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    e.key.repeat     = repeat;
    e.key.state      = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    return e;
}

SDL_Event motion(int xrel, int yrel) {
    SDL_Event e{};
    e.type        = SDL_MOUSEMOTION;
    e.motion.xrel = xrel;
    e.motion.yrel = yrel;
    return e;
}

SDL_Event button(Uint32 type, Uint8 which) {
    SDL_Event e{};
    e.type          = type;
    e.button.button = which;
    return e;
}

class Translate : public ::testing::Test {
  protected:
    void SetUp() override {
        setLookArea(640, 480);
        centreCursor();
    }
};
} // namespace

TEST_F(Translate, ArrowsAndBothCtrlKeysAreTheGamesKeys) {
    struct {
        SDL_Keycode sym;
        GameKey key;
    } const keys[] = {
        {SDLK_LCTRL, GameKey::CTRL },
        {SDLK_RCTRL, GameKey::CTRL },
        {SDLK_LEFT,  GameKey::LEFT },
        {SDLK_UP,    GameKey::UP   },
        {SDLK_RIGHT, GameKey::RIGHT},
        {SDLK_DOWN,  GameKey::DOWN },
        {SDLK_a,     GameKey::OTHER}
    };
    for (const auto& k : keys) {
        InputEvent d = translateEvent(keyEvent(SDL_KEYDOWN, k.sym));
        EXPECT_EQ(d.kind, InputKind::KEY_DOWN);
        EXPECT_EQ(d.key, k.key);
        InputEvent u = translateEvent(keyEvent(SDL_KEYUP, k.sym));
        EXPECT_EQ(u.kind, InputKind::KEY_UP);
        EXPECT_EQ(u.key, k.key);
    }
    InputEvent held = translateEvent(keyEvent(SDL_KEYDOWN, SDLK_UP, KMOD_CTRL, 1));
    EXPECT_EQ(held.key, GameKey::UP); // Ctrl held does not hide the arrows
    EXPECT_TRUE(held.repeat);
}

TEST_F(Translate, EscapeIsItsCharacterOnEveryPress) {
    InputEvent e = translateEvent(keyEvent(SDL_KEYDOWN, SDLK_ESCAPE));
    EXPECT_EQ(e.kind, InputKind::CHAR);
    EXPECT_EQ(e.character, ESCAPE_CHAR);
    EXPECT_EQ(translateEvent(keyEvent(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_NONE, 1)).kind,
              InputKind::CHAR);
    EXPECT_EQ(translateEvent(keyEvent(SDL_KEYUP, SDLK_ESCAPE)).key, GameKey::OTHER);
}

TEST_F(Translate, KeysWithAltBelongToTheSystem) {
    EXPECT_EQ(translateEvent(keyEvent(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_LALT)).kind, InputKind::OTHER);
    EXPECT_EQ(translateEvent(keyEvent(SDL_KEYDOWN, SDLK_UP, KMOD_RALT)).kind, InputKind::OTHER);
    EXPECT_EQ(translateEvent(keyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LALT)).kind, InputKind::OTHER);
}

TEST_F(Translate, PressesOfLeftAndRightButtonsOnly) {
    EXPECT_EQ(translateEvent(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT)).kind,
              InputKind::LEFT_BUTTON_DOWN);
    EXPECT_EQ(translateEvent(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT)).kind,
              InputKind::RIGHT_BUTTON_DOWN);
    EXPECT_EQ(translateEvent(button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT)).kind, InputKind::OTHER);
    EXPECT_EQ(translateEvent(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE)).kind,
              InputKind::OTHER);
}

TEST_F(Translate, WindowCloseAndQuitAreClose) {
    SDL_Event close{};
    close.type         = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_EQ(translateEvent(close).kind, InputKind::CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(translateEvent(quit).kind, InputKind::CLOSE);
    SDL_Event moved{};
    moved.type         = SDL_WINDOWEVENT;
    moved.window.event = SDL_WINDOWEVENT_MOVED;
    EXPECT_EQ(translateEvent(moved).kind, InputKind::OTHER);
}

TEST_F(Translate, EachMotionReportsAllMotionSinceTheFrameCentredTheCursor) {
    InputEvent first = translateEvent(motion(3, -1));
    EXPECT_EQ(first.kind, InputKind::MOUSE_MOVE);
    EXPECT_EQ(first.dx, 3);
    EXPECT_EQ(first.dy, -1);
    InputEvent second = translateEvent(motion(5, 4));
    EXPECT_EQ(second.dx, 8);
    EXPECT_EQ(second.dy, 3);
    centreCursor();
    InputEvent next = translateEvent(motion(-1, 0));
    EXPECT_EQ(next.dx, -1);
    EXPECT_EQ(next.dy, 0);
}

TEST_F(Translate, TheCursorStaysWithinTheWindow) {
    InputEvent e = translateEvent(motion(-100000, 100000));
    EXPECT_EQ(e.dx, -300); // the window's left edge
    EXPECT_EQ(e.dy, 479 - 200);
    e = translateEvent(motion(2000000000, -2000000000));
    EXPECT_EQ(e.dx, 639 - 300);
    EXPECT_EQ(e.dy, -200);
    e = translateEvent(motion(-1, 1)); // and moves back from the edge at once
    EXPECT_EQ(e.dx, 638 - 300);
    EXPECT_EQ(e.dy, 1 - 200);
}
