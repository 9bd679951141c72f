// The gamepad: its mapping as a table (flight flags, dead zone, curve, look speed, inverted
// look), presses that count once, and a pad driven through SDL's virtual joysticks reaching
// the step's input beside the keys, plugged in and out.
#include <gtest/gtest.h>

#include <SDL.h>

#include "app/controls/gamepad_input.h"
#include "app/game_world.h"
#include "app/gamepad_play.h"
#include "app/held_keys.h"
#include "app/hud_state.h"
#include "tests/support/portable/world_setup.h"
#include "world/step_clock.h"
#include "world/step_input.h"

namespace {
// The player's controls the table tries: plain, inverted look, slower with a wider
// dead zone.
ControlSettings controls(bool invert, int speed, int deadZone) {
    ControlSettings c;
    c.invertPitch  = invert;
    c.padLookSpeed = speed;
    c.padDeadZone  = deadZone;
    return c;
}
const ControlSettings PLAIN = controls(false, 180, 15), INVERTED = controls(true, 180, 15),
                      SLOW = controls(false, 90, 30);

// The actions a reading holds, one bit each.
constexpr unsigned bit(Action a) {
    return 1u << static_cast<int>(a);
}
constexpr unsigned FWD = bit(Action::FORWARD), LEFT = bit(Action::LEFT), RIGHT = bit(Action::RIGHT),
                   VERT = bit(Action::VERTICAL);

struct MappingCase {
    const char* name;
    GamepadState pad;
    const ControlSettings& settings;
    unsigned held;    // the flight actions held
    float yaw, pitch; // degrees in one second
};

GamepadState pad(float lx, float ly, float rx, float ry, float lt = 0, bool shoulder = false) {
    return GamepadState{true, lx, ly, rx, ry, lt, 0, false, false, shoulder};
}

// clang-format off
const MappingCase MAPPING[] = {
    {"LeftUp",           pad(0, -1, 0, 0),         PLAIN,    FWD,         0,       0},
    {"LeftLeft",         pad(-0.6f, 0, 0, 0),      PLAIN,    LEFT,        0,       0},
    {"LeftDiagonal",     pad(0.7f, -0.7f, 0, 0),   PLAIN,    FWD | RIGHT, 0,       0},
    {"LeftSmallTilt",    pad(0.4f, -0.4f, 0, 0),   PLAIN,    0,           0,       0},
    {"LeftShoulder",     pad(0, 0, 0, 0, 0, true), PLAIN,    VERT,        0,       0},
    {"LeftTrigger",      pad(0, 0, 0, 0, 0.6f),    PLAIN,    VERT,        0,       0},
    {"LeftTriggerLight", pad(0, 0, 0, 0, 0.4f),    PLAIN,    0,           0,       0},
    {"InDeadZone",       pad(0, 0, 0.1f, -0.1f),   PLAIN,    0,           0,       0},
    {"RightFull",        pad(0, 0, 1, 0),          PLAIN,    0,           180,     0},
    {"RightHalfPast",    pad(0, 0, -0.575f, 0),    PLAIN,    0,           -45,     0},
    {"RightDownInvert",  pad(0, 0, 0, 1),          INVERTED, 0,           0,       -180},
    {"RightCorner",      pad(0, 0, 1, -1),         PLAIN,    0,           127.28f, -127.28f},
    {"SlowInDeadZone",   pad(0, 0, 0.29f, 0),      SLOW,     0,           0,       0},
    {"SlowHalfPast",     pad(0, 0, 0, -0.65f),     SLOW,     0,           0,       -22.5f},
};
// clang-format on

using Flag         = int32_t ControlState::*;
const Flag FLAGS[] = {&ControlState::forward,    &ControlState::backward,
                      &ControlState::strafeLeft, &ControlState::strafeRight,
                      &ControlState::vertical,   &ControlState::fire};
} // namespace

TEST(GamepadInput, SticksTriggersAndShoulderMapAsTheTableSays) {
    for (const MappingCase& c : MAPPING) {
        SCOPED_TRACE(c.name);
        GamepadLatches latches{};
        const GamepadInput in = gamepadInput(c.pad, c.settings, 1.0f, latches);
        for (int a = 0; a < ACTION_COUNT; ++a)
            EXPECT_EQ(in.held[a], (c.held & bit(Action(a))) != 0) << a;
        EXPECT_NEAR(in.turnYaw, c.yaw, 0.01f);
        EXPECT_NEAR(in.turnPitch, c.pitch, 0.01f);
    }
}

// A pull fires once, however long it is held; the trigger must fall below the lower mark, not
// only the upper, before the next pull fires. The south button respawns once a press.
TEST(GamepadInput, EachPullFiresOnceAndEachPressCountsOnce) {
    struct Reading {
        float trigger;
        bool button, fires, respawns;
    };
    // clang-format off
    const Reading readings[] = {{0.6f, true,  true,  true }, {0.9f, true, false, false},
                                {0.4f, false, false, false}, {0.6f, true, false, true },
                                {0.2f, true,  false, false}, {0.6f, false, true, false}};
    // clang-format on
    GamepadLatches latches{};
    for (const Reading& r : readings) {
        const GamepadState state{true, 0, 0, 0, 0, 0, r.trigger, r.button, r.button, false};
        const GamepadInput in = gamepadInput(state, PLAIN, 1.0f, latches);
        EXPECT_EQ(in.pressed[static_cast<int>(Action::FIRE)], r.fires) << r.trigger;
        EXPECT_EQ(in.pressed[static_cast<int>(Action::RESPAWN)], r.respawns) << r.trigger;
    }
}

namespace {
// A pad as SDL's virtual joystick makes one, with the game controller's layout; its instance.
SDL_JoystickID attachPad() {
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    EXPECT_GE(index, 0) << SDL_GetError();
    return SDL_JoystickGetDeviceInstanceID(index);
}

void detachPad(SDL_JoystickID id) {
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
}

void setAxis(SDL_JoystickID id, SDL_GameControllerAxis axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(SDL_JoystickFromInstanceID(id), axis, value);
}

// The window's events as the main loop takes them: pads arrive and leave, their state moves.
void pollEvents() {
    InputEvent event;
    while (platformPollEvent(&event)) {
    }
}

float leftXRead() {
    pollEvents();
    GamepadState state;
    return platformReadGamepad(&state) ? state.leftX : -99.0f;
}

struct Gamepad : testing::Test {
    void SetUp() override {
        char problem[PLATFORM_PROBLEM_SIZE];
        ASSERT_TRUE(platformOpenGamepads(problem, sizeof problem)) << problem;
    }
    void TearDown() override { SDL_Quit(); }
};
} // namespace

// Each control through SDL's layout to the step; the stick let go lets go of its flag but not
// of a key's, and Back holds the scoreboard when Tab is let go.
TEST_F(Gamepad, AVirtualPadPlaysTheStepBesideTheKeys) {
    const SDL_JoystickID id = attachPad();
    pollEvents();
    setAxis(id, SDL_CONTROLLER_AXIS_LEFTY, -32768);
    setAxis(id, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    setAxis(id, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    for (SDL_GameControllerButton b :
         {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_LEFTSHOULDER})
        SDL_JoystickSetVirtualButton(SDL_JoystickFromInstanceID(id), b, 1);
    pollEvents();
    freshWorld(gameWorld);
    Player& ship = placeLocal(gameWorld, 2, {0, 0, 0});
    pressAction(gameHeldActions, Action::LEFT, 0); // a key held, as the window procedure keeps it
    composeControls(gameHeldActions, gameWorld.input.controls);
    addGamepadInput(gameWorld, nullptr);
    for (Flag f : FLAGS)
        EXPECT_EQ(gameWorld.input.controls.*f,
                  f != &ControlState::backward && f != &ControlState::strafeRight);
    EXPECT_TRUE(gameWorld.input.respawn);
    EXPECT_TRUE(overlayView(0).scoreboard);
    applyStepInput(gameWorld);
    EXPECT_NEAR(ship.yaw, PAD_LOOK_DEFAULT * STEP_MS / 1000.0f, 1e-3f);
    settleTappedKeys(gameWorld.input.controls);
    setAxis(id, SDL_CONTROLLER_AXIS_LEFTY, 0);
    pollEvents();
    holdScoreboard(false); // Tab let go
    addGamepadInput(gameWorld, nullptr);
    EXPECT_EQ(gameWorld.input.controls.forward, 0) << "the stick let go";
    EXPECT_EQ(gameWorld.input.controls.strafeLeft, 1) << "the key still held";
    EXPECT_TRUE(overlayView(0).scoreboard) << "Back still held";
    detachPad(id);
    pollEvents();
    addGamepadInput(gameWorld, nullptr);
    EXPECT_FALSE(overlayView(0).scoreboard) << "a pad that goes lets go of Back";
    releaseEveryAction(gameHeldActions);
}

// The first pad connected plays while it stays; then the one connected next. Each pad's left
// stick is pushed its own way to tell them apart.
TEST_F(Gamepad, TheFirstConnectedPlaysAndTheNextTakesOverWhenItGoes) {
    EXPECT_EQ(leftXRead(), -99.0f) << "none yet";
    const SDL_JoystickID first = attachPad(), second = attachPad();
    pollEvents();
    setAxis(first, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    setAxis(second, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(leftXRead(), -1.0f);
    detachPad(first);
    EXPECT_EQ(leftXRead(), 1.0f);
    const SDL_JoystickID third = attachPad();
    pollEvents();
    setAxis(third, SDL_CONTROLLER_AXIS_LEFTX, -16384);
    EXPECT_EQ(leftXRead(), 1.0f) << "a newcomer waits";
    detachPad(second);
    EXPECT_NEAR(leftXRead(), -0.5f, 1e-3f);
    detachPad(third);
    EXPECT_EQ(leftXRead(), -99.0f);
}
