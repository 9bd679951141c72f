// Gamepads through XInput, loaded when the game starts so that a system without it still
// plays with the keyboard and mouse. Windows numbers pads 0..3 in the order they connect; the
// pad that plays keeps playing while it stays, then the lowest connected one takes over.
#include <windows.h>

#include <xinput.h>

#include <algorithm>
#include <cstdio>

#include "platform/platform.h"

namespace {
using GetStateCall = DWORD(WINAPI*)(DWORD user, XINPUT_STATE* state);

constexpr const char* XINPUT_LIBRARIES[] = {"xinput1_4.dll", "xinput9_1_0.dll"};
constexpr float STICK_FULL               = 32767.0f;
constexpr float TRIGGER_FULL             = 255.0f;
// Asking for an empty place is slow on some systems: they are looked at once a second.
constexpr uint32_t SEARCH_EVERY_MS = 1000;
constexpr DWORD NO_PAD             = XUSER_MAX_COUNT;

struct XInputPads {
    GetStateCall getState = nullptr;
    DWORD playing         = NO_PAD;
    uint32_t searchedMs   = 0;
    bool searched         = false;
};
XInputPads pads;

float stick(SHORT value) {
    return std::clamp(value / STICK_FULL, -1.0f, 1.0f);
}

// The lowest place holding a pad, or NO_PAD.
DWORD searchPads(XINPUT_STATE* state) {
    for (DWORD user = 0; user < XUSER_MAX_COUNT; ++user) {
        if (pads.getState(user, state) == ERROR_SUCCESS) return user;
    }
    return NO_PAD;
}

bool readPlaying(XINPUT_STATE* state) {
    if (pads.playing != NO_PAD && pads.getState(pads.playing, state) == ERROR_SUCCESS) return true;
    pads.playing       = NO_PAD;
    const uint32_t now = platformMilliseconds();
    if (pads.searched && now - pads.searchedMs < SEARCH_EVERY_MS) return false;
    pads.searched   = true;
    pads.searchedMs = now;
    pads.playing    = searchPads(state);
    return pads.playing != NO_PAD;
}
} // namespace

bool platformOpenGamepads(char* problem, int problemSize) {
    for (const char* name : XINPUT_LIBRARIES) {
        HMODULE library = LoadLibraryA(name);
        if (!library) continue;
        pads.getState = reinterpret_cast<GetStateCall>(
            reinterpret_cast<void*>(GetProcAddress(library, "XInputGetState")));
        if (pads.getState) return true;
    }
    std::snprintf(problem, static_cast<size_t>(problemSize),
                  "gamepads cannot be read: neither xinput1_4.dll nor xinput9_1_0.dll loads; "
                  "install the DirectX runtime for them, and play with the keyboard and mouse "
                  "meanwhile");
    return false;
}

bool platformReadGamepad(GamepadState* pad) {
    *pad = GamepadState{};
    XINPUT_STATE state;
    if (!pads.getState || !readPlaying(&state)) return false;
    const XINPUT_GAMEPAD& in = state.Gamepad;
    pad->connected           = true;
    pad->leftX               = stick(in.sThumbLX);
    pad->leftY               = -stick(in.sThumbLY); // XInput's sticks count up as positive
    pad->rightX              = stick(in.sThumbRX);
    pad->rightY              = -stick(in.sThumbRY);
    pad->leftTrigger         = in.bLeftTrigger / TRIGGER_FULL;
    pad->rightTrigger        = in.bRightTrigger / TRIGGER_FULL;
    pad->south               = (in.wButtons & XINPUT_GAMEPAD_A) != 0;
    pad->back                = (in.wButtons & XINPUT_GAMEPAD_BACK) != 0;
    pad->leftShoulder        = (in.wButtons & XINPUT_GAMEPAD_LEFT_SHOULDER) != 0;
    return true;
}
