// SIGTERM and SIGINT ask the program to end: the handler only sets a flag, which the loop
// reads. The wait's poll ends at any signal (poll is never restarted), so the loop sees the
// request at once instead of at the wait's timeout.
#include <signal.h>

#include "platform/platform.h"

namespace {
volatile sig_atomic_t stopFlag = 0;
bool installed                 = false;

extern "C" void onStopSignal(int) {
    stopFlag = 1;
}
} // namespace

bool platformCatchStopRequests() {
    if (installed) return true;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    action.sa_flags   = SA_RESTART; // writes to the log go on
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGINT);
    installed =
        sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
    return installed;
}

bool platformStopRequested() {
    return stopFlag != 0;
}
