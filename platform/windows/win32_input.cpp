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
constexpr int GAME_KEY_COUNT       = static_cast<int>(GameKey::ENTER) + 1;
constexpr wchar_t FIRST_PRINTABLE  = 0x20;
constexpr wchar_t DELETE_CHARACTER = 0x7f;

struct EventRing {
    InputEvent events[EVENT_RING_SIZE];
    int first = 0;
    int count = 0;
};

struct InputState {
    EventRing waiting;
    bool textOn                  = false;
    bool textAtKeyDown           = false; // the last key went down while text input was on
    bool cursorHeld              = false; // hidden, in the window, reporting motion only
    bool windowActive            = false;
    bool pointerKnown            = false; // lastPointer holds the free cursor's place
    POINT lastPointer            = {0, 0};
    wchar_t highSurrogate        = 0; // the first half of a character beyond 0xFFFF
    bool keyDown[GAME_KEY_COUNT] = {};
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

GameKey gameKey(WPARAM key) {
    switch (key) {
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        return GameKey::CTRL;
    case VK_LEFT:
        return GameKey::LEFT;
    case VK_UP:
        return GameKey::UP;
    case VK_RIGHT:
        return GameKey::RIGHT;
    case VK_DOWN:
        return GameKey::DOWN;
    case VK_TAB:
        return GameKey::TAB;
    case 'T':
        return GameKey::CHAT;
    case VK_BACK:
        return GameKey::BACKSPACE;
    case VK_F12:
        return GameKey::F12;
    case VK_RETURN: // the main Return and the keypad's Enter alike
        return GameKey::ENTER;
    default:
        return GameKey::OTHER;
    }
}

void queueKey(bool down, WPARAM key, LPARAM flags) {
    if (down) input.textAtKeyDown = input.textOn;
    InputEvent event;
    if (down && key == VK_ESCAPE) {
        event.kind      = InputKind::CHAR;
        event.character = ESCAPE_CHAR;
        queueEvent(event);
        return;
    }
    event.kind                                 = down ? InputKind::KEY_DOWN : InputKind::KEY_UP;
    event.key                                  = gameKey(key);
    event.repeat                               = down && (flags & KEY_WAS_DOWN) != 0;
    input.keyDown[static_cast<int>(event.key)] = down;
    queueEvent(event);
}

// Keys held when the focus leaves are let go, or the ship would keep turning.
void releaseHeldKeys() {
    for (int key = 0; key < GAME_KEY_COUNT; ++key) {
        if (!input.keyDown[key] || key == static_cast<int>(GameKey::OTHER)) continue;
        input.keyDown[key] = false;
        InputEvent event;
        event.kind = InputKind::KEY_UP;
        event.key  = static_cast<GameKey>(key);
        queueEvent(event);
    }
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
    if (!active) releaseHeldKeys();
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
    case WM_SYSKEYUP: // held with Alt: the system's (Alt+F4), so its default runs
        queueKind(InputKind::OTHER);
        return false;
    case WM_CHAR:
        queueCharacter(static_cast<wchar_t>(wParam));
        return true;
    case WM_MOUSEMOVE:
        takeMouseMove(window, lParam);
        return true;
    case WM_LBUTTONDOWN:
        queueKind(InputKind::LEFT_BUTTON_DOWN);
        return true;
    case WM_RBUTTONDOWN:
        queueKind(InputKind::RIGHT_BUTTON_DOWN);
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
