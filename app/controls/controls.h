// The player's controls: the actions the game's inputs stand for, the names of those inputs,
// and the player's own settings (look speed, inverted look, field of view, which inputs each
// action takes). The game window, the set-up dialog, the command line and the settings all
// read and write these through the functions below.
#pragma once

#include <cstddef>

#include "platform/input_event.h"

enum class Action {
    FORWARD,
    BACKWARD,
    LEFT,
    RIGHT,
    VERTICAL,
    FIRE,
    RESPAWN,
    SCOREBOARD,
    CHAT,
    COUNT
};
constexpr int ACTION_COUNT      = static_cast<int>(Action::COUNT);
constexpr int INPUTS_PER_ACTION = 2;

constexpr float DEGREES_PER_PIXEL   = 0.3f; // the mouse's look at sensitivity 1
constexpr float SENSITIVITY_LOWEST  = 0.1f;
constexpr float SENSITIVITY_HIGHEST = 5.0f;
constexpr float SENSITIVITY_DEFAULT = 1.0f;
// The sensitivity's range as the command line and the settings read it, in hundredths.
constexpr int SENSITIVITY_LOWEST_HUNDREDTHS  = static_cast<int>(SENSITIVITY_LOWEST * 100 + 0.5f);
constexpr int SENSITIVITY_HIGHEST_HUNDREDTHS = static_cast<int>(SENSITIVITY_HIGHEST * 100 + 0.5f);
constexpr int FOV_LOWEST                     = 50; // vertical field of view, degrees
constexpr int FOV_HIGHEST                    = 110;
constexpr int FOV_DEFAULT                    = 60;
constexpr int BINDING_TEXT_SIZE              = 64;  // "Left Ctrl,Right Ctrl" and its end, with room
constexpr int CONTROLS_PROBLEM_SIZE          = 160; // a line naming what is wrong

// One action: its command-line and settings name ("forward"), its label in the dialog and
// the inputs it takes unless the player chooses others.
struct ActionRow {
    Action action;
    const char* name;
    const char* label;
    InputCode defaults[INPUTS_PER_ACTION];
};

struct ControlSettings {
    float sensitivity = SENSITIVITY_DEFAULT; // a factor of DEGREES_PER_PIXEL
    bool invertPitch  = false;               // moving the mouse up looks down
    int fovDegrees    = FOV_DEFAULT;
    // Each action's inputs, NONE for an empty place; an input is in one place at most.
    InputCode bindings[ACTION_COUNT][INPUTS_PER_ACTION];

    ControlSettings(); // every default, the action table's inputs included
};

const ActionRow& actionRow(Action action);
// False when no action has this name.
bool actionFromName(const char* name, Action* action);

// The input's name as the game shows and reads it ("W", "Left Ctrl", "Mouse Left"); "" for
// NONE.
const char* inputName(InputCode code);
// Reads a name as inputName writes it, in any case; false for a name the game does not know.
bool inputFromName(const char* name, InputCode* code);
// Escape (never a code) and F12 (screenshots) stay the game's own.
bool inputBindable(InputCode code);

// Adds the look turn of a mouse motion of dx, dy pixels, at the player's sensitivity and
// with pitch inverted if they chose so.
void addLookTurn(const ControlSettings& settings, int dx, int dy, float* yaw, float* pitch);

// The action the input is bound to and its place there; false when none.
bool findBinding(const ControlSettings& settings, InputCode code, Action* action, int* place);
// The action the input is bound to, COUNT when none.
Action actionOfInput(const ControlSettings& settings, InputCode code);
// Puts the input in the action's place (0 or 1; NONE empties it). An input bound elsewhere
// moves: the action it leaves is returned, COUNT when it left none. An input that cannot be
// bound changes nothing and returns COUNT.
Action bindInput(ControlSettings& settings, Action action, int place, InputCode code);
void restoreDefaultBindings(ControlSettings& settings);

// The action's inputs as text, "Left Ctrl,Right Ctrl" ("" when it has none).
void formatBinding(const ControlSettings& settings, Action action, char text[BINDING_TEXT_SIZE]);
// Reads "INPUT[,INPUT]" ("" for none) into the action's places, each input moving from any
// other action. False with a line naming the input in problem (and settings unchanged) when
// an input is unknown or cannot be bound.
bool parseInputs(ControlSettings& settings, Action action, const char* text,
                 char problem[CONTROLS_PROBLEM_SIZE]);
// Reads "ACTION=INPUT[,INPUT]" as the command line's --bind gives it. False with a line
// naming the unknown action or input in problem, settings unchanged.
bool parseBinding(ControlSettings& settings, const char* text, char problem[CONTROLS_PROBLEM_SIZE]);
