// Ctrl+C, Ctrl+Break and closing the console ask a console program (the server) to end.
// The system calls the handler on a thread of its own; it only sets the flag, which the
// loop reads within a step (its wait never lasts longer).
#include <windows.h>

#include <atomic>

#include "platform/platform.h"

namespace {
std::atomic<bool> stopFlag{false};
bool installed = false;

BOOL WINAPI onConsoleEvent(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        stopFlag = true;
        return TRUE;
    case CTRL_CLOSE_EVENT:
        // The system ends the process as soon as this returns: hold it while the loop
        // stops the bots, says goodbye and exits with 0 (which ends this thread too).
        stopFlag = true;
        Sleep(INFINITE);
        return TRUE;
    default:
        return FALSE; // log-off and shut-down: the system's default
    }
}
} // namespace

bool platformCatchStopRequests() {
    if (!installed) installed = SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
    return installed;
}

bool platformStopRequested() {
    return stopFlag;
}
