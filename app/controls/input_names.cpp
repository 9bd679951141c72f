// Every input's name as the game shows and reads it: a key as SDL names it on a US layout,
// a mouse button as "Mouse" and its place.
#include <cctype>

#include "app/controls/controls.h"

namespace {
// In InputCode's order, so a code is its row.
constexpr const char* INPUT_NAMES[INPUT_CODE_COUNT] = {
    "",
    "A",
    "B",
    "C",
    "D",
    "E",
    "F",
    "G",
    "H",
    "I",
    "J",
    "K",
    "L",
    "M",
    "N",
    "O",
    "P",
    "Q",
    "R",
    "S",
    "T",
    "U",
    "V",
    "W",
    "X",
    "Y",
    "Z",
    "0",
    "1",
    "2",
    "3",
    "4",
    "5",
    "6",
    "7",
    "8",
    "9",
    "F1",
    "F2",
    "F3",
    "F4",
    "F5",
    "F6",
    "F7",
    "F8",
    "F9",
    "F10",
    "F11",
    "F12",
    "Up",
    "Down",
    "Left",
    "Right",
    "Space",
    "Tab",
    "Return",
    "Backspace",
    "Left Ctrl",
    "Right Ctrl",
    "Left Shift",
    "Right Shift",
    "Left Alt",
    "Right Alt",
    "Insert",
    "Delete",
    "Home",
    "End",
    "PageUp",
    "PageDown",
    "CapsLock",
    "-",
    "=",
    "[",
    "]",
    "\\",
    ";",
    "'",
    "`",
    ",",
    ".",
    "/",
    "Keypad 0",
    "Keypad 1",
    "Keypad 2",
    "Keypad 3",
    "Keypad 4",
    "Keypad 5",
    "Keypad 6",
    "Keypad 7",
    "Keypad 8",
    "Keypad 9",
    "Keypad .",
    "Keypad /",
    "Keypad *",
    "Keypad -",
    "Keypad +",
    "Keypad Enter",
    "Mouse Left",
    "Mouse Right",
    "Mouse Middle",
    "Mouse X1",
    "Mouse X2",
};

bool sameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}
} // namespace

const char* inputName(InputCode code) {
    const int row = static_cast<int>(code);
    return row >= 0 && row < INPUT_CODE_COUNT ? INPUT_NAMES[row] : "";
}

bool inputFromName(const char* name, InputCode* code) {
    for (int row = 1; row < INPUT_CODE_COUNT; ++row) {
        if (sameName(name, INPUT_NAMES[row])) {
            *code = static_cast<InputCode>(row);
            return true;
        }
    }
    return false;
}

bool inputBindable(InputCode code) {
    return code != InputCode::NONE && code != InputCode::F12 && code < InputCode::COUNT;
}
