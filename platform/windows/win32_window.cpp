// The game window on Win32: its class and procedure, its place for each mode, the icon,
// per-monitor DPI awareness, and the display mode while exclusive full screen has the focus.
// One point is one pixel: the system never stretches what the game draws.
#include "platform/windows/win32_window.h"

#include <algorithm>
#include <cstdio>

#include "platform/platform.h"
#include "platform/windows/win32_display_mode.h"
#include "platform/windows/win32_gl_context.h"
#include "platform/windows/win32_icon.h"
#include "platform/windows/win32_input.h"
#include "platform/windows/win32_problem.h"

namespace {
constexpr int NAME_SIZE = 128; // the window's title and class, as the system takes them
constexpr WPARAM SYSTEM_COMMAND_BITS = 0xFFF0; // the system keeps the low four for itself

struct GameWindow {
    HINSTANCE instance           = nullptr;
    wchar_t className[NAME_SIZE] = {};
    bool classRegistered         = false;
    HWND handle                  = nullptr;
    HDC dc                       = nullptr;
    HICON icon                   = nullptr;
    WindowMode mode              = WindowMode::WINDOWED;
    int width = 0, height = 0;       // asked for: the display mode of FULL_SCREEN_SWITCH
    int minWidth = 0, minHeight = 0; // the client area of a resizable window, at least
};
GameWindow gameWindow; // the one game window, kept to the end

void wideName(const char* name, wchar_t* wide) {
    if (!MultiByteToWideChar(CP_UTF8, 0, name, -1, wide, NAME_SIZE)) wide[0] = L'\0';
}

bool decorated(WindowMode mode) {
    return mode == WindowMode::WINDOWED || mode == WindowMode::MAXIMISED;
}

DWORD windowStyle(WindowMode mode) {
    // A GL window never draws over its children or siblings.
    return (decorated(mode) ? WS_OVERLAPPEDWINDOW : WS_POPUP) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

MONITORINFO primaryMonitor() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor;
}

// The outer rectangle around a client area of width x height, centred in the work area.
RECT centredPlace(int width, int height, DWORD style) {
    RECT place{0, 0, width, height};
    AdjustWindowRectEx(&place, style, FALSE, 0);
    const RECT work = primaryMonitor().rcWork;
    const int w = place.right - place.left, h = place.bottom - place.top;
    const int x = work.left + (work.right - work.left - w) / 2;
    // A window taller than the work area keeps its title bar on the screen.
    const int y = std::max(work.top + (work.bottom - work.top - h) / 2, work.top);
    return RECT{x, y, x + w, y + h};
}

RECT windowPlace(const WindowRequest& request, DWORD style) {
    if (decorated(request.mode)) return centredPlace(request.width, request.height, style);
    return primaryMonitor().rcMonitor;
}

void coverScreen() {
    const RECT screen = primaryMonitor().rcMonitor;
    SetWindowPos(gameWindow.handle, HWND_TOP, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_NOACTIVATE);
}

// Exclusive full screen takes its mode while it has the focus and gives it back while the
// player is elsewhere (Alt+Tab), minimised.
void takeDisplayMode() {
    if (!switchDisplayMode(gameWindow.width, gameWindow.height))
        std::fprintf(stderr, "voranis: the display cannot take %dx%d; playing at its own size\n",
                     gameWindow.width, gameWindow.height);
    coverScreen();
}

void followFocus(bool active) {
    if (gameWindow.mode != WindowMode::FULL_SCREEN_SWITCH || !IsWindowVisible(gameWindow.handle))
        return;
    if (active) {
        takeDisplayMode();
        return;
    }
    platformRestoreDisplayMode();
    ShowWindow(gameWindow.handle, SW_MINIMIZE);
}

void keepMinimumSize(MINMAXINFO* limits, HWND window) {
    if (!decorated(gameWindow.mode)) return;
    RECT least{0, 0, gameWindow.minWidth, gameWindow.minHeight};
    AdjustWindowRectEx(&least, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE, 0);
    limits->ptMinTrackSize = POINT{least.right - least.left, least.bottom - least.top};
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETMINMAXINFO:
        keepMinimumSize(reinterpret_cast<MINMAXINFO*>(lParam), window);
        return 0;
    case WM_ERASEBKGND: // OpenGL paints every pixel
        return 1;
    case WM_ACTIVATEAPP:
        followFocus(wParam != FALSE);
        break;
    case WM_SYSCOMMAND:
        // Alt pressed alone would enter the window menu's own loop, and the game would stop
        // until it ends.
        if ((wParam & SYSTEM_COMMAND_BITS) == SC_KEYMENU) return 0;
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (takeInputMessage(window, message, wParam, lParam, &result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

using DpiContextFunction = BOOL(WINAPI*)(HANDLE);

// Per-monitor awareness where the system has it (Windows 10 1703 and later have version 2),
// system awareness before that: the system then never stretches the window's pixels.
void becomeDpiAware() {
    const HANDLE PER_MONITOR_AWARE    = reinterpret_cast<HANDLE>(-3);
    const HANDLE PER_MONITOR_AWARE_V2 = reinterpret_cast<HANDLE>(-4);
    const FARPROC found =
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext");
    if (found) {
        const auto setContext =
            reinterpret_cast<DpiContextFunction>(reinterpret_cast<void (*)()>(found));
        if (setContext(PER_MONITOR_AWARE_V2) || setContext(PER_MONITOR_AWARE)) return;
    }
    SetProcessDPIAware();
}
} // namespace

HWND gameWindowHandle() {
    return gameWindow.handle;
}

HDC gameWindowDc() {
    return gameWindow.dc;
}

bool platformOpenVideo(const char* title, char* problem, int problemSize) {
    becomeDpiAware();
    gameWindow.instance = GetModuleHandleW(nullptr);
    wideName(title, gameWindow.className);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize        = sizeof windowClass;
    windowClass.style         = CS_OWNDC | CS_HREDRAW | CS_VREDRAW; // one DC for the context
    windowClass.lpfnWndProc   = windowProcedure;
    windowClass.hInstance     = gameWindow.instance;
    windowClass.hCursor       = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = gameWindow.className;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        systemProblem("cannot register the game window's class", problem, problemSize);
        return false;
    }
    gameWindow.classRegistered = true;
    return true;
}

ScreenArea platformDesktopArea() {
    const RECT screen = primaryMonitor().rcMonitor;
    return {screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top};
}

bool platformCreateWindow(const WindowRequest& request, char* problem, int problemSize) {
    gameWindow.mode      = request.mode;
    gameWindow.width     = request.width;
    gameWindow.height    = request.height;
    gameWindow.minWidth  = request.minWidth;
    gameWindow.minHeight = request.minHeight;
    const DWORD style    = windowStyle(request.mode);
    const RECT place     = windowPlace(request, style);
    wchar_t title[NAME_SIZE];
    wideName(request.title, title);
    gameWindow.handle =
        CreateWindowExW(WS_EX_APPWINDOW, gameWindow.className, title, style, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                        gameWindow.instance, nullptr);
    if (!gameWindow.handle) {
        systemProblem("cannot create the game window", problem, problemSize);
        return false;
    }
    gameWindow.dc = GetDC(gameWindow.handle);
    if (!gameWindow.dc) {
        systemProblem("cannot draw into the game window", problem, problemSize);
        return false;
    }
    gameWindow.icon = createWindowIcon(request.icon, request.iconSide);
    if (gameWindow.icon) {
        const LPARAM icon = reinterpret_cast<LPARAM>(gameWindow.icon);
        SendMessageW(gameWindow.handle, WM_SETICON, ICON_BIG, icon);
        SendMessageW(gameWindow.handle, WM_SETICON, ICON_SMALL, icon);
    }
    return true;
}

void platformShowWindow() {
    if (!gameWindow.handle) return;
    if (gameWindow.mode == WindowMode::FULL_SCREEN_SWITCH) takeDisplayMode();
    ShowWindow(gameWindow.handle,
               gameWindow.mode == WindowMode::MAXIMISED ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetForegroundWindow(gameWindow.handle);
    SetFocus(gameWindow.handle);
    UpdateWindow(gameWindow.handle);
}

ScreenArea platformWindowArea() {
    if (!gameWindow.handle) return platformDesktopArea();
    RECT client{0, 0, 0, 0};
    GetClientRect(gameWindow.handle, &client);
    POINT origin{0, 0};
    ClientToScreen(gameWindow.handle, &origin);
    return {origin.x, origin.y, client.right, client.bottom};
}

void platformDrawableSize(int* width, int* height) {
    RECT client{0, 0, 0, 0};
    if (gameWindow.handle) GetClientRect(gameWindow.handle, &client);
    *width  = client.right;
    *height = client.bottom;
}

// The client area is the drawable, pixel for pixel.
void platformPointerPosition(int* x, int* y) {
    POINT at{0, 0};
    if (gameWindow.handle && GetCursorPos(&at)) ScreenToClient(gameWindow.handle, &at);
    *x = gameWindow.handle ? at.x : 0;
    *y = gameWindow.handle ? at.y : 0;
}

void platformCloseVideo() {
    platformRestoreDisplayMode();
    releaseCursor();
    deleteGlContext();
    if (gameWindow.handle) {
        ReleaseDC(gameWindow.handle, gameWindow.dc);
        DestroyWindow(gameWindow.handle);
    }
    if (gameWindow.icon) DestroyIcon(gameWindow.icon);
    if (gameWindow.classRegistered) UnregisterClassW(gameWindow.className, gameWindow.instance);
    gameWindow = GameWindow{};
}
