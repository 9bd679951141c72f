// Movement keys into control flags, with taps kept until a step has seen them.
#include "app/held_keys.h"

namespace {
// Keys pressed since the last step, and those of them already let go.
uint32_t pressedSinceStep = 0;
uint32_t releasedEarly    = 0;

constexpr GameKey MOVEMENT_KEYS[] = {GameKey::CTRL, GameKey::LEFT, GameKey::UP, GameKey::RIGHT,
                                     GameKey::DOWN};

uint32_t keyBit(GameKey key) {
    return 1u << static_cast<unsigned>(key);
}

int32_t* flagOf(ControlState& controls, GameKey key) {
    switch (key) {
    case GameKey::CTRL:
        return &controls.vertical;
    case GameKey::LEFT:
        return &controls.strafeLeft;
    case GameKey::UP:
        return &controls.forward;
    case GameKey::RIGHT:
        return &controls.strafeRight;
    case GameKey::DOWN:
        return &controls.backward;
    default:
        return nullptr;
    }
}
} // namespace

void pressKey(ControlState& controls, GameKey key) {
    int32_t* flag = flagOf(controls, key);
    if (!flag) return;
    *flag = 1;
    pressedSinceStep |= keyBit(key);
    releasedEarly &= ~keyBit(key);
}

void releaseKey(ControlState& controls, GameKey key) {
    int32_t* flag = flagOf(controls, key);
    if (!flag) return;
    if (pressedSinceStep & keyBit(key)) {
        releasedEarly |= keyBit(key);
    } else {
        *flag = 0;
    }
}

void releaseEveryKey(ControlState& controls) {
    for (GameKey key : MOVEMENT_KEYS)
        *flagOf(controls, key) = 0;
    pressedSinceStep = releasedEarly = 0;
}

void settleTappedKeys(ControlState& controls) {
    for (GameKey key : MOVEMENT_KEYS) {
        if (releasedEarly & keyBit(key)) *flagOf(controls, key) = 0;
    }
    pressedSinceStep = releasedEarly = 0;
}
