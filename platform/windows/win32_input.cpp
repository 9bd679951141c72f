// The game window's input on Win32: the window procedure's messages become the game's
// InputEvents in a fixed ring that platformPollEvent drains; the hidden cursor is held in
// the window and brought back to its centre, so the mouse reports motion only; typed
// characters become UTF-8 TEXT events while text input is on.
#include "platform/windows/win32_input.h"

#include <windowsx.h>

#include "platform/platform.h"
#include "platform/windows/win32_window.h"

namespace {
constexpr int EVENT_RING_SIZE      = 256;     // far more than one frame's worth
constexpr LPARAM KEY_WAS_DOWN      = 1 << 30; // a key message's auto-repeat flag
constexpr LPARAM EXTENDED_KEY      = 1 << 24; // the right Ctrl and Alt, the keypad's Enter
constexpr LPARAM ALT_HELD          = 1 << 29; // a system key message's context code
constexpr int SCAN_CODE_SHIFT      = 16;
constexpr LPARAM SCAN_CODE_MASK    = 0xff;
constexpr wchar_t FIRST_PRINTABLE  = 0x20;
constexpr wchar_t DELETE_CHARACTER = 0x7f;

struct EventRing {
    InputEvent events[EVENT_RING_SIZE];
    int first = 0;
    int count = 0;
};

struct InputState {
    EventRing waiting;
    bool textOn                 = false;
    bool textAtKeyDown          = false; // the last key went down while text input was on
    bool cursorHeld             = false; // hidden, in the window, reporting motion only
    bool windowActive           = false;
    bool pointerKnown           = false; // lastPointer holds the free cursor's place
    POINT lastPointer           = {0, 0};
    wchar_t highSurrogate       = 0;  // the first half of a character beyond 0xFFFF
    bool down[INPUT_CODE_COUNT] = {}; // keys and buttons down, so losing the focus lets go
};
InputState input; // the one window's input

// A frame that falls this far behind loses the newest input, never the table.
void queueEvent(const InputEvent& event) {
    EventRing& ring = input.waiting;
    if (ring.count == EVENT_RING_SIZE) return;
    ring.events[(ring.first + ring.count) % EVENT_RING_SIZE] = event;
    ++ring.count;
}

bool takeEvent(InputEvent* event) {
    EventRing& ring = input.waiting;
    if (ring.count == 0) return false;
    *event     = ring.events[ring.first];
    ring.first = (ring.first + 1) % EVENT_RING_SIZE;
    --ring.count;
    return true;
}

void queueKind(InputKind kind) {
    InputEvent event;
    event.kind = kind;
    queueEvent(event);
}

struct KeyRow {
    WPARAM key;
    InputCode code;
};
// The keys outside the runs of letters, digits, function keys and keypad digits; Ctrl, Alt,
// Shift and Enter are told apart by their flags (keyInputCode).
// clang-format off
constexpr KeyRow KEYS[] = {
    {VK_UP, InputCode::UP}, {VK_DOWN, InputCode::DOWN}, {VK_LEFT, InputCode::LEFT},
    {VK_RIGHT, InputCode::RIGHT}, {VK_SPACE, InputCode::SPACE}, {VK_TAB, InputCode::TAB},
    {VK_BACK, InputCode::BACKSPACE}, {VK_LSHIFT, InputCode::LEFT_SHIFT},
    {VK_RSHIFT, InputCode::RIGHT_SHIFT}, {VK_INSERT, InputCode::INSERT},
    {VK_DELETE, InputCode::DELETE_KEY}, {VK_HOME, InputCode::HOME}, {VK_END, InputCode::END},
    {VK_PRIOR, InputCode::PAGE_UP}, {VK_NEXT, InputCode::PAGE_DOWN},
    {VK_CAPITAL, InputCode::CAPS_LOCK}, {VK_OEM_MINUS, InputCode::MINUS},
    {VK_OEM_PLUS, InputCode::EQUALS}, {VK_OEM_4, InputCode::LEFT_BRACKET},
    {VK_OEM_6, InputCode::RIGHT_BRACKET}, {VK_OEM_5, InputCode::BACKSLASH},
    {VK_OEM_1, InputCode::SEMICOLON}, {VK_OEM_7, InputCode::APOSTROPHE},
    {VK_OEM_3, InputCode::GRAVE}, {VK_OEM_COMMA, InputCode::COMMA},
    {VK_OEM_PERIOD, InputCode::PERIOD}, {VK_OEM_2, InputCode::SLASH},
    {VK_NUMPAD0, InputCode::KEYPAD_0}, {VK_DECIMAL, InputCode::KEYPAD_PERIOD},
    {VK_DIVIDE, InputCode::KEYPAD_DIVIDE}, {VK_MULTIPLY, InputCode::KEYPAD_MULTIPLY},
    {VK_SUBTRACT, InputCode::KEYPAD_MINUS}, {VK_ADD, InputCode::KEYPAD_PLUS},
};
// clang-format on
constexpr int LETTERS = 26, DIGITS = 10, FUNCTION_KEYS = 12, KEYPAD_DIGITS = 9;

InputCode offset(InputCode first, WPARAM by) {
    return static_cast<InputCode>(static_cast<int>(first) + static_cast<int>(by));
}
} // namespace

// The virtual key, which the player's layout gives the key; the flags tell left from right.
InputCode keyInputCode(WPARAM key, LPARAM flags) {
    const bool extended = (flags & EXTENDED_KEY) != 0;
    if (key >= 'A' && key < 'A' + LETTERS) return offset(InputCode::A, key - 'A');
    if (key >= '0' && key < '0' + DIGITS) return offset(InputCode::DIGIT_0, key - '0');
    if (key >= VK_F1 && key < VK_F1 + FUNCTION_KEYS) return offset(InputCode::F1, key - VK_F1);
    if (key >= VK_NUMPAD1 && key < VK_NUMPAD1 + KEYPAD_DIGITS)
        return offset(InputCode::KEYPAD_1, key - VK_NUMPAD1);
    if (key == VK_CONTROL) return extended ? InputCode::RIGHT_CTRL : InputCode::LEFT_CTRL;
    if (key == VK_MENU) return extended ? InputCode::RIGHT_ALT : InputCode::LEFT_ALT;
    if (key == VK_RETURN) return extended ? InputCode::KEYPAD_ENTER : InputCode::RETURN;
    if (key == VK_SHIFT) {
        const UINT scan = static_cast<UINT>((flags >> SCAN_CODE_SHIFT) & SCAN_CODE_MASK);
        key             = MapVirtualKeyW(scan, MAPVK_VSC_TO_VK_EX);
    }
    for (const KeyRow& row : KEYS) {
        if (row.key == key) return row.code;
    }
    return InputCode::NONE;
}

namespace {
void queueInput(bool down, InputCode code, bool repeat) {
    if (code == InputCode::NONE) {
        queueKind(InputKind::OTHER);
        return;
    }
    InputEvent event;
    event.kind                         = down ? InputKind::INPUT_DOWN : InputKind::INPUT_UP;
    event.code                         = code;
    event.repeat                       = repeat;
    input.down[static_cast<int>(code)] = down;
    queueEvent(event);
}

void queueKey(bool down, WPARAM key, LPARAM flags) {
    if (down) input.textAtKeyDown = input.textOn;
    if (down && key == VK_ESCAPE) {
        InputEvent event;
        event.kind      = InputKind::CHAR;
        event.character = ESCAPE_CHAR;
        queueEvent(event);
        return;
    }
    queueInput(down, keyInputCode(key, flags), down && (flags & KEY_WAS_DOWN) != 0);
}

// Keys held with Alt are the system's (Alt+F4), so their default runs; the Alt keys
// themselves and F10 (a system key without Alt) are the game's. Releases always come, so
// nothing stays held.
bool takeSystemKey(bool down, WPARAM key, LPARAM flags) {
    if (key == VK_MENU || !(flags & ALT_HELD) || !down) {
        queueKey(down, key, flags);
        return key == VK_MENU || key == VK_F10; // no system menu from either
    }
    queueKind(InputKind::OTHER);
    return false;
}

// Keys and buttons down when the focus leaves are let go, or the ship would keep flying.
void releaseHeldInputs() {
    for (int code = 1; code < INPUT_CODE_COUNT; ++code) {
        if (input.down[code]) queueInput(false, static_cast<InputCode>(code), false);
    }
}

InputCode extraButton(WPARAM wParam) {
    return GET_XBUTTON_WPARAM(wParam) == XBUTTON2 ? InputCode::MOUSE_X2 : InputCode::MOUSE_X1;
}

// A key that turns text input on (T opens the chat line) types nothing itself: its character
// comes after the key, when text input is already on.
void queueCharacter(wchar_t unit) {
    if (!input.textOn || !input.textAtKeyDown) return;
    if (IS_HIGH_SURROGATE(unit)) {
        input.highSurrogate = unit;
        return;
    }
    wchar_t character[2] = {unit, 0};
    int units            = 1;
    if (IS_LOW_SURROGATE(unit)) {
        if (!input.highSurrogate) return;
        character[0] = input.highSurrogate;
        character[1] = unit;
        units        = 2;
    }
    input.highSurrogate = 0;
    // Escape, Backspace and Return come as keys.
    if (units == 1 && (unit < FIRST_PRINTABLE || unit == DELETE_CHARACTER)) return;
    InputEvent event;
    event.kind = InputKind::TEXT;
    WideCharToMultiByte(CP_UTF8, 0, character, units, event.text, TEXT_EVENT_SIZE - 1, nullptr,
                        nullptr);
    queueEvent(event);
}

POINT clientCentre(HWND window) {
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

// The hidden cursor stays in the client area, at its centre between two motions.
void holdCursor(HWND window) {
    RECT client{0, 0, 0, 0};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ClipCursor(&client);
    POINT centre = clientCentre(window);
    ClientToScreen(window, &centre);
    SetCursorPos(centre.x, centre.y);
    SetCursor(nullptr);
}

void followCursorHold(HWND window) {
    if (input.cursorHeld && input.windowActive) {
        holdCursor(window);
    } else {
        ClipCursor(nullptr);
    }
}

void queueMotion(int dx, int dy) {
    InputEvent event;
    event.kind = InputKind::MOUSE_MOVE;
    event.dx   = dx;
    event.dy   = dy;
    queueEvent(event);
}

// Held: the offset from the centre is the motion, and the cursor goes back there (its own
// return comes as a motion of nothing). Free: the motion since the last place.
void takeMouseMove(HWND window, LPARAM at) {
    const POINT pointer{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (input.cursorHeld && input.windowActive) {
        POINT centre = clientCentre(window);
        if (pointer.x == centre.x && pointer.y == centre.y) return;
        queueMotion(pointer.x - centre.x, pointer.y - centre.y);
        ClientToScreen(window, &centre);
        SetCursorPos(centre.x, centre.y);
        return;
    }
    if (input.pointerKnown)
        queueMotion(pointer.x - input.lastPointer.x, pointer.y - input.lastPointer.y);
    input.lastPointer  = pointer;
    input.pointerKnown = true;
}

void followActivation(HWND window, bool active) {
    input.windowActive = active;
    if (!active) releaseHeldInputs();
    followCursorHold(window);
}

// Size: the drawable changed unless the window only went to the task bar.
void takeSize(HWND window, WPARAM how) {
    if (how != SIZE_MINIMIZED) queueKind(InputKind::RESIZED);
    if (input.windowActive) followCursorHold(window);
}
} // namespace

bool takeInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        queueKey(message == WM_KEYDOWN, wParam, lParam);
        return true;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return takeSystemKey(message == WM_SYSKEYDOWN, wParam, lParam);
    case WM_CHAR:
        queueCharacter(static_cast<wchar_t>(wParam));
        return true;
    case WM_MOUSEMOVE:
        takeMouseMove(window, lParam);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        queueInput(message == WM_LBUTTONDOWN, InputCode::MOUSE_LEFT, false);
        return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        queueInput(message == WM_RBUTTONDOWN, InputCode::MOUSE_RIGHT, false);
        return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        queueInput(message == WM_MBUTTONDOWN, InputCode::MOUSE_MIDDLE, false);
        return true;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP: // handled: the system wants TRUE back
        queueInput(message == WM_XBUTTONDOWN, extraButton(wParam), false);
        *result = TRUE;
        return true;
    case WM_CLOSE: // the game decides; the window stays until it closes the video
        queueKind(InputKind::CLOSE);
        return true;
    case WM_SIZE:
        takeSize(window, wParam);
        return false;
    case WM_MOVE:
        if (input.windowActive) followCursorHold(window);
        return false;
    case WM_ACTIVATE:
        followActivation(window, LOWORD(wParam) != WA_INACTIVE);
        return false;
    case WM_SETCURSOR:
        if (!input.cursorHeld || LOWORD(lParam) != HTCLIENT) return false;
        SetCursor(nullptr);
        *result = TRUE;
        return true;
    default:
        return false;
    }
}

void releaseCursor() {
    ClipCursor(nullptr);
    input = InputState{};
}

bool platformPollEvent(InputEvent* event) {
    MSG message;
    while (input.waiting.count == 0 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            queueKind(InputKind::CLOSE);
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return takeEvent(event);
}

void platformTextInput(bool on) {
    input.textOn        = on;
    input.highSurrogate = 0;
}

void platformShowCursor(bool visible) {
    input.cursorHeld   = !visible;
    input.pointerKnown = false;
    HWND window        = gameWindowHandle();
    if (window) followCursorHold(window);
    if (visible) SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}
