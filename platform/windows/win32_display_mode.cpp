// The display-mode change of exclusive full screen, and its undoing on every way out: a
// normal close, a fatal error, exit(), an unhandled crash, and the window losing the focus.
#include "platform/windows/win32_display_mode.h"

#include <windows.h>

#include <cstdlib>

#include "platform/platform.h"

namespace {
constexpr DWORD FEWEST_MODE_BITS = 16; // the game draws nothing finer than 5 bits a channel

bool modeChanged                            = false;
bool restoreHooked                          = false;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

void restoreAtExit() {
    platformRestoreDisplayMode();
}

LONG WINAPI restoreOnCrash(EXCEPTION_POINTERS* exception) {
    platformRestoreDisplayMode();
    return previousFilter ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

long modeDistance(const DEVMODEW& mode, int width, int height) {
    return std::labs(static_cast<long>(mode.dmPelsWidth) - width) +
           std::labs(static_cast<long>(mode.dmPelsHeight) - height);
}

// Of the modes the display lists, the nearest in size; of those, the most colour bits.
bool closestMode(int width, int height, DEVMODEW* best) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    bool found  = false;
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i) {
        if (mode.dmBitsPerPel < FEWEST_MODE_BITS) continue;
        const long distance     = modeDistance(mode, width, height);
        const long bestDistance = found ? modeDistance(*best, width, height) : distance + 1;
        if (distance < bestDistance ||
            (distance == bestDistance && mode.dmBitsPerPel > best->dmBitsPerPel)) {
            *best = mode;
            found = true;
        }
    }
    return found;
}
} // namespace

bool switchDisplayMode(int width, int height) {
    if (modeChanged) return true; // shown and then given the focus: one switch is enough
    DEVMODEW mode{};
    if (!closestMode(width, height, &mode)) return false;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    if (ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
    modeChanged = true;
    if (!restoreHooked) {
        restoreHooked  = true;
        previousFilter = SetUnhandledExceptionFilter(restoreOnCrash);
        std::atexit(restoreAtExit);
    }
    return true;
}

void platformRestoreDisplayMode() {
    if (!modeChanged) return;
    modeChanged = false;
    ChangeDisplaySettingsW(nullptr, 0);
}
