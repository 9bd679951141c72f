// The player's input from SDL's events, through the platform's translation and the player's
// controls, to the world, one event a line: the control flags, shots, respawn, mouse look
// within the window, Escape and close; each action on an input of the player's choosing; then
// the main loop, which handles every waiting event before the next frame.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "app/chat_input.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "app/held_keys.h"
#include "app/hud_state.h"
#include "app/look_cursor.h"
#include "app/main_loop.h"
#include "platform/platform.h"
#include "step/chat_outbox.h"
#include "tests/support/portable/record_capture.h"
#include "tests/support/portable/wire.h"
#include "tests/support/portable/world_setup.h"
#include "world/messages.h"
#include "world/step_input.h"

namespace {
constexpr int LOCAL = 2, ALIVE = FULL_HEALTH, NO_SLOT = -1;
constexpr float TURN = 0.3f; // degrees per pixel
int shutdowns        = 0;

// A key (code: the key, a: the modifiers), a button (code), a motion (a, b), a window event
// (code), typed text, or the quit.
SDL_Event event(Uint32 type, int code = 0, int a = 0, int b = 0, const char* text = "") {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP)
        e.key.keysym = {SDL_Scancode(0), code, Uint16(a), 0};
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) e.button.button = Uint8(code);
    if (type == SDL_MOUSEMOTION) e.motion.xrel = a, e.motion.yrel = b;
    if (type == SDL_WINDOWEVENT) e.window.event = Uint8(code);
    if (type == SDL_TEXTINPUT) std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    return e;
}

// The event as the platform hands it to the game. SDL may first end its previous round of
// polling with one "none waiting".
void handle(SDL_Event e) {
    SDL_PushEvent(&e);
    InputEvent in;
    ASSERT_TRUE(platformPollEvent(&in) || platformPollEvent(&in));
    handleEvent(in);
}

using Flag         = int32_t ControlState::*;
const Flag FLAGS[] = {&ControlState::forward,    &ControlState::backward,
                      &ControlState::strafeLeft, &ControlState::strafeRight,
                      &ControlState::vertical,   &ControlState::fire};
const Flag UP = FLAGS[0], DOWN = FLAGS[1], LEFT = FLAGS[2], RIGHT = FLAGS[3], CTRL = FLAGS[4];
const Flag FIRE = FLAGS[5], NONE = nullptr;

struct InputCase {
    const char* name;
    SDL_Event event;
    Flag flag;        // the one flag it sets; a key's release clears it
    float yaw, pitch; // the local ship's after the step, from 0
    bool quits;       // shut down, then the quit message
    int health;       // the local ship's before; NO_SLOT: a joiner before its welcome
    bool respawns;
};

// clang-format off
const InputCase INPUTS[] = {
    {"Up",           event(SDL_KEYDOWN, SDLK_UP),                 UP,    0, 0, false, ALIVE, false},
    {"Down",         event(SDL_KEYDOWN, SDLK_DOWN),               DOWN,  0, 0, false, ALIVE, false},
    {"Left",         event(SDL_KEYDOWN, SDLK_LEFT),               LEFT,  0, 0, false, ALIVE, false},
    {"Right",        event(SDL_KEYDOWN, SDLK_RIGHT),              RIGHT, 0, 0, false, ALIVE, false},
    {"LeftCtrl",     event(SDL_KEYDOWN, SDLK_LCTRL),              CTRL,  0, 0, false, ALIVE, false},
    {"RightCtrl",    event(SDL_KEYDOWN, SDLK_RCTRL),              CTRL,  0, 0, false, ALIVE, false},
    {"Tab",          event(SDL_KEYDOWN, SDLK_TAB),                NONE,  0, 0, false, ALIVE, false},
    {"OtherKey",     event(SDL_KEYDOWN, SDLK_a),                  NONE,  0, 0, false, ALIVE, false},
    {"UpWithAlt",    event(SDL_KEYDOWN, SDLK_UP, KMOD_LALT),      NONE,  0, 0, false, ALIVE, false},
    {"Escape",       event(SDL_KEYDOWN, SDLK_ESCAPE),             NONE,  0, 0, true,  ALIVE, false},
    {"AltEscape",    event(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_RALT),  NONE,  0, 0, false, ALIVE, false},
    {"CloseBox",     event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE), NONE, 0, 0, true, ALIVE, false},
    {"Quit",         event(SDL_QUIT),                             NONE,  0, 0, true,  ALIVE, false},
    {"LeftButton",   event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT), FIRE,  0, 0, false, ALIVE, false},
    {"MiddleDead",   event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE), NONE, 0, 0, false, 0,   false},
    {"RightAlive",   event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), NONE, 0, 0, false, 1,     false},
    {"RightDead",    event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), NONE, 0, 0, false, 0,     true},
    {"RightNoSlot",  event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), NONE, 0, 0, false, NO_SLOT, false},
    {"LookLeftWraps", event(SDL_MOUSEMOTION, 0, -10, 0), NONE, 360 - 10 * TURN, 0,         false, ALIVE, false},
    {"LookDead",     event(SDL_MOUSEMOTION, 0, 10, 0),   NONE, 10 * TURN,       0,         false, 0,     false},
    {"LookNoSlot",   event(SDL_MOUSEMOTION, 0, 40, -30), NONE, 0,               0,         false, NO_SLOT, false},
    // The cursor stays inside the 640 x 480 window; the look is measured from (300, 200).
    {"LookAtRight",  event(SDL_MOUSEMOTION, 0, 100000, 0),  NONE, 339 * TURN, 0,           false, ALIVE, false},
    {"LookAtTop",    event(SDL_MOUSEMOTION, 0, 0, -100000), NONE, 0,          -200 * TURN, false, ALIVE, false},
    {"LookAtFoot",   event(SDL_MOUSEMOTION, 0, 0, 100000),  NONE, 0,          279 * TURN,  false, ALIVE, false},
};
// clang-format on

void expectOnly(Flag on, const char* when) {
    for (Flag f : FLAGS)
        EXPECT_EQ(gameWorld.input.controls.*f, f == on) << when;
}
} // namespace

// What the window procedure calls besides the world: counted here.
void shutdownGame() {
    EXPECT_FALSE(quitMessagePosted()) << "the quit message comes after the shutdown";
    ++shutdowns;
}

TEST(Input, EachEventChangesOnlyWhatItShould) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    setLookArea(640, 480);
    for (const InputCase& c : INPUTS) {
        SCOPED_TRACE(c.name);
        freshWorld(gameWorld);
        Player& ship = placeLocal(gameWorld, LOCAL, {0.5f, 0.5f, 0.5f}); // spawn points are whole
        ship.health  = c.health == NO_SLOT ? ALIVE : c.health;
        if (c.health == NO_SLOT) gameWorld.localPlayer = FREE_SLOT;
        const PlayerTable before = gameWorld.players;
        gameHeldActions          = HeldActions{}; // a step has passed since any press, all let go
        gameWorld.input          = StepInput{};
        clearQuitMessage();
        shutdowns = 0;
        centreCursor();
        handle(c.event);
        applyStepInput(gameWorld); // the step's own use of the input
        expectOnly(c.flag, "pressed");
        const bool key = c.event.type == SDL_KEYDOWN;
        EXPECT_EQ(overlayView(0).scoreboard, key && c.event.key.keysym.sym == SDLK_TAB);
        EXPECT_NEAR(ship.yaw, c.yaw, 1e-3f);
        EXPECT_NEAR(ship.pitch, c.pitch, 1e-3f);
        EXPECT_EQ(quitMessagePosted(), c.quits);
        EXPECT_EQ(shutdowns, c.quits ? 1 : 0);
        EXPECT_EQ(ship.health, c.respawns ? FULL_HEALTH : before[LOCAL].health);
        EXPECT_EQ(ship.pos[0] != before[LOCAL].pos[0], c.respawns) << "a respawn moves the ship";
        EXPECT_TRUE(c.health != NO_SLOT ||
                    std::memcmp(&before, &gameWorld.players, sizeof before) == 0);
        if (!key || c.quits) continue;
        handle(event(SDL_KEYUP, c.event.key.keysym.sym, c.event.key.keysym.mod));
        expectOnly(c.flag, "tapped: held until a step has seen it");
        EXPECT_FALSE(overlayView(0).scoreboard) << "Tab let go";
        settleTappedKeys(gameWorld.input.controls);
        expectOnly(NONE, "a step after the tap");
    }
    SDL_Quit();
}

namespace {
struct BindCase {
    const char* bind; // --bind's text over the defaults
    SDL_Event press;  // its release follows
    Flag flag;        // the one flag it sets
    bool scoreboard, chat, respawn;
};

// clang-format off
const BindCase BINDS[] = {
    {"forward=W",                event(SDL_KEYDOWN, SDLK_w),      UP,    false, false, false},
    {"forward=W",                event(SDL_KEYDOWN, SDLK_UP),     NONE,  false, false, false},
    {"backward=S,Down",          event(SDL_KEYDOWN, SDLK_DOWN),   DOWN,  false, false, false},
    {"left=A",                   event(SDL_KEYDOWN, SDLK_a),      LEFT,  false, false, false},
    {"right=Keypad 6",           event(SDL_KEYDOWN, SDLK_KP_6),   RIGHT, false, false, false},
    {"vertical=Mouse Middle",    event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE), CTRL, false, false, false},
    {"left=Left Ctrl",           event(SDL_KEYDOWN, SDLK_LCTRL),  LEFT,  false, false, false},
    {"fire=Space",               event(SDL_KEYDOWN, SDLK_SPACE),  FIRE,  false, false, false},
    {"fire=Space",               event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT), NONE, false, false, false},
    {"respawn=R",                event(SDL_KEYDOWN, SDLK_r),      NONE,  false, false, true},
    {"scoreboard=Mouse X1",      event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1), NONE, true, false, false},
    {"chat=Return",              event(SDL_KEYDOWN, SDLK_RETURN), NONE,  false, true,  false},
    {"forward=Mouse Right",      event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), UP, false, false, false},
};
// clang-format on

SDL_Event releaseOf(const SDL_Event& press) {
    if (press.type == SDL_KEYDOWN) return event(SDL_KEYUP, press.key.keysym.sym);
    return event(SDL_MOUSEBUTTONUP, press.button.button);
}
} // namespace

// Every action on an input the player chose: held as long as it is down (a tap until the next
// step), the input it took from another action no longer doing that.
TEST(Input, EachActionTakesTheInputsThePlayerBound) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    char problem[CONTROLS_PROBLEM_SIZE];
    for (const BindCase& c : BINDS) {
        SCOPED_TRACE(c.bind);
        freshWorld(gameWorld);
        placeLocal(gameWorld, LOCAL, {0, 0, 0});
        resetChat();
        gameHeldActions    = HeldActions{};
        gameSetup.controls = ControlSettings{};
        ASSERT_TRUE(parseBinding(gameSetup.controls, c.bind, problem)) << problem;
        handle(c.press);
        expectOnly(c.flag, "pressed");
        EXPECT_EQ(overlayView(0).scoreboard, c.scoreboard);
        EXPECT_EQ(chatIsOpen(), c.chat);
        EXPECT_EQ(gameWorld.input.respawn, c.respawn);
        handle(releaseOf(c.press));
        EXPECT_FALSE(overlayView(0).scoreboard);
        settleTappedKeys(gameWorld.input.controls);
        expectOnly(c.flag == FIRE ? FIRE : NONE, "a step after the tap (the step takes the shot)");
    }
    gameSetup.controls = ControlSettings{};
    resetChat();
    SDL_Quit();
}

// The look turns by the player's sensitivity, pitch the other way when inverted.
TEST(Input, TheLookFollowsSensitivityAndInversion) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    setLookArea(640, 480);
    const struct {
        float sensitivity;
        bool invert;
        int dx, dy;
        float yaw, pitch;
    } LOOKS[] = {
        {1.0f, false, 10,  20,  10 * TURN,  20 * TURN  },
        {0.5f, false, 10,  20,  5 * TURN,   10 * TURN  },
        {5.0f, true,  4,   20,  20 * TURN,  -100 * TURN},
        {0.1f, true,  -10, -20, 360 - TURN, 2 * TURN   },
    };
    for (const auto& c : LOOKS) {
        SCOPED_TRACE(testing::Message() << c.sensitivity << (c.invert ? " inverted" : ""));
        freshWorld(gameWorld);
        Player& ship                   = placeLocal(gameWorld, LOCAL, {0, 0, 0});
        gameSetup.controls.sensitivity = c.sensitivity;
        gameSetup.controls.invertPitch = c.invert;
        centreCursor();
        handle(event(SDL_MOUSEMOTION, 0, c.dx, c.dy));
        applyStepInput(gameWorld);
        EXPECT_NEAR(ship.yaw, c.yaw, 1e-3f);
        EXPECT_NEAR(ship.pitch, c.pitch, 1e-3f);
    }
    gameSetup.controls = ControlSettings{};
    SDL_Quit();
}

// Every key the game knows comes from the key SDL gives its name, and SDL names it so too.
TEST(Input, KeysComeNamedAsSdlNamesThem) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    for (int code = 1; code < static_cast<int>(InputCode::MOUSE_LEFT); ++code) {
        const char* name = inputName(static_cast<InputCode>(code));
        SCOPED_TRACE(name);
        const SDL_Keycode key = SDL_GetKeyFromName(name);
        SDL_Event e           = event(SDL_KEYUP, key);
        SDL_PushEvent(&e);
        InputEvent in;
        ASSERT_TRUE(platformPollEvent(&in) || platformPollEvent(&in));
        EXPECT_EQ(static_cast<int>(in.code), code);
        EXPECT_STREQ(SDL_GetKeyName(key), name);
    }
    SDL_Quit();
}

// Motions between two steps each add their whole offset from the look centre; the ship turns
// once, when the step takes them.
TEST(Input, MotionsGatheredBetweenStepsTurnTheShipAtTheStep) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    setLookArea(640, 480);
    freshWorld(gameWorld);
    Player& ship = placeLocal(gameWorld, LOCAL, {0, 0, 0});
    centreCursor();
    for (int n = 0; n < 2; ++n)
        handle(event(SDL_MOUSEMOTION, 0, 10, -5));
    EXPECT_EQ(ship.yaw, 0.0f) << "not before the step";
    applyStepInput(gameWorld);
    EXPECT_NEAR(ship.yaw, 30 * TURN, 1e-3f);
    EXPECT_NEAR(ship.pitch, -15 * TURN, 1e-3f);
    applyStepInput(gameWorld);
    EXPECT_NEAR(ship.yaw, 30 * TURN, 1e-3f) << "the step used the turn up";
    SDL_Quit();
}

// T opens the chat line, which then takes the keys (no flying) until Enter sends it or Escape
// closes it; only an Escape with the line closed ends the game. Lines leave 4 records a second.
TEST(Input, TheChatLineTakesTheKeysUntilEnterOrEscape) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    freshWorld(gameWorld);
    placeLocal(gameWorld, LOCAL, {0, 0, 0});
    resetChat();
    gameStep.chat = ChatOutbox{};
    clearQuitMessage();
    shutdowns = 0;
    char text[CHAT_TEXT_CHARS + 1];
    for (const SDL_Event& e :
         {event(SDL_KEYDOWN, SDLK_t), event(SDL_TEXTINPUT, 0, 0, 0, "hi \xc3\xa9"),
          event(SDL_KEYDOWN, SDLK_UP), event(SDL_KEYDOWN, SDLK_BACKSPACE)})
        handle(e);
    chatText(text);
    EXPECT_STREQ(text, "hi ");
    EXPECT_EQ(gameWorld.input.controls.forward, 0);
    handle(event(SDL_KEYDOWN, SDLK_ESCAPE));
    EXPECT_FALSE(chatIsOpen());
    EXPECT_FALSE(quitMessagePosted()) << "Escape closed the chat, not the game";
    for (int line = 0; line < 6; ++line)
        for (const SDL_Event& e : {event(SDL_KEYDOWN, SDLK_t), event(SDL_TEXTINPUT, 0, 0, 0, "gg"),
                                   event(SDL_KEYDOWN, line % 2 ? SDLK_RETURN : SDLK_KP_ENTER)})
            handle(e);
    ASSERT_EQ(gameWorld.messages.chatCount, 5) << "shown here at once, the oldest pushed out";
    EXPECT_EQ(gameWorld.messages.chat[4].slot, LOCAL);
    EXPECT_STREQ(gameWorld.messages.chat[4].text, "gg");
    std::vector<Record> sent;
    const RecordOut out{gameNet, captureRecord, &sent};
    deliverChat(gameStep.chat, out, 0);
    deliverChat(gameStep.chat, out, 999);
    EXPECT_EQ(ofType(sent, WIRE_CHAT).size(), 4u);
    deliverChat(gameStep.chat, out, 1000);
    EXPECT_EQ(ofType(sent, WIRE_CHAT).size(), 6u);
    handle(event(SDL_KEYDOWN, SDLK_ESCAPE));
    EXPECT_TRUE(quitMessagePosted());
    SDL_Quit();
}

namespace {
int frames = 0;
ControlState seenByFrame[2];

void push(SDL_Event e) {
    SDL_PushEvent(&e);
}

// The main loop test's frame: what the input did before it; the second time round, new
// events, the last behind the quit and never handled.
void testFrame() {
    if (frames < 2) seenByFrame[frames] = gameWorld.input.controls;
    settleTappedKeys(gameWorld.input.controls);
    if (++frames > 2) postQuitMessage(1); // no loop without end
    if (frames != 2) return;
    push(event(SDL_KEYUP, SDLK_UP));
    push(event(SDL_KEYDOWN, SDLK_ESCAPE));
    push(event(SDL_KEYDOWN, SDLK_DOWN));
}
} // namespace

TEST(MainLoop, HandlesEveryWaitingEventBeforeTheNextFrameAndStopsAtTheQuit) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    freshWorld(gameWorld);
    clearQuitMessage();
    push(event(SDL_KEYDOWN, SDLK_UP));
    push(event(SDL_KEYDOWN, SDLK_LEFT));
    EXPECT_EQ(runMainLoop(testFrame), 0);
    ASSERT_EQ(frames, 2);
    EXPECT_EQ(seenByFrame[0].forward, 1);
    EXPECT_EQ(seenByFrame[0].strafeLeft, 1);
    EXPECT_EQ(gameWorld.input.controls.forward, 0);
    EXPECT_EQ(gameWorld.input.controls.backward, 0) << "Down came after the quit";
    clearQuitMessage();
    postQuitMessage(0);
    push(event(SDL_KEYDOWN, SDLK_UP));
    EXPECT_EQ(runMainLoop(testFrame), 0)
        << "a quit posted before the loop ends it before any frame";
    EXPECT_EQ(frames, 2);
    SDL_Quit();
}
