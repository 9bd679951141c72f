// Gamepads through SDL's game controller layer, which maps every known pad to one layout.
// Pads are opened as they arrive and kept in the order they came: the first one plays.
#include "platform/linux/sdl_gamepad.h"

#include <algorithm>
#include <cstdio>

#include "platform/platform.h"

namespace {
constexpr int MOST_GAMEPADS      = 8; // a ninth plugged in at once is never read
constexpr float AXIS_FULL        = 32767.0f;
constexpr Uint32 UNUSED_EVENTS[] = {
    // The game reads the pad's state once a step: its motion events would only fill the queue.
    SDL_JOYAXISMOTION,
    SDL_JOYBALLMOTION,
    SDL_JOYHATMOTION,
    SDL_JOYBUTTONDOWN,
    SDL_JOYBUTTONUP,
    SDL_CONTROLLERAXISMOTION,
    SDL_CONTROLLERBUTTONDOWN,
    SDL_CONTROLLERBUTTONUP,
    SDL_CONTROLLERTOUCHPADDOWN,
    SDL_CONTROLLERTOUCHPADMOTION,
    SDL_CONTROLLERTOUCHPADUP,
    SDL_CONTROLLERSENSORUPDATE,
};

// The open pads by instance, in the order they arrived. Instances rather than pointers: a
// pad SDL has let go of (SDL_Quit) is simply not found.
struct OpenPads {
    SDL_JoystickID id[MOST_GAMEPADS];
    int count = 0;
};
OpenPads openPads;

void openPad(int deviceIndex) {
    if (openPads.count == MOST_GAMEPADS) return;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    SDL_JoystickID* end     = openPads.id + openPads.count;
    if (std::find(openPads.id, end, id) != end) {
        SDL_GameControllerClose(pad); // SDL counts the opens: one is kept
        return;
    }
    openPads.id[openPads.count++] = id;
}

void closePad(SDL_JoystickID id) {
    SDL_JoystickID* end = openPads.id + openPads.count;
    SDL_JoystickID* at  = std::find(openPads.id, end, id);
    if (at == end) return;
    std::copy(at + 1, end, at);
    --openPads.count;
    SDL_GameController* pad = SDL_GameControllerFromInstanceID(id);
    if (pad) SDL_GameControllerClose(pad);
}

float stick(SDL_GameController* pad, SDL_GameControllerAxis axis) {
    return std::clamp(SDL_GameControllerGetAxis(pad, axis) / AXIS_FULL, -1.0f, 1.0f);
}

bool pressed(SDL_GameController* pad, SDL_GameControllerButton button) {
    return SDL_GameControllerGetButton(pad, button) != 0;
}
} // namespace

void noteGamepadEvent(const SDL_Event& event) {
    if (event.type == SDL_CONTROLLERDEVICEADDED) openPad(event.cdevice.which);
    if (event.type == SDL_CONTROLLERDEVICEREMOVED) closePad(event.cdevice.which);
}

bool platformOpenGamepads(char* problem, int problemSize) {
    openPads.count = 0;
    // The pads already plugged in arrive as events too.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::snprintf(problem, static_cast<size_t>(problemSize),
                      "gamepads cannot be read (%s): a pad needs its device in /dev/input "
                      "readable by you; the keyboard and mouse play meanwhile",
                      SDL_GetError());
        return false;
    }
    for (Uint32 type : UNUSED_EVENTS)
        SDL_EventState(type, SDL_IGNORE);
    return true;
}

bool platformReadGamepad(GamepadState* pad) {
    *pad = GamepadState{};
    SDL_GameController* playing =
        openPads.count > 0 ? SDL_GameControllerFromInstanceID(openPads.id[0]) : nullptr;
    if (!playing) return false;
    pad->connected    = true;
    pad->leftX        = stick(playing, SDL_CONTROLLER_AXIS_LEFTX);
    pad->leftY        = stick(playing, SDL_CONTROLLER_AXIS_LEFTY);
    pad->rightX       = stick(playing, SDL_CONTROLLER_AXIS_RIGHTX);
    pad->rightY       = stick(playing, SDL_CONTROLLER_AXIS_RIGHTY);
    pad->leftTrigger  = stick(playing, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    pad->rightTrigger = stick(playing, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    pad->south        = pressed(playing, SDL_CONTROLLER_BUTTON_A);
    pad->back         = pressed(playing, SDL_CONTROLLER_BUTTON_BACK);
    pad->leftShoulder = pressed(playing, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    return true;
}
