// The fatal-error box: the system's message box with the stop sign and one OK button, no
// owner, moved over the given area as it first shows (a message box centres itself on the
// screen otherwise).
#include <windows.h>

#include <cwchar>

#include "platform/platform.h"

namespace {
constexpr wchar_t DIALOG_CLASS[] = L"#32770"; // the class every message box has

// Where the box that is about to show goes: one box at a time, on this thread.
struct BoxPlace {
    ScreenArea over{0, 0, 0, 0};
    HHOOK hook = nullptr;
};
BoxPlace boxPlace;

void centreOver(HWND box, const ScreenArea& area) {
    RECT outline{0, 0, 0, 0};
    GetWindowRect(box, &outline);
    const int w = outline.right - outline.left, h = outline.bottom - outline.top;
    SetWindowPos(box, nullptr, area.x + (area.w - w) / 2, area.y + (area.h - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK placeBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t name[sizeof DIALOG_CLASS / sizeof DIALOG_CLASS[0] + 1] = {};
        GetClassNameW(window, name, sizeof name / sizeof name[0]);
        if (std::wcscmp(name, DIALOG_CLASS) == 0) {
            centreOver(window, boxPlace.over);
            UnhookWindowsHookEx(boxPlace.hook);
            boxPlace.hook = nullptr;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

void platformErrorBox(const char* title, const char* text, const ScreenArea& over) {
    boxPlace.over = over.w > 0 && over.h > 0 ? over : platformDesktopArea();
    boxPlace.hook = SetWindowsHookExW(WH_CBT, placeBox, nullptr, GetCurrentThreadId());
    // Brought to the front: a box behind the game's window would wait unseen.
    MessageBoxA(nullptr, text, title, MB_ICONSTOP | MB_OK | MB_SETFOREGROUND);
    if (boxPlace.hook) UnhookWindowsHookEx(boxPlace.hook);
    boxPlace.hook = nullptr;
}
