// FLTK names a key by the symbol the layout puts on it: letters and digits as their
// characters, the others as FL_ names.
#include "app/dialog/fltk/fltk_input_code.h"

#include <FL/Enumerations.H>

namespace {
struct KeyRow {
    int key;
    InputCode code;
};

// clang-format off
constexpr KeyRow KEYS[] = {
    {FL_Up, InputCode::UP}, {FL_Down, InputCode::DOWN}, {FL_Left, InputCode::LEFT},
    {FL_Right, InputCode::RIGHT}, {' ', InputCode::SPACE}, {FL_Tab, InputCode::TAB},
    {FL_Enter, InputCode::RETURN}, {FL_BackSpace, InputCode::BACKSPACE},
    {FL_Control_L, InputCode::LEFT_CTRL}, {FL_Control_R, InputCode::RIGHT_CTRL},
    {FL_Shift_L, InputCode::LEFT_SHIFT}, {FL_Shift_R, InputCode::RIGHT_SHIFT},
    {FL_Alt_L, InputCode::LEFT_ALT}, {FL_Alt_R, InputCode::RIGHT_ALT},
    {FL_Insert, InputCode::INSERT}, {FL_Delete, InputCode::DELETE_KEY}, {FL_Home, InputCode::HOME},
    {FL_End, InputCode::END}, {FL_Page_Up, InputCode::PAGE_UP},
    {FL_Page_Down, InputCode::PAGE_DOWN}, {FL_Caps_Lock, InputCode::CAPS_LOCK},
    {'-', InputCode::MINUS}, {'=', InputCode::EQUALS}, {'[', InputCode::LEFT_BRACKET},
    {']', InputCode::RIGHT_BRACKET}, {'\\', InputCode::BACKSLASH}, {';', InputCode::SEMICOLON},
    {'\'', InputCode::APOSTROPHE}, {'`', InputCode::GRAVE}, {',', InputCode::COMMA},
    {'.', InputCode::PERIOD}, {'/', InputCode::SLASH},
    {FL_KP + '.', InputCode::KEYPAD_PERIOD}, {FL_KP + '/', InputCode::KEYPAD_DIVIDE},
    {FL_KP + '*', InputCode::KEYPAD_MULTIPLY}, {FL_KP + '-', InputCode::KEYPAD_MINUS},
    {FL_KP + '+', InputCode::KEYPAD_PLUS}, {FL_KP_Enter, InputCode::KEYPAD_ENTER},
};

// Keys that come in runs, as the codes do.
struct KeyRun {
    int first, last;
    InputCode firstCode;
};
constexpr KeyRun RUNS[] = {
    {'a', 'z', InputCode::A},
    {'0', '9', InputCode::DIGIT_0},
    {FL_F + 1, FL_F + 12, InputCode::F1},
    {FL_KP + '0', FL_KP + '9', InputCode::KEYPAD_0},
};
// clang-format on

constexpr int FL_BUTTON_X1 = 8; // X's side buttons
constexpr int FL_BUTTON_X2 = 9;
} // namespace

InputCode inputOfKey(int key) {
    for (const KeyRun& run : RUNS) {
        if (key >= run.first && key <= run.last)
            return static_cast<InputCode>(static_cast<int>(run.firstCode) + key - run.first);
    }
    for (const KeyRow& row : KEYS)
        if (row.key == key) return row.code;
    return InputCode::NONE;
}

InputCode inputOfButton(int button) {
    switch (button) {
    case FL_LEFT_MOUSE:
        return InputCode::MOUSE_LEFT;
    case FL_MIDDLE_MOUSE:
        return InputCode::MOUSE_MIDDLE;
    case FL_RIGHT_MOUSE:
        return InputCode::MOUSE_RIGHT;
    case FL_BUTTON_X1:
        return InputCode::MOUSE_X1;
    case FL_BUTTON_X2:
        return InputCode::MOUSE_X2;
    default:
        return InputCode::NONE;
    }
}
